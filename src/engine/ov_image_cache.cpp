#include "ov_image_cache.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex g_lock;
QHash<QString, QImage>& cache() {
  static QHash<QString, QImage> images;
  return images;
}
}  // namespace

QImage ov_image_cache::image(const QString& path) {
  QMutexLocker guard(&g_lock);
  auto it = cache().constFind(path);
  if (it != cache().constEnd()) return *it;
  QImage loaded(path);
  if (!loaded.isNull()) cache().insert(path, loaded);
  return loaded;
}
