#include "ov_command_line.h"

#include <QFile>

namespace {

// Qt's options that take the next argument as their value (or "=value").
bool takes_value(const QByteArray& name) {
  static const QList<QByteArray> names = {"platform",        "platformpluginpath",
                                          "platformtheme",   "plugin",
                                          "qwindowgeometry", "geometry",
                                          "qwindowtitle",    "title",
                                          "qwindowicon",     "icon",
                                          "display",         "name",
                                          "style",           "stylesheet",
                                          "session"};
  return names.contains(name);
}

// Qt's options that stand alone.
bool is_switch(const QByteArray& name) {
  static const QList<QByteArray> names = {"reverse", "nograb", "dograb", "sync", "widgetcount", "testability"};
  return names.contains(name);
}

}  // namespace

ov_command_line ov_command_line::parse(const QList<QByteArray>& args, const QDir& start_dir) {
  ov_command_line line;
  bool options_end = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QByteArray& arg = args[i];
    if (arg.isEmpty()) continue;
    if (!options_end && arg == "--") {
      options_end = true;
      continue;
    }
    if (!options_end && arg.startsWith('-')) {
      if (arg == "--help" || arg == "-h") {
        line.what = request::help;
        return line;
      }
      if (arg == "--version") {
        line.what = request::version;
        return line;
      }
      const QByteArray name = arg.mid(arg.startsWith("--") ? 2 : 1).split('=').first();
      if (takes_value(name)) {
        line.qt_arguments << arg;
        if (!arg.contains('=') && i + 1 < args.size()) line.qt_arguments << args[++i];
      } else if (is_switch(name) && !arg.contains('=')) {
        line.qt_arguments << arg;
      } else {
        line.what = request::unknown_option;
        line.unknown_option = QFile::decodeName(arg);
        return line;
      }
      continue;
    }
    const QString name = QFile::decodeName(arg);
    if (QFile::encodeName(name) != arg)
      line.unreadable << arg;
    else
      line.paths << QDir::cleanPath(start_dir.absoluteFilePath(name));
  }
  return line;
}

ov_command_line ov_command_line::parse(int argc, char** argv, const QDir& start_dir) {
  QList<QByteArray> args;
  for (int i = 1; i < argc; ++i) args << QByteArray(argv[i]);
  return parse(args, start_dir);
}
