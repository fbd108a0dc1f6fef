#include "ov_field_codec.h"
#include "ov_test_capture.h"
#include "ov_test_env.h"
#include "ov_test_mp3.h"
#include "ov_test_program.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cmath>
#include <memory>

// A listening session with the real program, driven only the way a user
// drives it: a directory handed over by "Open With", keys typed into the
// window on a private X server, the sound heard on a PulseAudio null sink,
// and what was stored read back from the files after the window closed.
class test_orvantis_session : public QObject {
  Q_OBJECT

  static constexpr double tones[] = {330.0, 550.0, 880.0};

  QTemporaryDir home_;
  QTemporaryDir runtime_;
  QTemporaryDir music_;
  std::unique_ptr<ov_test::x_server> x_;
  std::unique_ptr<ov_test_capture> capture_;

  // ---- the X server and xdotool -------------------------------------------

  QString xdotool(const QStringList& args) const { return x_->xdotool(args); }

  QString main_window() const {
    return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                    QStringLiteral("^Orvantis 1\\.0\\.0a2$")})
        .section(QLatin1Char('\n'), 0, 0);
  }

  // Gives the window the keyboard focus (there is no window manager) and types.
  void type_keys(const QString& window, const QString& keys) const {
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys});
  }

  // ---- the program ----------------------------------------------------------

  std::unique_ptr<QProcess> start(const QStringList& args) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORVANTIS_HOME"), home_.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), x_->display());
    env.insert(QStringLiteral("ORVANTIS_AUTOTEST"), QStringLiteral("accept"));
    env.insert(QStringLiteral("ORVANTIS_PCM_DEVICE"), QStringLiteral("default"));
    return ov_test::start_program(args, env);
  }

  // Closes the window with the program's own Alt+F4 and waits for the end.
  int close_window(QProcess& p, QString& err) const {
    const QString window = main_window();
    if (window.isEmpty()) return -2;
    type_keys(window, QStringLiteral("alt+F4"));
    return ov_test::run_to_end(p, err);
  }

  // ---- what was heard --------------------------------------------------------

  // Level of one frequency in mono-mixed PCM (Goertzel), as an amplitude.
  static double level(const QByteArray& pcm, double frequency) {
    const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
    const qsizetype frames = pcm.size() / 4;
    if (frames == 0) return 0;
    const double w = 2 * M_PI * frequency / ov_test_capture::rate;
    const double c = 2 * std::cos(w);
    double q1 = 0, q2 = 0;
    for (qsizetype i = 0; i < frames; ++i) {
      const double x = (s[2 * i] + s[2 * i + 1]) / 65536.0;
      const double q0 = c * q1 - q2 + x;
      q2 = q1;
      q1 = q0;
    }
    return 2 * std::sqrt(q1 * q1 + q2 * q2 - c * q1 * q2) / double(frames);
  }

  // Index of the sample tone heard in the last 300 ms of the capture, or -1.
  int tone_heard() {
    const QByteArray pcm = capture_->tail(300);
    int best = -1;
    double best_level = 0.02;  // of full scale: clearly more than silence
    for (int i = 0; i < 3; ++i) {
      const double l = level(pcm, tones[i]);
      if (l > best_level) {
        best_level = l;
        best = i;
      }
    }
    return best;
  }

  // Waits (up to 20 s) until the wanted tone (-1: silence) is heard;
  // returns what was heard last.
  int wait_for_tone(int wanted) {
    QElapsedTimer t;
    t.start();
    int heard = -2;
    while (heard != wanted && t.elapsed() < 20000) {
      QThread::msleep(300);
      heard = tone_heard();
    }
    return heard;
  }

  // ---- what was stored -------------------------------------------------------

  QString conf(const QString& name) const { return home_.filePath(QStringLiteral("conf/") + name); }

  static QString sql(const QString& db, const QString& query) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {QStringLiteral("-separator"), QStringLiteral("|"), db, query});
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
  }

  QString ini_value(const QString& group, const QString& key) const {
    const QString text = ov_test::read_text(conf(QStringLiteral("main.ini")));
    const QRegularExpression re(QStringLiteral("\\[%1\\][^\\[]*\\n%2=([^\\n]*)").arg(group, key));
    return re.match(text).captured(1);
  }

  // Every library row as "file name | score:played:C(N):C(S):C(nS):C(L):C(dL):C(T)",
  // the enciphered counters read back with the installation's seed.
  QStringList library_rows() const {
    const QString seed = QRegularExpression(QStringLiteral("sec_seed=([0-9a-f-]{36})"))
                             .match(ov_test::read_text(conf(QStringLiteral("seed.ini"))))
                             .captured(1);
    QStringList rows;
    const QString all = sql(conf(QStringLiteral("library.db")),
                            QStringLiteral("SELECT id, filepath, s FROM library ORDER BY filepath;"));
    for (const QString& line : all.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
      const QStringList f = line.split(QLatin1Char('|'));
      if (f.size() != 3) return {};
      const QString counters =
          f[2].isEmpty() ? QStringLiteral("0:0:0:0:0:0:0:0") : decode_field(seed, f[2], f[0].toInt());
      rows << QFileInfo(f[1]).fileName() + QStringLiteral(" | ") + counters;
    }
    return rows;
  }

  // The tones of the user playlist's entries in their stored order.
  QList<int> playlist_tones() const {
    const QString files =
        sql(conf(QStringLiteral("playlist_items.db")),
            QStringLiteral("ATTACH '%1' AS l; SELECT f.filepath FROM playlist_items i JOIN l.library f "
                           "ON f.id = i.library_id WHERE i.playlist_id <> 0 ORDER BY i.position;")
                .arg(conf(QStringLiteral("library.db"))));
    QList<int> tones_in_order;
    for (const QString& file : files.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
      tones_in_order << QFileInfo(file).fileName().left(2).toInt() - 1;
    return tones_in_order;
  }

private slots:
  void initTestCase() {
    QVERIFY2(QFile::exists(ov_test::orvantis_binary()), qPrintable(ov_test::orvantis_binary()));
    for (const char* tool : {"Xvfb", "xdotool", "parec", "sqlite3", "lame"})
      if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
        QSKIP(qPrintable(QStringLiteral("no %1 here").arg(QLatin1String(tool))));
    capture_ = std::make_unique<ov_test_capture>();
    if (!capture_->server_ready()) QSKIP("no PulseAudio test server");
    x_ = std::make_unique<ov_test::x_server>(QSize(1400, 900));
    if (x_->display().isEmpty()) QSKIP("Xvfb did not start");
    // Three tracks of 20 s, told apart by their tones.
    for (int i = 0; i < 3; ++i) {
      const QString path = music_.filePath(QStringLiteral("%1 tone.mp3").arg(i + 1, 2, 10, QLatin1Char('0')));
      QVERIFY(ov_test::make_tone_mp3(
          path, {.seconds = 20, .channels = 1, .frequency = tones[i], .amplitude = 0.4, .bitrate = 64}));
      QVERIFY(ov_test::set_tags(path, QStringLiteral("Tone %1").arg(tones[i]), QStringLiteral("Tones"),
                                QStringLiteral("Sine"), unsigned(i + 1)));
    }
    // English, and the normal tab, so that whole tracks play in order.
    QVERIFY(ov_test::write_file(conf(QStringLiteral("main.ini")),
                                "[main]\nlang=english\n[window]\nselected_tab=0\n[normal_play]\nplay_type=normal\n"));
  }

  void cleanupTestCase() {
    capture_.reset();
    x_.reset();
  }

  // Open a directory, hear it, skip to the next track, make a playlist of
  // it, close; the next start shows the same place and keeps every count.
  void listen_close_and_come_back() {
    QVERIFY(capture_->start());
    auto first = start({});
    QString err;
    QVERIFY2(ov_test::wait_for(*first, err, QStringLiteral("window shown: Orvantis 1.0.0a2")), qPrintable(err));
    // The first run reports the files it created, once.
    QVERIFY2(ov_test::wait_for(*first, err, QStringLiteral("dialog result")), qPrintable(err));
    const QString window = main_window();
    QVERIFY(!window.isEmpty());

    // A new playlist (Ctrl+N, its name confirmed with Return) becomes the selected one.
    type_keys(window, QStringLiteral("ctrl+n"));
    type_keys(window, QStringLiteral("Return"));
    QElapsedTimer t;
    t.start();
    while (sql(conf(QStringLiteral("playlists.db")), QStringLiteral("SELECT name FROM playlists;")) !=
               QStringLiteral("New Playlist") &&
           t.elapsed() < 10000)
      QThread::msleep(100);
    QCOMPARE(sql(conf(QStringLiteral("playlists.db")), QStringLiteral("SELECT name FROM playlists;")),
             QStringLiteral("New Playlist"));

    // "Open With" the directory: a second start hands it over and ends with 1;
    // the first track is heard.
    auto open_with = start({music_.path()});
    QString err2;
    QCOMPARE(ov_test::run_to_end(*open_with, err2), 1);
    QVERIFY2(ov_test::wait_for(*first, err, QStringLiteral("raised Orvantis 1.0.0a2")), qPrintable(err));
    // A directory is read in the order the file system lists it; the new
    // playlist shows that order, and its first entry plays.
    QList<int> order;
    for (QElapsedTimer w; order.size() < 3 && (w.isValid() || (w.start(), true)) && w.elapsed() < 20000;
         QThread::msleep(100))
      order = playlist_tones();
    QCOMPARE(order.size(), 3);
    QCOMPARE(wait_for_tone(order[0]), order[0]);
    QThread::msleep(1500);  // listened to long enough to count a second

    // Ctrl+Right: the next entry of the list is heard instead.
    type_keys(window, QStringLiteral("ctrl+Right"));
    QCOMPARE(wait_for_tone(order[1]), order[1]);
    // Space pauses: silence; Space again plays the same track on.
    type_keys(window, QStringLiteral("space"));
    QCOMPARE(wait_for_tone(-1), -1);
    type_keys(window, QStringLiteral("space"));
    QCOMPARE(wait_for_tone(order[1]), order[1]);
    QThread::msleep(1500);  // a few seconds of listening to count

    // Ctrl+L puts the cursor on the playing entry; Alt+F4 closes the window.
    type_keys(window, QStringLiteral("ctrl+l"));
    QCOMPARE(close_window(*first, err), 0);
    QVERIFY2(err.contains(QStringLiteral("exit 0")), qPrintable(err));
    QCOMPARE(err.count(QStringLiteral("dialog:")), 1);
    capture_->stop();

    QCOMPARE(ini_value(QStringLiteral("window"), QStringLiteral("selected_playlist")), QStringLiteral("1"));
    QCOMPARE(ini_value(QStringLiteral("window"), QStringLiteral("selected_tab")), QStringLiteral("0"));
    QCOMPARE(ini_value(QStringLiteral("window"), QStringLiteral("selected_table_row")), QStringLiteral("1"));
    QCOMPARE(playlist_tones(), order);
    const QStringList rows = library_rows();
    QCOMPARE(rows.size(), 3);
    // The first entry was started (C(N)), the first two listened to, the third
    // not at all.
    const QRegularExpression counters(QStringLiteral("^(\\d+):(\\d+):(\\d+):(\\d+):(\\d+):(\\d+):(\\d+):(\\d+)$"));
    for (int n = 0; n < 3; ++n) {
      const int i = order[n];
      const QRegularExpressionMatch m = counters.match(rows[i].section(QStringLiteral(" | "), 1));
      QVERIFY2(m.hasMatch(), qPrintable(rows[i]));
      if (n < 2) {
        QVERIFY2(m.captured(2).toInt() >= 1, qPrintable(rows[i]));
        QVERIFY2(m.captured(3).toInt() == (n == 0 ? 1 : 0), qPrintable(rows[i]));
      } else {
        QCOMPARE(rows[i].section(QStringLiteral(" | "), 1), QStringLiteral("0:0:0:0:0:0:0:0"));
      }
    }
    // The first play new of the session earned a point.
    QVERIFY2(rows[order[0]].section(QStringLiteral(" | "), 1).section(QLatin1Char(':'), 0, 0).toInt() >= 1,
             qPrintable(rows.join(QLatin1Char('\n'))));

    // The next start: nothing plays by itself, the same playlist, tab and
    // row come back (and are stored again), the library and its counts stay.
    QVERIFY(capture_->start());
    auto again = start({});
    QString err3;
    QVERIFY2(ov_test::wait_for(*again, err3, QStringLiteral("window shown: Orvantis 1.0.0a2")), qPrintable(err3));
    QThread::msleep(1000);
    QCOMPARE(tone_heard(), -1);
    QCOMPARE(close_window(*again, err3), 0);
    capture_->stop();
    QVERIFY2(!err3.contains(QStringLiteral("dialog:")), qPrintable(err3));
    QCOMPARE(ini_value(QStringLiteral("window"), QStringLiteral("selected_playlist")), QStringLiteral("1"));
    QCOMPARE(ini_value(QStringLiteral("window"), QStringLiteral("selected_tab")), QStringLiteral("0"));
    QCOMPARE(ini_value(QStringLiteral("window"), QStringLiteral("selected_table_row")), QStringLiteral("1"));
    QCOMPARE(library_rows(), rows);
    QCOMPARE(playlist_tones(), order);
  }
};

QTEST_GUILESS_MAIN(test_orvantis_session)
#include "test_orvantis_session.moc"
