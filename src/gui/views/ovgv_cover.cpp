#include "ovgv_cover.h"

#include "ov_track.h"

namespace ovgv_cover {

QImage usable(const QImage& picture) {
  if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) return QImage();
  if (picture.width() > max_source_side || picture.height() > max_source_side) return QImage();
  if (picture.width() <= max_kept_side && picture.height() <= max_kept_side) return picture;
  return picture.scaled(max_kept_side, max_kept_side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QImage of(const ov_track* track) {
  if (!track) return QImage();
  return usable(track->tags().picture());
}

}  // namespace ovgv_cover
