// Tags, lengths and pictures of every container besides MP3, and which
// files a directory gives.
#include "ov_library.h"
#include "ov_tag_data.h"
#include "ov_test_env.h"
#include "ov_test_formats.h"
#include "ov_test_mp3.h"

#include <QProcess>
#include <QtTest>

class test_tag_formats : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  static QByteArray tone_pcm(double seconds) { return ov_test::tone_pcm({.seconds = seconds}); }

private slots:
  void initTestCase() { QVERIFY(dir_.isValid()); }

  // Texts beyond Latin-1, the track number, the length in whole seconds and
  // the picture: of an "other" picture and a later front cover the cover
  // wins (MP4 covers carry no type: the later one wins there too).
  void reads_tags_length_and_picture_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("extension");
    for (const ov_test::audio_format& f : ov_test::audio_formats())
      QTest::newRow(f.name) << QString(f.name) << QString(f.extension);
  }
  void reads_tags_length_and_picture() {
    QFETCH(QString, format);
    QFETCH(QString, extension);
    const QString path = dir_.filePath(QString(format).replace(' ', '_') + extension);
    QVERIFY(ov_test::encode_audio(format, path, tone_pcm(3.2), 44100, 2));
    const QStringList texts = {QStringLiteral("T\u00eftle \u66f2"), QStringLiteral("Alb\u00fcm"),
                               QStringLiteral("\u30a2\u30fc\u30c6\u30a3\u30b9\u30c8")};
    QVERIFY(ov_test::set_common_tags(path, texts[0], texts[1], texts[2], 7));
    const QByteArray other = ov_test::png_of_at_least(2000, 0x00c000);
    const QByteArray cover = ov_test::png_of_at_least(3000, 0xc00000);
    QVERIFY(ov_test::add_any_picture(path, 0, other));
    QVERIFY(ov_test::add_any_picture(path, 3, cover));

    const ov_tag_data d = ov_tag_data::from_file(path);
    QVERIFY(d.is_valid());
    QCOMPARE((QStringList{d.title(), d.album(), d.artist()}), texts);
    QCOMPARE(d.track_number(), 7u);
    QCOMPARE(d.length(), 3);
    QCOMPARE(d.picture(), QImage::fromData(cover));
  }

  // A FLAC stream written through a pipe does not state its length: the
  // decoded samples give it.
  void length_of_a_stream_without_one() {
    const QString path = dir_.filePath(QStringLiteral("piped.flac"));
    QProcess ffmpeg;
    ffmpeg.setStandardOutputFile(path);
    ffmpeg.start(QStringLiteral("ffmpeg"), {"-loglevel", "error", "-f", "s16le", "-ar", "44100", "-ac", "2", "-i",
                                            "pipe:0", "-f", "flac", "pipe:1"});
    QVERIFY(ffmpeg.waitForStarted());
    ffmpeg.write(tone_pcm(2.5));
    ffmpeg.closeWriteChannel();
    QVERIFY(ffmpeg.waitForFinished() && ffmpeg.exitCode() == 0);
    QCOMPARE(ov_tag_data::from_file(path).length(), 2);
  }

  // Every music extension in any case; not .mp4 (mostly video) nor others.
  void collects_music_extensions() {
    QTemporaryDir music;
    const QStringList taken = {"a.mp3", "b.FLAC", "c.opus", "d.ogg", "e.Oga", "f.m4a", "g.WAV"};
    for (const QString& name : taken + QStringList{"h.mp4", "i.txt", "j.aiff"})
      QVERIFY(ov_test::write_file(music.filePath(name)));
    QStringList found;
    for (const QString& path : collect_mp3_files(music.path())) found << QFileInfo(path).fileName();
    found.sort();
    QCOMPARE(found, taken);
  }
};

QTEST_GUILESS_MAIN(test_tag_formats)
#include "test_tag_formats.moc"
