// Renders every view and dialog with sample data into PNG files, so their
// look can be reviewed side by side: render_views OUTPUT_DIR
#include <QApplication>
#include <QDir>

#include <cstdio>

void ov_render_engine_views(const QString& out_dir);
void ov_render_gui_views(const QString& out_dir);
void ov_render_tables(const QString& out_dir);
void ov_render_control_views(const QString& out_dir);
void ov_render_stats_views(const QString& out_dir);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: render_views OUTPUT_DIR\n");
    return 2;
  }
  const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QDir().mkpath(out);
  ov_render_engine_views(out);
  ov_render_gui_views(out);
  ov_render_tables(out);
  ov_render_control_views(out);
  ov_render_stats_views(out);
  return 0;
}
