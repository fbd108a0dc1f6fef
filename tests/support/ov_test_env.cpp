#include "ov_test_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtGlobal>

namespace ov_test {
QString data_dir() {
  return qEnvironmentVariable("OV_TEST_DATA");
}
QString corpus_dir() {
  return data_dir() + QStringLiteral("/corpus");
}
QString binary_dir() {
  return qEnvironmentVariable("OV_BINARY_DIR");
}
QString orvantis_binary() {
  return binary_dir() + QStringLiteral("/src/app/orvantis");
}

QString read_text(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

bool write_file(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray junk(qsizetype bytes, quint32 seed) {
  QByteArray out(bytes, Qt::Uninitialized);
  QRandomGenerator rng(seed);
  for (char& c : out) c = char(rng.bounded(256));
  return out;
}
}  // namespace ov_test
