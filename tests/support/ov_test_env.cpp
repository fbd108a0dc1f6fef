#include "ov_test_env.h"

#include <QDir>
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
}  // namespace ov_test
