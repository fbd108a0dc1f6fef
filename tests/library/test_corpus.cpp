#include "ov_database.h"
#include "ov_library.h"
#include "ov_log_capture.h"
#include "ov_schema.h"
#include "ov_test_env.h"

#include <QtTest>

// Every third-party file of the corpus through adding and picture reading.
// Files with no decodable MPEG audio are refused with the warnings.
class test_corpus : public QObject {
  Q_OBJECT

private slots:
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

QTEST_GUILESS_MAIN(test_corpus)
#include "test_corpus.moc"
