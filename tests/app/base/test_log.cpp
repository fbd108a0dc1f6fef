#include "ov_log.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

// The log on real files: line format, filters, flushing and appending.
class test_log : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  int counter_ = 0;

  QString fresh_path() { return dir_.filePath(QStringLiteral("log%1.txt").arg(++counter_)); }
  static QStringList lines_of(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(f.readAll());
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
  }
  // The lines without their time stamp.
  static QStringList untimed(const QString& path) {
    QStringList out;
    for (const QString& l : lines_of(path)) out << l.section(QLatin1Char('\t'), 1);
    return out;
  }

private slots:
  void line_format_and_level_names() {
    const QString path = fresh_path();
    ov_log log;
    log.open(path);
    log.write_flush(ov_log::INFO, QStringLiteral("booting"), QStringLiteral("hello world"));
    const QStringList lines = lines_of(path);
    QCOMPARE(lines.size(), 1);
    const QRegularExpression format(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\tINFO\tbooting\thello world$"));
    QVERIFY2(format.match(lines.first()).hasMatch(), qPrintable(lines.first()));
    const QStringList names = {"", "FATAL", "CRITICAL", "WARNING", "NOTICE", "INFO", "DEBUG", ""};
    for (int level = 0; level < names.size(); ++level) QCOMPARE(ov_log::level_name(level), names[level]);
  }

  // What passes the filters: levels up to INFO by default, tag keys override.
  void filters_data() {
    QTest::addColumn<int>("setup");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("initial filters") << 0 << QStringList{"INFO\tbooting\tshown"};
    QTest::newRow("tag keys") << 1 << QStringList{"DEBUG\tx\tone", "WARNING\tquiet\tfour"};
    QTest::newRow("level outside the range") << 2 << QStringList{"\todd\tkept"};
  }
  void filters() {
    QFETCH(int, setup);
    QFETCH(QStringList, expected);
    const QString path = fresh_path();
    ov_log log;
    log.open(path);
    if (setup == 0) {
      log.set_initial_filters();
      for (int lv = ov_log::FATAL; lv <= ov_log::INFO; ++lv) QVERIFY(log.enabled(lv, QStringLiteral("any")));
      QVERIFY(!log.enabled(ov_log::DEBUG, QStringLiteral("any")));
      log.write_flush(ov_log::DEBUG, QStringLiteral("mainwindow"), QStringLiteral("hidden"));
      log.write_flush(ov_log::DEBUG, QStringLiteral("init-remove-old-backup"), QStringLiteral("hidden"));
      log.write_flush(ov_log::INFO, QStringLiteral("booting"), QStringLiteral("shown"));
    } else if (setup == 1) {
      log.set_initial_filters();
      log.set_tag(ov_log::DEBUG, QStringLiteral("x"), true);
      log.set_tag(ov_log::INFO, QStringLiteral("quiet"), false);
      log.write_flush(ov_log::DEBUG, QStringLiteral("x"), QStringLiteral("one"));
      log.write_flush(ov_log::DEBUG, QStringLiteral("y"), QStringLiteral("two"));
      log.write_flush(ov_log::INFO, QStringLiteral("quiet"), QStringLiteral("three"));
      log.write_flush(ov_log::WARNING, QStringLiteral("quiet"), QStringLiteral("four"));
    } else {
      log.write_flush(9, QStringLiteral("odd"), QStringLiteral("dropped"));
      // A tag key for the nameless level ("::odd") lets it through with an empty name.
      log.set_tag(9, QStringLiteral("odd"), true);
      log.write_flush(9, QStringLiteral("odd"), QStringLiteral("kept"));
    }
    QCOMPARE(untimed(path), expected);
  }

  // One entry, one line: control characters in a tag or message are
  // written as escapes; write() waits for a flush; a second run appends.
  void buffering_and_appending() {
    const QString path = fresh_path();
    {
      ov_log log;
      log.open(path);
      log.write(ov_log::INFO, QStringLiteral("init-backup"), QStringLiteral("buffered"));
      QVERIFY(lines_of(path).isEmpty());
      log.flush();
      QCOMPARE(lines_of(path).size(), 1);
      log.write(ov_log::WARNING, QStringLiteral("t\n"), QString::fromUtf8("a\tb\nc\r\0d\x1f\x7f\\n 曲", 16));
      log.write_flush(ov_log::INFO, QStringLiteral("booting"), QStringLiteral("third"));
    }
    ov_log again;
    again.open(path);
    again.write_flush(ov_log::INFO, QStringLiteral("booting"), QStringLiteral("run 1"));
    QCOMPARE(untimed(path), (QStringList{"INFO\tinit-backup\tbuffered",
                                         QString::fromUtf8("WARNING\tt\\n\ta\\tb\\nc\\r\\x00d\\x1f\\x7f\\n 曲"),
                                         "INFO\tbooting\tthird", "INFO\tbooting\trun 1"}));
  }

  void todays_file_name_creates_log_dir() {
    const QString old = QDir::currentPath();
    QTemporaryDir work;
    QVERIFY(QDir::setCurrent(work.path()));
    const QString name = ov_log::todays_file_name();
    QVERIFY(QFileInfo(QStringLiteral("log")).isDir());
    QDir::setCurrent(old);
    QCOMPARE(name, QStringLiteral("log/orvantis_log_") + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) +
                       QStringLiteral(".txt"));
  }

  void lines_from_threads_do_not_interleave() {
    const QString path = fresh_path();
    ov_log log;
    log.open(path);
    QList<QThread*> threads;
    for (int t = 0; t < 4; ++t) {
      threads << QThread::create([&log, t] {
        for (int i = 0; i < 500; ++i)
          log.write(ov_log::INFO, QStringLiteral("thread%1").arg(t), QString(40, QLatin1Char('a' + t)));
      });
      threads.last()->start();
    }
    for (QThread* t : threads) {
      t->wait();
      delete t;
    }
    log.flush();
    const QStringList lines = lines_of(path);
    QCOMPARE(lines.size(), 2000);
    const QRegularExpression shape(QStringLiteral("^[0-9: -]{19}\tINFO\tthread(\\d)\t([a-d])\\2{39}$"));
    for (const QString& line : lines) QVERIFY2(shape.match(line).hasMatch(), qPrintable(line));
  }
};

QTEST_GUILESS_MAIN(test_log)
#include "test_log.moc"
