#include "ov_test_env.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The real program, started in a temporary data directory with its own
// runtime directory, driven through ORVANTIS_AUTOTEST: every modal dialog
// prints its texts on stderr and closes itself (accept or reject).
class test_orvantis_binary : public QObject {
  Q_OBJECT

  struct run_dirs {
    QTemporaryDir home;
    QTemporaryDir runtime;
  };

  static QProcessEnvironment environment(const run_dirs& dirs, const QString& mode) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORVANTIS_HOME"), dirs.home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dirs.runtime.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ORVANTIS_AUTOTEST"), mode);
    return env;
  }

  static std::unique_ptr<QProcess> start(const run_dirs& dirs, const QString& mode) {
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(environment(dirs, mode));
    p->setProcessChannelMode(QProcess::SeparateChannels);
    p->setReadChannel(QProcess::StandardError);
    p->start(ov_test::orvantis_binary(), QStringList());
    return p;
  }

  // Reads stderr until it holds the marker; false when the process ends first.
  static bool wait_for(QProcess& p, QString& err, const QString& marker, int count = 1) {
    while (err.count(marker) < count) {
      if (p.state() == QProcess::NotRunning) return false;
      p.waitForReadyRead(60000);
      err += QString::fromUtf8(p.readAllStandardError());
    }
    return true;
  }

  // Runs to the end and returns the exit code (-1 on a crash).
  static int run_to_end(QProcess& p, QString& err) {
    p.waitForFinished(120000);
    err += QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }

  static QString read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }
  static QString log_text(const run_dirs& dirs) {
    const QStringList logs = QDir(dirs.home.filePath(QStringLiteral("log"))).entryList(QDir::Files);
    return logs.size() == 1 ? read(dirs.home.filePath(QStringLiteral("log/")) + logs.first()) : QString();
  }
  static void write(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
  }

