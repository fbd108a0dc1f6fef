#include <QApplication>
#include <QString>

void ov_render_control_views(const QString& out_dir);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString out_dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  ov_render_control_views(out_dir);
  return 0;
}
