// The ovplay harness on the ALSA "null" device: output lines and exit codes.
#include "ov_test_env.h"
#include "ov_test_mp3.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class test_ovplay : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString tone_;

  QString err_;

  QStringList run(const QStringList& args, int* code) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORVANTIS_PCM_DEVICE", "null");
    p.setProcessEnvironment(env);
    p.start(ov_test::binary_dir() + "/src/playback/tools/ovplay", args);
    if (!p.waitForFinished(30000)) return {};
    *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    err_ = QString::fromUtf8(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  }

private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    tone_ = dir_.filePath("tone.mp3");
    QVERIFY(ov_test::make_tone_mp3(tone_));
  }

  void plays_files_one_after_another() {
    int code = -1;
    const QStringList out = run({"--volume", "40", "--global-volume", "80", tone_, tone_}, &code);
    QCOMPARE(code, 0);
    QCOMPARE(out, QStringList({"file " + tone_, "state ready -> playing", "play_finished 0",
                               "state playing -> finished", "state finished -> stopped", "state stopped -> closed",
                               "file " + tone_, "state ready -> playing", "play_finished 0",
                               "state playing -> finished", "state finished -> stopped", "state stopped -> closed"}));
  }

  void medley_phases() {
    int code = -1;
    const QStringList out =
        run({"--fade-in", "200", "--flatline", "150", "--fade-out", "200", "--start", "300", tone_}, &code);
    QCOMPARE(code, 0);
    QCOMPARE(out.filter(QRegularExpression("^(fadein|flatline|fadeout)_finished")),
             QStringList({"fadein_finished 1", "flatline_finished 2", "fadeout_finished 3"}));
  }

  void exit_codes() {
    int code = -1;
    const QStringList out = run({tone_, dir_.filePath("missing.mp3")}, &code);
    QCOMPARE(code, 2);
    QCOMPARE(out.last(), "cannot load " + dir_.filePath("missing.mp3"));
    run({"--volume"}, &code);
    QCOMPARE(code, 1);
    run({}, &code);
    QCOMPARE(code, 1);
  }

  // Only regular files are opened, never in a way that blocks; free-format
  // streams play; the decoder keeps its diagnostics off stderr.
  void refuses_what_is_not_a_file_and_plays_free_format() {
    const QString fifo = dir_.filePath("fifo.mp3");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0644) == 0);
    const QString zero = dir_.filePath("zero.mp3");
    QVERIFY(QFile::link("/dev/zero", zero));
    int code = -1;
    for (const QString& path : {fifo, zero}) {
      const QStringList out = run({path}, &code);
      QCOMPARE(code, 2);
      QCOMPARE(out.last(), "cannot load " + path);
    }

    const QString free_format = dir_.filePath("free.mp3");
    QVERIFY(ov_test::encode_mp3(free_format, ov_test::tone_pcm(ov_test::tone()), 44100, 2, 320, {"--freeformat"}));
    QCOMPARE(run({free_format}, &code).first(), "file " + free_format);
    QCOMPARE(code, 0);

    const QString junk_first = ov_test::corpus_dir() + "/mm__outofbounds.mp3";
    if (!QFile::exists(junk_first)) QSKIP("corpus file missing");
    run({junk_first}, &code);
    QVERIFY2(!err_.contains("libmpg123") && !err_.contains("Note:") && !err_.contains("warning:"), qPrintable(err_));
  }
};

QTEST_GUILESS_MAIN(test_ovplay)
#include "test_ovplay.moc"