private slots:
  void initTestCase() { QVERIFY2(QFile::exists(ov_test::orvantis_binary()), qPrintable(ov_test::orvantis_binary())); }

  void first_run_then_second_instance() {
    run_dirs dirs;
    auto first = start(dirs, QStringLiteral("accept"));
    QString err;
    // Japanese is preselected; the report of the new files then comes translated.
    QVERIFY2(wait_for(*first, err, QStringLiteral("dialog: メッセージ")), qPrintable(err));
    QVERIFY2(wait_for(*first, err, QStringLiteral("dialog result"), 2), qPrintable(err));
    QVERIFY(err.contains(QStringLiteral("dialog: Language")));
    QVERIFY(err.contains(QStringLiteral("window shown: Orvantis 1.0.0a2")));
    for (const char* name : {"library", "playlists", "playlist_items", "presets", "favorite_engine"}) {
      QVERIFY(err.contains(QStringLiteral("text information_text: file conf/%1.db didn't exist.").arg(name)));
      QVERIFY(QFileInfo(dirs.home.filePath(QStringLiteral("conf/%1.db").arg(name))).isFile());
    }
    QCOMPARE(err.count(QStringLiteral("text information_text: created a new file.")), 5);
    QVERIFY(!err.contains(QStringLiteral("fatal_")));
    QVERIFY(!err.contains(QStringLiteral("warning_")));

    // A second start hands over to the first and ends with 1, writing no log line.
    const QString log_before = log_text(dirs);
    QCOMPARE(log_before.count(QStringLiteral("\tINFO\tbooting\t================================ booting Orvantis "
                                             "================================\n")),
             1);
    auto second = start(dirs, QStringLiteral("accept"));
    QString err2;
    QCOMPARE(run_to_end(*second, err2), 1);
    QVERIFY2(!err2.contains(QStringLiteral("dialog")), qPrintable(err2));
    QVERIFY(wait_for(*first, err, QStringLiteral("raised Orvantis 1.0.0a2")));
    QCOMPARE(log_text(dirs), log_before);

    // A termination request closes the window the normal way.
    first->terminate();
    QCOMPARE(run_to_end(*first, err), 0);
    QVERIFY(err.contains(QStringLiteral("exit 0")));

    const QString main_ini = read(dirs.home.filePath(QStringLiteral("conf/main.ini")));
    QVERIFY(main_ini.contains(QStringLiteral("[backup]\nenabled=yes\nkeep_old_dirs_back_to=25\nsec_diff_to_run=600")));
    QVERIFY(main_ini.contains(QStringLiteral("[main]\nlang=japanese")));
    const QRegularExpression seed(QStringLiteral("sec_seed=[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\n"));
    QVERIFY(seed.match(read(dirs.home.filePath(QStringLiteral("conf/seed.ini")))).hasMatch());
    QVERIFY(QFile::exists(dirs.home.filePath(QStringLiteral("doc/keys.txt"))));
    QVERIFY(read(dirs.home.filePath(QStringLiteral("doc/orvantis_LICENSE.txt"))).contains(QStringLiteral("Orvantis")));
    const QString log = log_text(dirs);
    QVERIFY(log.contains(QStringLiteral("\tINFO\tinit-backup\tbackup dir is empty\n")));
    QVERIFY(log.contains(QStringLiteral("\tINFO\tinit-backup\ttaking backup.  backup dir= conf_backup/")));
    QVERIFY(log.contains(QStringLiteral("\tINFO\tinit-remove-old-backup\tnumber of backup dir is 1. it is NOT over 25\n")));
    QVERIFY(!log.contains(QStringLiteral("\tDEBUG\t")));
    QCOMPARE(QDir(dirs.home.filePath(QStringLiteral("conf_backup"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);

    // The next start: no language question, no report (nothing new), the
    // backup is not due yet, and the same seed.
    const QString seed_before = read(dirs.home.filePath(QStringLiteral("conf/seed.ini")));
    auto third = start(dirs, QStringLiteral("accept"));
    QString err3;
    QVERIFY2(wait_for(*third, err3, QStringLiteral("window shown")), qPrintable(err3));
    third->terminate();
    QCOMPARE(run_to_end(*third, err3), 0);
    QVERIFY(!err3.contains(QStringLiteral("dialog:")));
    QCOMPARE(read(dirs.home.filePath(QStringLiteral("conf/seed.ini"))), seed_before);
    QVERIFY(log_text(dirs).contains(QStringLiteral(" and it is NOT older than 600sec\n")));
  }

  void cancelled_language_dialog_exits_0() {
    run_dirs dirs;
    for (int run = 0; run < 2; ++run) {
      auto p = start(dirs, QStringLiteral("reject"));
      QString err;
      QCOMPARE(run_to_end(*p, err), 0);
      QVERIFY2(err.contains(QStringLiteral("dialog: Language")), qPrintable(err));
      QVERIFY(err.contains(QStringLiteral("combo language_combo: Japanese")));
      QVERIFY(!err.contains(QStringLiteral("window shown")));
      const QString main_ini = read(dirs.home.filePath(QStringLiteral("conf/main.ini")));
      QVERIFY(main_ini.contains(QStringLiteral("enabled=yes")));
      QVERIFY(!main_ini.contains(QStringLiteral("lang")));
    }
    QVERIFY(!QFile::exists(dirs.home.filePath(QStringLiteral("conf/library.db"))));
  }

  void database_path_that_is_a_directory_is_fatal() {
    run_dirs dirs;
    write(dirs.home.filePath(QStringLiteral("conf/main.ini")), "[main]\nlang=english\n");
    QVERIFY(QDir().mkpath(dirs.home.filePath(QStringLiteral("conf/library.db"))));
    auto p = start(dirs, QStringLiteral("accept"));
    QString err;
    QCOMPARE(run_to_end(*p, err), 1);
    QVERIFY2(err.contains(QStringLiteral("dialog: Messages")), qPrintable(err));
    QVERIFY(err.contains(QStringLiteral("label fatal_label: Fatal:")));
    QVERIFY(err.contains(QStringLiteral("text fatal_text: file conf/library.db is not a regular file.\n")));
    QVERIFY(!err.contains(QStringLiteral("information_")));
    QVERIFY(!err.contains(QStringLiteral("window shown")));
    QVERIFY(QFileInfo(dirs.home.filePath(QStringLiteral("conf/library.db"))).isDir());
  }

  void lock_left_by_a_killed_run_does_not_block() {
    run_dirs dirs;
    write(dirs.home.filePath(QStringLiteral("conf/main.ini")), "[main]\nlang=english\n");
    auto crashed = start(dirs, QStringLiteral("accept"));
    QString err;
    QVERIFY2(wait_for(*crashed, err, QStringLiteral("window shown")), qPrintable(err));
    crashed->kill();
    crashed->waitForFinished(60000);
    QVERIFY(!QDir(dirs.runtime.path()).entryList(QStringList{QStringLiteral("Orvantis-*.lock")}, QDir::Files).isEmpty());

    auto next = start(dirs, QStringLiteral("accept"));
    QString err2;
    QVERIFY2(wait_for(*next, err2, QStringLiteral("window shown")), qPrintable(err2));
    // It also answers the next copy, over the socket left behind.
    auto third = start(dirs, QStringLiteral("accept"));
    QString err3;
    QCOMPARE(run_to_end(*third, err3), 1);
    QVERIFY(wait_for(*next, err2, QStringLiteral("raised")));
    next->terminate();
    QCOMPARE(run_to_end(*next, err2), 0);
    QCOMPARE(log_text(dirs).count(QStringLiteral("\tbooting\t")), 2);
  }
};

QTEST_GUILESS_MAIN(test_orvantis_binary)
#include "test_orvantis_binary.moc"
