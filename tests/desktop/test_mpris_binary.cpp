// The real program on a private session bus and its own X server, reached
// the way the desktop reaches it: playerctl for the media controls, OpenUri
// for a file to play, D-Bus signals for what changes.
#include "ov_test_capture.h"
#include "ov_test_env.h"
#include "ov_test_mp3.h"
#include "ov_test_program.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>
#include <QtTest>

#include <memory>

namespace {

const QString player_interface = QStringLiteral("org.mpris.MediaPlayer2.Player");

// Collects what PropertiesChanged announced: titles in Metadata, playback
// states and volumes.
class changes_listener : public QObject {
  Q_OBJECT

public:
  QStringList titles, statuses;
  QList<double> volumes;

public slots:
  void properties_changed(const QString& interface, const QVariantMap& changed, const QStringList&) {
    if (interface != player_interface) return;
    if (changed.contains(QStringLiteral("Metadata"))) {
      const QVariantMap metadata = qdbus_cast<QVariantMap>(changed.value(QStringLiteral("Metadata")));
      titles << metadata.value(QStringLiteral("xesam:title")).toString();
    }
    if (changed.contains(QStringLiteral("PlaybackStatus")))
      statuses << changed.value(QStringLiteral("PlaybackStatus")).toString();
    if (changed.contains(QStringLiteral("Volume"))) volumes << changed.value(QStringLiteral("Volume")).toDouble();
  }
};

}  // namespace

class test_mpris_binary : public QObject {
  Q_OBJECT

  QProcess bus_daemon_;
  QString bus_address_;
  std::unique_ptr<ov_test::x_server> x_;
  std::unique_ptr<ov_test_capture> sound_;
  QTemporaryDir music_;
  QTemporaryDir extra_;  // a file handed over by a second start

  struct run_dirs {
    QTemporaryDir home;
    QTemporaryDir runtime;
    QTemporaryDir cache;
  };

  QProcessEnvironment environment(const run_dirs& dirs) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORVANTIS_HOME"), dirs.home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dirs.runtime.path());
    env.insert(QStringLiteral("XDG_CACHE_HOME"), dirs.cache.path());
    env.insert(QStringLiteral("ORVANTIS_AUTOTEST"), QStringLiteral("accept"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), x_->display());
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_address_);
    return env;
  }

  static QString playerctl(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("playerctl"), QStringList{QStringLiteral("-p"), QStringLiteral("orvantis")} + args);
    p.waitForFinished(20000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
  }

  // Asks playerctl until the answer is the expected one (the program acts
  // on its own event loop, so a change shows a moment later); returns the
  // last answer.
  static QString playerctl_until(const QStringList& args, const std::function<bool(const QString&)>& done) {
    QString answer;
    for (int i = 0; i < 300; ++i) {
      answer = playerctl(args);
      if (done(answer)) break;
      QThread::msleep(100);
    }
    return answer;
  }
  static QString title() { return playerctl({QStringLiteral("metadata"), QStringLiteral("title")}); }

  // Loudness of about a second of what the sink plays, after the moment
  // that was still on its way when the capture started.
  double loud_ms_of_a_second() {
    if (!sound_->start()) return -1;
    for (int i = 0; i < 200 && sound_->captured() < 2 * 2 * ov_test_capture::rate * 3 / 2; ++i) QThread::msleep(50);
    const QByteArray pcm = sound_->stop();
    const QByteArray last_second = pcm.right(2 * 2 * ov_test_capture::rate);
    return ov_test_capture::loud_ms(ov_test_capture::envelope(last_second), 0.05);
  }

