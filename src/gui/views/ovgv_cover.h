#pragma once

#include <QImage>

class ov_track;

// The cover picture of a track as the views show it: null when the track has
// none or its picture cannot be used (not an image, truncated, refused by the
// image reader's size limit, or absurdly large). Larger pictures are scaled
// down once here, so the widgets keep a small copy.
namespace ovgv_cover {
constexpr int max_source_side = 8192;  // larger pictures are not shown
constexpr int max_kept_side = 280;     // twice the largest picture drawn

QImage of(const ov_track* track);
QImage usable(const QImage& picture);
}  // namespace ovgv_cover
