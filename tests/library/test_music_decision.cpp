#include "ov_database.h"
#include "ov_library.h"
#include "ov_log_capture.h"
#include "ov_schema.h"
#include "ov_tag_data.h"
#include "ov_test_env.h"
#include "ov_test_mp3.h"

#include <sys/stat.h>
#include <QtTest>

// Which paths become tracks: only regular files, and only those from which
// libmpg123 decodes a sample; and ids that an int cannot hold.
class test_music_decision : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString tone_;

  QString path(const QString& name) const { return dir_.filePath(name); }

  static bool contains_line(const QStringList& lines, const QString& text) {
    return std::any_of(lines.cbegin(), lines.cend(), [&](const QString& l) { return l.contains(text); });
  }

private slots:
  void initTestCase() {
    tone_ = path(QStringLiteral("tone.mp3"));
    QVERIFY(ov_test::make_tone_mp3(tone_));
  }

  // FIFOs, links to devices and directories named .mp3 are refused at once,
  // with the reason, by collecting, reading and adding alike.
  void non_regular_paths_are_refused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"fifo", "/dev/zero", "/dev/urandom", "/nonexistent/x.mp3"})
      QTest::newRow(kind) << QFileInfo(kind).baseName() + ".mp3" << QString(kind);
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
      QVERIFY(ov_test::encode_mp3(p, second, 44100, 2, 320, {QStringLiteral("--freeformat")}));
    if (kind == QLatin1String("empty")) QVERIFY(ov_test::encode_mp3(p, QByteArray(), 44100, 2));
    if (kind == QLatin1String("one")) QVERIFY(ov_test::encode_mp3(p, second.left(4), 44100, 2));
    if (kind == QLatin1String("junk"))
      QVERIFY(ov_test::write_file(p, ov_test::junk(3 * 1024 * 1024, 7)) && ov_test::set_tags(p, "t", "", ""));
    QCOMPARE(ov_tag_data::from_file(p).is_valid(), music);
  }

  // Rows with ids an int cannot hold are refused with a warning (the ids
  // handed out once the largest int is taken: test_database).
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
  }

  // Every third-party file of the corpus through adding and picture reading.
  // Files with no decodable MPEG audio are refused with the warnings.
  void corpus_files_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QSize>("picture");
    // Tag-only, zero-filled, truncated or empty files hold no audio.
    const QSet<QString> refused = {"lofty__junk.mp3",
                                   "tinytag__UTF16.mp3",
                                   "tinytag__chinese_id3.mp3",
                                   "tinytag__id3v1-latin1.mp3",
                                   "tinytag__incomplete.mp3",
                                   "tinytag__invalid_file_larger.mp3",
                                   "tinytag__multiple_images.mp3",
                                   "tinytag__utf16_no_bom.mp3",
                                   "tinytag__utf16be.mp3"};
    const QHash<QString, QSize> pictures = {{"atl__ID3v2.2_3_pictures.mp3", QSize(256, 256)},
                                            {"atl__ID3v2.2_UTF16.mp3", QSize(552, 656)},
                                            {"atl__id3v2.3_UTF16.mp3", QSize(150, 150)},
                                            {"tinytag__image-text-encoding.mp3", QSize(256, 256)},
                                            {"tinytag__multiple_images.mp3", QSize(500, 500)}};
    const QStringList names = QDir(ov_test::corpus_dir()).entryList({"*.mp3"}, QDir::Files, QDir::Name);
    QCOMPARE(names.size(), 35);
    for (const QString& n : names)
      QTest::newRow(qPrintable(n)) << n << !refused.contains(n) << pictures.value(n, QSize(0, 0));
  }
  void corpus_files() {
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    QFETCH(QSize, picture);
    const QString path = ov_test::corpus_dir() + QLatin1Char('/') + name;
    QTemporaryDir conf;
    ov_database db(conf.filePath("library.db"), ov_creation_statements("library"), "library");
    ov_group_map albums, artists;
    ov_library lib(&db, &albums, &artists, QStringLiteral("a1b2c3d4-0000-4000-8000-123456789abc"));
    ov_log_capture log;
    lib.add_music_file(path, 1700000000);
    QCOMPARE(lib.contains_path(path), accepted);
    if (accepted) {
      QVERIFY(log.lines().isEmpty());
      const ov_track* t = lib.track_by_path(path);
      QCOMPARE(t->tags().picture().size(), picture);
      // The stored texts come back unchanged.
      ov_library again(&db, &albums, &artists, lib.seed());
      const ov_track* back = again.track_by_path(path);
      QVERIFY(back);
      QCOMPARE(back->tags().title(), t->tags().title());
      QCOMPARE(back->tags().artist(), t->tags().artist());
      QCOMPARE(back->tags().album(), t->tags().album());
      QCOMPARE(back->tags().length(), t->tags().length());
      QCOMPARE(again.score_failures(), 0);
    } else {
      QCOMPARE(log.lines(),
               QStringList({"WARNING\treading tags\tFailed to find MPEG audio.  file=" + path,
                            "WARNING\tadding music file\tFailed to load tag data. skipping this file.  file=" + path}));
      // The picture can still be asked for by path.
      const QImage img = ov_tag_data::from_values(path, "", "", "", 0, 0).picture();
      QCOMPARE(img.size(), picture);
    }
  }
};

QTEST_GUILESS_MAIN(test_music_decision)
#include "test_music_decision.moc"
