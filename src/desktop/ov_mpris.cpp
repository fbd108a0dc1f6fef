#include "ov_mpris.h"

#include "ov_log.h"
#include "ov_mpris_adaptors.h"
#include "ov_rank_table.h"
#include "ov_track.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QImage>
#include <QStandardPaths>
#include <QUrl>

namespace {
const QString log_tag = QStringLiteral("mpris");
const QString player_interface = QStringLiteral("org.mpris.MediaPlayer2.Player");
}  // namespace

ov_mpris::ov_mpris(ov_media_player* player, QObject* parent)
    : QObject(parent), player_(player), root_object_(new QObject(this)), bus_(QString()) {
  new ov_mpris_root_adaptor(this, root_object_);
  new ov_mpris_player_adaptor(this, root_object_);
}

ov_mpris::~ov_mpris() {
  if (!running_) return;
  bus_.unregisterObject(QString::fromLatin1(object_path));
  bus_.unregisterService(QString::fromLatin1(service_name));
}

bool ov_mpris::start(const QDBusConnection& bus) {
  bus_ = bus;
  if (!bus_.isConnected()) {
    ov_log_write(ov_log::INFO, log_tag, QStringLiteral("no session bus; media keys and the sound menu are not served"));
    return false;
  }
  if (!bus_.registerObject(QString::fromLatin1(object_path), root_object_, QDBusConnection::ExportAdaptors) ||
      !bus_.registerService(QString::fromLatin1(service_name))) {
    ov_log_write(ov_log::INFO, log_tag,
                 QStringLiteral("could not register ") + QString::fromLatin1(service_name) +
                     QStringLiteral(" on the session bus: ") + bus_.lastError().message());
    bus_.unregisterObject(QString::fromLatin1(object_path));
    return false;
  }
  running_ = true;
  art_url_ = cover_url(player_->current_track());
  return true;
}

QDBusObjectPath ov_mpris::track_object_path(const ov_track* track) {
  if (!track) return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
  return QDBusObjectPath(QStringLiteral("/org/orvantis/track/%1").arg(track->id()));
}

QString ov_mpris::cover_url(const ov_track* track) {
  if (!track) return {};
  const QImage picture = track->tags().picture();
  if (picture.isNull()) return {};
  const QString dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/covers");
  const QString path = dir + QStringLiteral("/%1.png").arg(track->id());
  if (!QFile::exists(path) && !(QDir().mkpath(dir) && picture.save(path, "PNG"))) {
    ov_log_write(ov_log::WARNING, log_tag, QStringLiteral("could not write the cover picture ") + path);
    return {};
  }
  return QUrl::fromLocalFile(path).toString();
}

QVariantMap ov_mpris::metadata() const {
  const ov_track* track = player_->current_track();
  QVariantMap map;
  map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(track_object_path(track)));
  if (!track) return map;
  const ov_tag_data& tags = track->tags();
  map.insert(QStringLiteral("mpris:length"), qlonglong(tags.length()) * 1000000);
  map.insert(QStringLiteral("xesam:title"), tags.title());
  map.insert(QStringLiteral("xesam:album"), tags.album());
  map.insert(QStringLiteral("xesam:artist"), QStringList{tags.artist()});
  map.insert(QStringLiteral("xesam:trackNumber"), int(tags.track_number()));
  map.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(tags.file_path()).toString());
  const ov_rank_table& ranks = ov_rank_table::instance();
  map.insert(QStringLiteral("xesam:autoRating"), double(ranks.index_of(track->score())) / (ranks.count() - 1));
  if (!art_url_.isEmpty()) map.insert(QStringLiteral("mpris:artUrl"), art_url_);
  return map;
}

void ov_mpris::eslot_status_changed() {
  send_changed({QStringLiteral("PlaybackStatus"), QStringLiteral("CanPlay"), QStringLiteral("CanPause"),
                QStringLiteral("CanSeek")});
}

void ov_mpris::eslot_track_changed() {
  if (!running_) return;
  art_url_ = cover_url(player_->current_track());
  send_changed({QStringLiteral("Metadata"), QStringLiteral("CanGoNext"), QStringLiteral("CanGoPrevious")});
}

void ov_mpris::eslot_volume_changed() {
  send_changed({QStringLiteral("Volume")});
}

void ov_mpris::eslot_capabilities_changed() {
  send_changed({QStringLiteral("CanGoNext"), QStringLiteral("CanGoPrevious"), QStringLiteral("CanPlay"),
                QStringLiteral("CanPause"), QStringLiteral("CanSeek")});
}

void ov_mpris::eslot_seeked(qint64 position_ms) {
  if (!running_) return;
  QDBusMessage signal =
      QDBusMessage::createSignal(QString::fromLatin1(object_path), player_interface, QStringLiteral("Seeked"));
  signal << qlonglong(position_ms) * 1000;
  bus_.send(signal);
}

void ov_mpris::send_changed(const QStringList& names) {
  if (!running_) return;
  const auto* adaptor = root_object_->findChild<ov_mpris_player_adaptor*>();
  QVariantMap changed;
  for (const QString& name : names) changed.insert(name, adaptor->property(name.toLatin1().constData()));
  QDBusMessage signal =
      QDBusMessage::createSignal(QString::fromLatin1(object_path), QStringLiteral("org.freedesktop.DBus.Properties"),
                                 QStringLiteral("PropertiesChanged"));
  signal << player_interface << changed << QStringList();
  bus_.send(signal);
}
