#pragma once

#include <QImage>
#include <QString>

// Images of the fixed tables, loaded from the resources on first request and
// kept until the process ends. A path that cannot be loaded gives a null
// image (and is tried again next time).
class ov_image_cache {
public:
  static QImage image(const QString& path);
};
