#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

class ov_mpris;
class ov_media_player;

// org.mpris.MediaPlayer2: the application as a whole.
class ov_mpris_root_adaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
  Q_PROPERTY(bool CanQuit READ can_quit)
  Q_PROPERTY(bool CanRaise READ can_raise)
  Q_PROPERTY(bool HasTrackList READ has_track_list)
  Q_PROPERTY(QString Identity READ identity)
  Q_PROPERTY(QString DesktopEntry READ desktop_entry)
  Q_PROPERTY(QStringList SupportedUriSchemes READ supported_uri_schemes)
  Q_PROPERTY(QStringList SupportedMimeTypes READ supported_mime_types)

public:
  ov_mpris_root_adaptor(ov_mpris* mpris, QObject* object);

  bool can_quit() const { return true; }
  bool can_raise() const { return true; }
  bool has_track_list() const { return false; }
  QString identity() const { return QStringLiteral("Orvantis"); }
  QString desktop_entry() const { return QStringLiteral("orvantis"); }
  QStringList supported_uri_schemes() const { return {QStringLiteral("file")}; }
  QStringList supported_mime_types() const { return {QStringLiteral("audio/mpeg")}; }

public slots:
  void Raise();
  void Quit();

private:
  ov_mpris* mpris_;
};

// org.mpris.MediaPlayer2.Player: transport, track and volume.
class ov_mpris_player_adaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
  // Seeked(x position) is sent by ov_mpris as a plain bus signal.
  Q_PROPERTY(QString PlaybackStatus READ playback_status)
  Q_PROPERTY(double Rate READ rate WRITE set_rate)
  Q_PROPERTY(double MinimumRate READ rate)
  Q_PROPERTY(double MaximumRate READ rate)
  Q_PROPERTY(QVariantMap Metadata READ metadata)
  Q_PROPERTY(double Volume READ volume WRITE set_volume)
  Q_PROPERTY(qlonglong Position READ position)
  Q_PROPERTY(bool CanGoNext READ can_go_next)
  Q_PROPERTY(bool CanGoPrevious READ can_go_previous)
  Q_PROPERTY(bool CanPlay READ can_play)
  Q_PROPERTY(bool CanPause READ can_play)
  Q_PROPERTY(bool CanSeek READ can_seek)
  Q_PROPERTY(bool CanControl READ can_control)

public:
  ov_mpris_player_adaptor(ov_mpris* mpris, QObject* object);

  QString playback_status() const;
  // The rate stays 1.0; setting it to 0.0 pauses.
  double rate() const { return 1.0; }
  void set_rate(double rate);
  QVariantMap metadata() const;
  double volume() const;
  void set_volume(double volume);
  qlonglong position() const;
  bool can_go_next() const;
  bool can_go_previous() const;
  bool can_play() const;
  bool can_seek() const;
  bool can_control() const { return true; }

public slots:
  void Play();
  void Pause();
  void PlayPause();
  void Stop();
  void Next();
  void Previous();
  void Seek(qlonglong offset_us);
  void SetPosition(const QDBusObjectPath& track_id, qlonglong position_us);
  // A file URI is added and played as Open With does; any other scheme is
  // refused with a D-Bus error.
  void OpenUri(const QString& uri, const QDBusMessage& message);

private:
  ov_media_player* player() const;

  ov_mpris* mpris_;
};