private slots:
  void initTestCase() {
    QVERIFY2(QFile::exists(ov_test::orvantis_binary()), qPrintable(ov_test::orvantis_binary()));
    for (const char* tool : {"Xvfb", "dbus-daemon", "playerctl", "lame"})
      if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
        QSKIP(qPrintable(QStringLiteral("%1 is needed").arg(QLatin1String(tool))));
    sound_ = std::make_unique<ov_test_capture>();
    if (!sound_->server_ready()) QSKIP("no PulseAudio server for the sound");
    bus_daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    QVERIFY(bus_daemon_.waitForReadyRead(10000));
    bus_address_ = QString::fromUtf8(bus_daemon_.readLine()).trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus_address_.toUtf8());
    x_ = std::make_unique<ov_test::x_server>();
    QVERIFY2(!x_->display().isEmpty(), "Xvfb did not start");

    // Three tones of different lengths, so each title has its own length.
    int seconds = 40;
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
      const QString path = music_.filePath(QStringLiteral("%1.mp3").arg(QLatin1String(name)));
      QVERIFY(ov_test::make_tone_mp3(path, {.seconds = double(seconds)}));
      QVERIFY(ov_test::set_tags(path, QLatin1String(name), QStringLiteral("Tones"), QStringLiteral("Generator")));
      seconds += 4;
    }
    const QString delta = extra_.filePath(QStringLiteral("Delta.mp3"));
    QVERIFY(ov_test::make_tone_mp3(delta, {.seconds = 10}));
    QVERIFY(ov_test::set_tags(delta, QStringLiteral("Delta"), QString(), QString()));
  }

  void cleanupTestCase() {
    x_.reset();
    bus_daemon_.terminate();
    if (!bus_daemon_.waitForFinished(5000)) bus_daemon_.kill();
    bus_daemon_.waitForFinished();
  }

  void media_controls_and_open_with() {
    run_dirs dirs;
    QVERIFY(ov_test::write_file(dirs.home.filePath(QStringLiteral("conf/main.ini")), "[main]\nlang=english\n"));
    QDBusConnection listener_bus = QDBusConnection::connectToBus(bus_address_, QStringLiteral("listener"));
    changes_listener listener;
    QVERIFY(listener_bus.connect(QString(), QStringLiteral("/org/mpris/MediaPlayer2"),
                                 QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
                                 &listener, SLOT(properties_changed(QString, QVariantMap, QStringList))));

    // Started with the directory as its argument, it plays one of its files.
    auto first = ov_test::start_program({music_.path()}, environment(dirs));
    QString err;
    QVERIFY2(ov_test::wait_for(*first, err, QStringLiteral("window shown")), qPrintable(err));
    const QString listed = playerctl_until({QStringLiteral("-l")}, [](const QString& a) {
      return a.split(QLatin1Char('\n')).contains(QStringLiteral("orvantis"));
    });
    QVERIFY2(listed.split(QLatin1Char('\n')).contains(QStringLiteral("orvantis")), qPrintable(listed));
    const QString playing = playerctl_until({QStringLiteral("metadata"), QStringLiteral("title")},
                                            [](const QString& a) { return !a.isEmpty(); });
    const QMap<QString, int> lengths{
        {QStringLiteral("Alpha"), 40}, {QStringLiteral("Beta"), 44}, {QStringLiteral("Gamma"), 48}};
    QVERIFY2(lengths.contains(playing), qPrintable(playing + err));
    QCOMPARE(playerctl({QStringLiteral("metadata"), QStringLiteral("mpris:length")}),
             QString::number(qint64(lengths.value(playing)) * 1000000));
    QCOMPARE(playerctl({QStringLiteral("metadata"), QStringLiteral("album")}), QStringLiteral("Tones"));
    QCOMPARE(
        playerctl_until({QStringLiteral("status")}, [](const QString& a) { return a == QLatin1String("Playing"); }),
        QStringLiteral("Playing"));

    // Pause falls silent; play sounds again.
    playerctl({QStringLiteral("play-pause")});
    QCOMPARE(playerctl_until({QStringLiteral("status")}, [](const QString& a) { return a == QLatin1String("Paused"); }),
             QStringLiteral("Paused"));
    QTRY_VERIFY(listener.statuses.contains(QStringLiteral("Paused")));
    QCOMPARE(loud_ms_of_a_second(), 0.0);
    playerctl({QStringLiteral("play-pause")});
    QCOMPARE(
        playerctl_until({QStringLiteral("status")}, [](const QString& a) { return a == QLatin1String("Playing"); }),
        QStringLiteral("Playing"));
    QVERIFY(loud_ms_of_a_second() > 500);

    // A jump into the track: the position goes on from there.
    playerctl({QStringLiteral("position"), QStringLiteral("20")});
    const double position =
        playerctl_until({QStringLiteral("position")}, [](const QString& a) { return a.toDouble() >= 20; }).toDouble();
    QVERIFY2(position >= 20 && position < lengths.value(playing), qPrintable(QString::number(position)));

    // Next: another track, announced to listeners.
    listener.titles.clear();
    playerctl({QStringLiteral("next")});
    const QString after_next = playerctl_until({QStringLiteral("metadata"), QStringLiteral("title")},
                                               [&](const QString& a) { return a != playing; });
    QVERIFY2(lengths.contains(after_next) && after_next != playing, qPrintable(after_next));
    QTRY_VERIFY2(listener.titles.contains(after_next), qPrintable(listener.titles.join(QLatin1Char(','))));

    // Volume: the global volume, announced and stored.
    playerctl({QStringLiteral("volume"), QStringLiteral("0.5")});
    QTRY_VERIFY(listener.volumes.contains(0.5));
    QCOMPARE(playerctl({QStringLiteral("volume")}).toDouble(), 0.5);

    // OpenUri adds and plays a file as Open With does (other schemes: test_mpris).
    const auto open_uri = [&](const QString& uri) {
      return listener_bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.mpris.MediaPlayer2.orvantis"),
                                                              QStringLiteral("/org/mpris/MediaPlayer2"),
                                                              player_interface, QStringLiteral("OpenUri"))
                               << uri);
    };
    QCOMPARE(open_uri(QUrl::fromLocalFile(extra_.filePath(QStringLiteral("Delta.mp3"))).toString()).type(),
             QDBusMessage::ReplyMessage);
    QCOMPARE(playerctl_until({QStringLiteral("metadata"), QStringLiteral("title")},
                             [](const QString& a) { return a == QLatin1String("Delta"); }),
             QStringLiteral("Delta"));

    // Quit closes the window the normal way, which stores the settings.
    QDBusMessage quit = QDBusMessage::createMethodCall(
        QStringLiteral("org.mpris.MediaPlayer2.orvantis"), QStringLiteral("/org/mpris/MediaPlayer2"),
        QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("Quit"));
    QCOMPARE(listener_bus.call(quit).type(), QDBusMessage::ReplyMessage);
    QCOMPARE(ov_test::run_to_end(*first, err), 0);
    QDBusConnection::disconnectFromBus(QStringLiteral("listener"));
    QVERIFY2(ov_test::read_text(dirs.home.filePath(QStringLiteral("conf/main.ini")))
                 .contains(QStringLiteral("[volume]\nvolume=50\n")),
             qPrintable(ov_test::read_text(dirs.home.filePath(QStringLiteral("conf/main.ini")))));
  }

  // Without a session bus the program runs as usual; one INFO line says why
  // the media controls are not there.
  void no_session_bus() {
    run_dirs dirs;
    QVERIFY(ov_test::write_file(dirs.home.filePath(QStringLiteral("conf/main.ini")), "[main]\nlang=english\n"));
    QProcessEnvironment env = environment(dirs);
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/bus"));
    auto p = ov_test::start_program({}, env);
    QString err;
    QVERIFY2(ov_test::wait_for(*p, err, QStringLiteral("window shown")), qPrintable(err));
    p->terminate();
    QCOMPARE(ov_test::run_to_end(*p, err), 0);
    const QStringList lines =
        ov_test::log_text(dirs.home.path()).split(QLatin1Char('\n')).filter(QStringLiteral("\tmpris\t"));
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(QStringLiteral("\tINFO\tmpris\tno session bus")), qPrintable(lines.first()));
  }
};

QTEST_GUILESS_MAIN(test_mpris_binary)
#include "test_mpris_binary.moc"
