#include "ov_mpris_adaptors.h"

#include "ov_mpris.h"
#include "ov_track.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QUrl>

#include <cmath>

ov_mpris_root_adaptor::ov_mpris_root_adaptor(ov_mpris* mpris, QObject* object)
    : QDBusAbstractAdaptor(object), mpris_(mpris) {}

void ov_mpris_root_adaptor::Raise() {
  mpris_->player()->raise();
}

void ov_mpris_root_adaptor::Quit() {
  mpris_->player()->quit();
}

ov_mpris_player_adaptor::ov_mpris_player_adaptor(ov_mpris* mpris, QObject* object)
    : QDBusAbstractAdaptor(object), mpris_(mpris) {}

ov_media_player* ov_mpris_player_adaptor::player() const {
  return mpris_->player();
}

QString ov_mpris_player_adaptor::playback_status() const {
  switch (player()->playback_status()) {
    case ov_media_player::status::playing:
      return QStringLiteral("Playing");
    case ov_media_player::status::paused:
      return QStringLiteral("Paused");
    case ov_media_player::status::stopped:
      break;
  }
  return QStringLiteral("Stopped");
}

QVariantMap ov_mpris_player_adaptor::metadata() const {
  return mpris_->metadata();
}

double ov_mpris_player_adaptor::volume() const {
  return player()->volume() / 100.0;
}

void ov_mpris_player_adaptor::set_volume(double volume) {
  if (std::isnan(volume)) return;
  player()->set_volume(static_cast<int>(std::lround(qBound(0.0, volume, 1.0) * 100)));
}

qlonglong ov_mpris_player_adaptor::position() const {
  return player()->position_ms() * 1000;
}

bool ov_mpris_player_adaptor::can_go_next() const {
  return player()->can_go_next();
}

bool ov_mpris_player_adaptor::can_go_previous() const {
  return player()->can_go_previous();
}

bool ov_mpris_player_adaptor::can_play() const {
  return player()->can_play();
}

bool ov_mpris_player_adaptor::can_seek() const {
  return player()->can_seek();
}

void ov_mpris_player_adaptor::set_rate(double rate) {
  if (rate == 0.0) player()->pause();
}

void ov_mpris_player_adaptor::OpenUri(const QString& uri, const QDBusMessage& message) {
  const QUrl url(uri, QUrl::StrictMode);
  if (url.isValid() && url.isLocalFile() && !url.toLocalFile().isEmpty()) {
    player()->open_paths({url.toLocalFile()});
    return;
  }
  message.setDelayedReply(true);
  mpris_->bus().send(
      message.createErrorReply(QDBusError::NotSupported, QStringLiteral("only file URIs can be opened: ") + uri));
}

void ov_mpris_player_adaptor::Play() {
  player()->play();
}

void ov_mpris_player_adaptor::Pause() {
  player()->pause();
}

void ov_mpris_player_adaptor::PlayPause() {
  player()->play_pause();
}

void ov_mpris_player_adaptor::Stop() {
  player()->stop();
}

void ov_mpris_player_adaptor::Next() {
  player()->next();
}

void ov_mpris_player_adaptor::Previous() {
  player()->previous();
}

// A seek past the end goes to the next track; one before the start to 0.
void ov_mpris_player_adaptor::Seek(qlonglong offset_us) {
  const ov_track* track = player()->current_track();
  if (!track || !player()->can_seek()) return;
  const qint64 target = player()->position_ms() + offset_us / 1000;
  if (target >= qint64(track->tags().length()) * 1000) {
    player()->next();
    return;
  }
  player()->set_position_ms(qMax<qint64>(0, target));
  mpris_->eslot_seeked(qMax<qint64>(0, target));
}

// Ignored unless it names the track in play and a position inside it.
void ov_mpris_player_adaptor::SetPosition(const QDBusObjectPath& track_id, qlonglong position_us) {
  const ov_track* track = player()->current_track();
  if (!track || !player()->can_seek() || track_id != ov_mpris::track_object_path(track)) return;
  if (position_us < 0) return;
  const qint64 ms = position_us / 1000;
  if (ms > qint64(track->tags().length()) * 1000) return;
  player()->set_position_ms(ms);
  mpris_->eslot_seeked(ms);
}
