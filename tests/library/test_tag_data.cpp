#include "ov_log_capture.h"
#include "ov_tag_data.h"
#include "ov_test_env.h"
#include "ov_test_mp3.h"

#include <QtTest>

class test_tag_data : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString plain_;  // an untagged 1-second tone

  QString copy_of_plain(const QString& name) {
    const QString path = dir_.filePath(name);
    QFile::remove(path);
    if (!QFile::copy(plain_, path)) return QString();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
  }

private slots:
  void initTestCase() {
    plain_ = dir_.filePath(QStringLiteral("plain.mp3"));
    QVERIFY(ov_test::make_tone_mp3(plain_));
  }

  // Tagged (texts beyond Latin-1) and untagged audio.
  void reads_tags_and_length() {
    const QString path = dir_.filePath(QStringLiteral("tagged.mp3"));
    QVERIFY(ov_test::make_tone_mp3(path, {.seconds = 3.2}));
    const QStringList texts = {QStringLiteral("T\u00eftle \u66f2"), QStringLiteral("Alb\u00fcm"),
                               QStringLiteral("\u30a2\u30fc\u30c6\u30a3\u30b9\u30c8")};
    QVERIFY(ov_test::set_tags(path, texts[0], texts[1], texts[2], 7));
    const ov_tag_data d = ov_tag_data::from_file(path);
    QVERIFY(d.is_valid());
    QCOMPARE(d.file_path(), path);
    QCOMPARE((QStringList{d.title(), d.album(), d.artist()}), texts);
    QCOMPARE(d.track_number(), 7u);
    QCOMPARE(d.length(), 3);

    const ov_tag_data plain = ov_tag_data::from_file(plain_);
    QVERIFY(plain.is_valid());
    QCOMPARE((QStringList{plain.title(), plain.album(), plain.artist()}), (QStringList{"", "", ""}));
    QCOMPARE(plain.track_number(), 0u);
    QCOMPARE(plain.length(), 1);
  }

  void unreadable_files_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("warning");
    QTest::newRow("missing") << "missing.mp3" << QByteArray() << "Failed to open file.  file=";
    QTest::newRow("empty") << "empty.mp3" << QByteArray("") << "Failed to find MPEG audio.  file=";
    QTest::newRow("text") << "text.mp3" << QByteArray("hello, this is not a song\n").repeated(100)
                          << "Failed to find MPEG audio.  file=";
    QTest::newRow("no extension") << "noext" << QByteArray(100, 'x') << "Failed to open file.  file=";
  }
  void unreadable_files() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, warning);
    const QString path = dir_.filePath(name);
    if (!content.isNull()) QVERIFY(ov_test::write_file(path, content));
    ov_log_capture log;
    const ov_tag_data d = ov_tag_data::from_file(path);
    QVERIFY(!d.is_valid());
    QCOMPARE(d.file_path(), path);
    QVERIFY(d.picture().isNull());
    QCOMPARE(log.lines(), QStringList{QStringLiteral("WARNING\treading tags\t") + warning + path});
  }

  void length_text_data() {
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "0:00";
    QTest::newRow("59") << 59 << "0:59";
    QTest::newRow("245") << 245 << "4:05";
    QTest::newRow("3600") << 3600 << "60:00";
    QTest::newRow("7384") << 7384 << "123:04";
  }
  void length_text() {
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(ov_tag_data::from_values("p", "", "", "", 0, seconds).length_text(), text);
  }

  // Each picture: type and size in bytes; the colour tells which was chosen.
  void picture_choice_data() {
    QTest::addColumn<QList<int>>("types");
    QTest::addColumn<QList<int>>("sizes");
    QTest::addColumn<int>("chosen");  // index into the pictures, -1 for none
    QTest::newRow("no picture") << QList<int>{} << QList<int>{} << -1;
    QTest::newRow("two front covers: the later") << QList<int>{3, 3} << QList<int>{3000, 4000} << 1;
    QTest::newRow("small front, large other") << QList<int>{0, 3} << QList<int>{2000, 900} << 0;
    QTest::newRow("only 1024 bytes") << QList<int>{3} << QList<int>{1024} << -1;
    QTest::newRow("1025 bytes") << QList<int>{0} << QList<int>{1025} << 0;
    QTest::newRow("other, then front") << QList<int>{0, 3} << QList<int>{3000, 3000} << 1;
    QTest::newRow("front, then other") << QList<int>{3, 0} << QList<int>{3000, 3000} << 0;
    QTest::newRow("two others: the first") << QList<int>{0, 0} << QList<int>{3000, 3000} << 0;
    QTest::newRow("back cover and artist ignored") << QList<int>{4, 8} << QList<int>{3000, 3000} << -1;
    QTest::newRow("back cover, then other") << QList<int>{4, 0} << QList<int>{3000, 3000} << 1;
  }
  void picture_choice() {
    QFETCH(QList<int>, types);
    QFETCH(QList<int>, sizes);
    QFETCH(int, chosen);
    const QString path = copy_of_plain(QStringLiteral("pictures.mp3"));
    QVERIFY(ov_test::set_tags(path, "t", "", "", 0));
    QList<QByteArray> pngs;
    for (int i = 0; i < types.size(); ++i) {
      // A small solid PNG padded to the exact size; decoders ignore data after IEND.
      QImage solid(6, 6, QImage::Format_RGB32);
      solid.fill(QColor::fromHsv(40 * i, 255, 255));
      QByteArray png;
      QBuffer buf(&png);
      buf.open(QIODevice::WriteOnly);
      QVERIFY(solid.save(&buf, "PNG"));
      QVERIFY(png.size() <= sizes[i]);
      png += QByteArray(sizes[i] - png.size(), '\0');
      pngs << png;
      QVERIFY(ov_test::add_picture(path, types[i], png));
    }
    const QImage img = ov_tag_data::from_file(path).picture();
    if (chosen < 0) {
      QVERIFY(img.isNull());
    } else {
      QVERIFY(!img.isNull());
      QCOMPARE(img, QImage::fromData(pngs[chosen]));
    }
  }

  // A tag with nothing after it is no audio, yet its picture is read (an
  // undecodable picture: test_table_views; other containers: test_tag_formats).
  void pictures_of_odd_files() {
    const QString path = copy_of_plain(QStringLiteral("tag_only.mp3"));
    QVERIFY(ov_test::set_tags(path, "t", "a", "b", 1));
    QVERIFY(ov_test::add_picture(path, 3, ov_test::png_of_at_least(3000)));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const QByteArray head = f.read(10);
    const int tag_size =
        10 + ((head[6] & 0x7f) << 21 | (head[7] & 0x7f) << 14 | (head[8] & 0x7f) << 7 | (head[9] & 0x7f));
    QVERIFY(f.resize(tag_size));
    f.close();
    QVERIFY(!ov_tag_data::from_file(path).is_valid());
    QVERIFY(!ov_tag_data::from_file(path).picture().isNull());
  }
};

QTEST_GUILESS_MAIN(test_tag_data)
#include "test_tag_data.moc"
