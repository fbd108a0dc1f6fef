#pragma once

#include "ov_media_player.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class ov_track;

// The player on the session bus as org.mpris.MediaPlayer2.orvantis, so that
// media keys, the desktop's sound menu and playerctl reach it. Commands go
// to the ov_media_player; the owner reports every change through the
// eslot_ calls, which send PropertiesChanged (QtDBus does not).
class ov_mpris : public QObject {
  Q_OBJECT

public:
  static constexpr const char* service_name = "org.mpris.MediaPlayer2.orvantis";
  static constexpr const char* object_path = "/org/mpris/MediaPlayer2";

  ov_mpris(ov_media_player* player, QObject* parent = nullptr);
  ~ov_mpris() override;

  // Registers on the given bus (the session bus by default). Without a bus,
  // or when the name is taken, logs one INFO line and returns false.
  bool start(const QDBusConnection& bus = QDBusConnection::sessionBus());
  bool is_running() const { return running_; }

  ov_media_player* player() const { return player_; }
  const QDBusConnection& bus() const { return bus_; }
  QVariantMap metadata() const;
  static QDBusObjectPath track_object_path(const ov_track* track);
  // The cover written to the user's cache directory for the desktop to show;
  // empty without a picture.
  static QString cover_url(const ov_track* track);

public slots:
  void eslot_status_changed();
  void eslot_track_changed();
  void eslot_volume_changed();
  void eslot_capabilities_changed();
  void eslot_seeked(qint64 position_ms);

private:
  void send_changed(const QStringList& names);

  ov_media_player* player_;
  QObject* root_object_;
  QDBusConnection bus_;
  QString art_url_;  // of the current track, written once per track change
  bool running_ = false;
};
