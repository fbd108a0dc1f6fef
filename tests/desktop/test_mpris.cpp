#include "ov_mpris.h"
#include "ov_track.h"

#include <QEventLoop>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// A player that records the commands it is given.
struct recording_player : ov_media_player {
  status state = status::stopped;
  const ov_track* track = nullptr;
  int volume_value = 100;
  qint64 position = 0;
  QStringList calls;

  status playback_status() const override { return state; }
  const ov_track* current_track() const override { return track; }
  qint64 position_ms() const override { return position; }
  int volume() const override { return volume_value; }
  bool can_go_next() const override { return true; }
  bool can_go_previous() const override { return true; }
  bool can_play() const override { return true; }
  bool can_seek() const override { return track != nullptr; }
  void play() override { calls << QStringLiteral("play"); }
  void pause() override { calls << QStringLiteral("pause"); }
  void play_pause() override { calls << QStringLiteral("play_pause"); }
  void stop() override { calls << QStringLiteral("stop"); }
  void next() override { calls << QStringLiteral("next"); }
  void previous() override { calls << QStringLiteral("previous"); }
  void set_position_ms(qint64 ms) override { calls << QStringLiteral("position %1").arg(ms); }
  void set_volume(int v) override {
    volume_value = v;
    calls << QStringLiteral("volume %1").arg(v);
  }
  void open_paths(const QStringList& paths) override {
    calls << QStringLiteral("open ") + paths.join(QLatin1Char(','));
  }
  void raise() override { calls << QStringLiteral("raise"); }
  void quit() override { calls << QStringLiteral("quit"); }
};

}  // namespace

// The media-control service on a private session bus, driven by playerctl
// and gdbus the way the desktop drives it.
class test_mpris : public QObject {
  Q_OBJECT

  QProcess bus_daemon_;
  QString address_;
  QTemporaryDir cache_;

  // Runs a client while this process keeps answering on the bus.
  static QString client(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    QEventLoop loop;
    connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    p.start(program, args);
    if (p.waitForStarted(5000)) loop.exec();
    return QString::fromUtf8(p.readAll()).trimmed();
  }
  static QString playerctl(const QStringList& args) {
    return client(QStringLiteral("playerctl"), QStringList{QStringLiteral("-p"), QStringLiteral("orvantis")} + args);
  }

private slots:
  void initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("playerctl")).isEmpty())
      QSKIP("dbus-daemon and playerctl are needed");
    bus_daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    QVERIFY(bus_daemon_.waitForReadyRead(10000));
    address_ = QString::fromUtf8(bus_daemon_.readLine()).trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address_.toUtf8());
    qputenv("XDG_CACHE_HOME", cache_.path().toUtf8());
  }
  void cleanupTestCase() {
    bus_daemon_.kill();
    bus_daemon_.waitForFinished();
  }

  void serves_metadata_and_commands() {
    ov_track track(7, 0,
                   ov_tag_data::from_values(QStringLiteral("/music/a.mp3"), QStringLiteral("Alpha"),
                                            QStringLiteral("Album"), QStringLiteral("Artist"), 3, 125));
    recording_player player;
    player.track = &track;
    player.state = ov_media_player::status::playing;
    ov_mpris mpris(&player);
    QVERIFY(mpris.start());

    QVERIFY(
        client(QStringLiteral("playerctl"), {QStringLiteral("-l")}).split('\n').contains(QStringLiteral("orvantis")));
    QCOMPARE(playerctl({QStringLiteral("metadata"), QStringLiteral("--format"),
                        QStringLiteral("{{title}}|{{album}}|{{artist}}|{{mpris:length}}|{{xesam:url}}")}),
             QStringLiteral("Alpha|Album|Artist|125000000|file:///music/a.mp3"));
    QCOMPARE(playerctl({QStringLiteral("status")}), QStringLiteral("Playing"));

    // The commands, volume and the changes announced: test_mpris_binary.
    playerctl({QStringLiteral("position"), QStringLiteral("10")});   // SetPosition on the current track
    playerctl({QStringLiteral("position"), QStringLiteral("200")});  // past the end: ignored
    QCOMPARE(player.calls, QStringList{QStringLiteral("position 10000")});
  }

  // The finer points of the protocol, as a client sends them: OpenUri takes
  // file URIs only, a negative position is ignored, a rate of 0 pauses and
  // the rate stays 1.
  void protocol_details() {
    ov_track track(7, 0,
                   ov_tag_data::from_values(QStringLiteral("/music/a.mp3"), QStringLiteral("Alpha"), QString(),
                                            QString(), 0, 125));
    recording_player player;
    player.track = &track;
    player.state = ov_media_player::status::playing;
    ov_mpris mpris(&player);
    QVERIFY(mpris.start());
    const auto send = [](const QString& member, const QStringList& args) {
      return client(QStringLiteral("dbus-send"),
                    QStringList{QStringLiteral("--session"), QStringLiteral("--print-reply"),
                                QStringLiteral("--dest=org.mpris.MediaPlayer2.orvantis"),
                                QStringLiteral("/org/mpris/MediaPlayer2"), member} +
                        args);
    };
    const QString player_interface = QStringLiteral("string:org.mpris.MediaPlayer2.Player");
    const QString set = QStringLiteral("org.freedesktop.DBus.Properties.Set");
    QVERIFY(!send(QStringLiteral("org.mpris.MediaPlayer2.Player.OpenUri"),
                  {QStringLiteral("string:file:///music/c%20d.mp3")})
                 .contains(QStringLiteral("Error")));
    QVERIFY(send(QStringLiteral("org.mpris.MediaPlayer2.Player.OpenUri"),
                 {QStringLiteral("string:https://example.org/e.mp3")})
                .startsWith(QStringLiteral("Error org.freedesktop.DBus.Error.NotSupported")));
    send(QStringLiteral("org.mpris.MediaPlayer2.Player.SetPosition"),
         {QStringLiteral("objpath:/org/orvantis/track/7"), QStringLiteral("int64:-500")});
    send(set, {player_interface, QStringLiteral("string:Rate"), QStringLiteral("variant:double:0")});
    QCOMPARE(player.calls, (QStringList{QStringLiteral("open /music/c d.mp3"), QStringLiteral("pause")}));
    for (const char* rate : {"string:Rate", "string:MinimumRate", "string:MaximumRate"})
      QVERIFY(send(QStringLiteral("org.freedesktop.DBus.Properties.Get"), {player_interface, QLatin1String(rate)})
                  .endsWith(QStringLiteral("double 1")));
  }
};

QTEST_GUILESS_MAIN(test_mpris)
#include "test_mpris.moc"
