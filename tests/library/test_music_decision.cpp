#include "ov_database.h"
#include "ov_library.h"
#include "ov_log_capture.h"
#include "ov_schema.h"
#include "ov_tag_data.h"
#include "ov_test_mp3.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <sys/stat.h>

// Which paths become tracks: only regular files, and only those from which
// libmpg123 decodes a sample; and ids that an int cannot hold.
class test_music_decision : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString tone_;

  QString path(const QString& name) const { return dir_.filePath(name); }

  static bool lame(const QStringList& extra, const QByteArray& pcm, const QString& out) {
    QProcess p;
    p.start(QStringLiteral("lame"),
            QStringList{QStringLiteral("--quiet"), QStringLiteral("-r"), QStringLiteral("--signed"),
                        QStringLiteral("--little-endian"), QStringLiteral("-s"), QStringLiteral("44.1"),
                        QStringLiteral("--bitwidth"), QStringLiteral("16")} +
                extra + QStringList{QStringLiteral("-"), out});
    if (!p.waitForStarted(10000)) return false;
    p.write(pcm);
    p.closeWriteChannel();
    return p.waitForFinished(60000) && p.exitCode() == 0;
  }

  static bool contains_line(const QStringList& lines, const QString& text) {
    return std::any_of(lines.cbegin(), lines.cend(), [&](const QString& l) { return l.contains(text); });
  }

private slots:
  void initTestCase() {
    tone_ = path(QStringLiteral("tone.mp3"));
    ov_test::tone t;
    t.seconds = 1.0;
    QVERIFY(ov_test::make_tone_mp3(tone_, t));
  }

  // FIFOs, links to devices and directories named .mp3 are refused at once,
  // with the reason, by collecting, reading and adding alike.
  void non_regular_paths_are_refused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::newRow("fifo") << "fifo.mp3"
                          << "fifo";
    QTest::newRow("link to /dev/zero") << "zero.mp3"
                                       << "/dev/zero";
    QTest::newRow("link to /dev/urandom") << "urandom.mp3"
                                          << "/dev/urandom";
    QTest::newRow("link to a missing file") << "dangling.mp3"
                                            << "/nonexistent/x.mp3";
  }
  void non_regular_paths_are_refused() {
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QTemporaryDir music;
    const QString p = music.filePath(name);
    if (kind == QLatin1String("fifo"))
      QVERIFY(::mkfifo(QFile::encodeName(p).constData(), 0644) == 0);
    else
      QVERIFY(QFile::link(kind, p));
    QVERIFY(QFile::copy(tone_, music.filePath(QStringLiteral("good.mp3"))));

    ov_log_capture log;
    QCOMPARE(collect_mp3_files(music.path()), QStringList{music.filePath(QStringLiteral("good.mp3"))});
    QVERIFY2(contains_line(log.lines(), QStringLiteral("Refused a path that is not a regular file")),
             qPrintable(log.lines().join('\n')));

    QTemporaryDir conf;
    auto db = ov_open_database(conf.path(), QStringLiteral("library"));
    ov_group_map albums, artists;
    ov_library lib(db.get(), &albums, &artists, QStringLiteral("6b1e2c4f-93a0-4d57-8e21-0c9f7d3a5b64"));
    lib.add_music_files({p}, 1700000000);
    lib.add_music_file(p, 1700000000);
    QVERIFY(!lib.contains_path(p));
    QVERIFY(!ov_tag_data::from_file(p).is_valid());
    QVERIFY(contains_line(log.lines(), QStringLiteral("Refused a path that is not a regular file")));
  }

  // A file is music exactly when libmpg123 decodes at least one sample.
  void decided_by_decoded_samples_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("music");
    QTest::newRow("free format") << "freeformat" << true;
    QTest::newRow("gapless trims every frame") << "empty" << false;
    QTest::newRow("one sample") << "one" << true;
    QTest::newRow("tag then junk") << "junk" << false;
  }
  void decided_by_decoded_samples() {
    QFETCH(QString, kind);
    QFETCH(bool, music);
    const QString p = path(kind + QStringLiteral(".mp3"));
    const QByteArray second = ov_test::tone_pcm(ov_test::tone());
    if (kind == QLatin1String("freeformat"))
      QVERIFY(lame({QStringLiteral("--freeformat"), QStringLiteral("-b"), QStringLiteral("320")}, second, p));
    if (kind == QLatin1String("empty")) QVERIFY(lame({}, QByteArray(), p));
    if (kind == QLatin1String("one")) QVERIFY(lame({}, second.left(4), p));
    if (kind == QLatin1String("junk")) {
      QFile f(p);
      QVERIFY(f.open(QIODevice::WriteOnly));
      QByteArray junk(3 * 1024 * 1024, 0);
      QRandomGenerator rng(7);
      for (char& c : junk) c = char(rng.bounded(256));
      f.write(junk);
      f.close();
      QVERIFY(ov_test::set_tags(p, QStringLiteral("t"), QString(), QString()));
    }
    QCOMPARE(ov_tag_data::from_file(p).is_valid(), music);
  }

  // Rows with ids an int cannot hold are refused with a warning; ids are
  // never handed out past the largest int, the lowest free one is taken then.
  void ids_stay_in_range() {
    QTemporaryDir conf;
    ov_log_capture log;
    {
      auto db = ov_open_database(conf.path(), QStringLiteral("library"));
      for (const qint64 id : {qint64(1), qint64(4294967297LL)}) {
        ov_statement st = db->prepare(QStringLiteral("INSERT INTO library (id, filepath, title) VALUES (?, ?, 't');"));
        QVERIFY(st.bind_int64(1, id));
        QVERIFY(st.bind_text(2, QStringLiteral("/x/%1.mp3").arg(id)));
        QVERIFY(st.write());
      }
    }
    auto db = ov_open_database(conf.path(), QStringLiteral("library"));
    ov_group_map albums, artists;
    ov_library lib(db.get(), &albums, &artists, QStringLiteral("6b1e2c4f-93a0-4d57-8e21-0c9f7d3a5b64"));
    QCOMPARE(lib.paths(), QStringList{QStringLiteral("/x/1.mp3")});
    QVERIFY(contains_line(log.lines(), QStringLiteral("skipping a row whose id is out of range.  id=4294967297")));
    lib.add_music_file(tone_, 1700000000);
    QVERIFY(lib.track_by_path(tone_));
    QCOMPARE(lib.track_by_path(tone_)->id(), 2);

    QVERIFY(db->exec(QStringLiteral("UPDATE library SET id = 2147483647 WHERE id = 2;")));
    auto reopened = ov_open_database(conf.path(), QStringLiteral("library"));
    ov_group_map albums2, artists2;
    ov_library full(reopened.get(), &albums2, &artists2, QStringLiteral("6b1e2c4f-93a0-4d57-8e21-0c9f7d3a5b64"));
    const QString other = path(QStringLiteral("other.mp3"));
    QVERIFY(QFile::copy(tone_, other));
    // With the largest int taken, a new file gets the lowest free id.
    full.add_music_file(other, 1700000000);
    QVERIFY(full.track_by_path(other));
    QCOMPARE(full.track_by_path(other)->id(), 2);
  }
};

QTEST_GUILESS_MAIN(test_music_decision)
#include "test_music_decision.moc"
