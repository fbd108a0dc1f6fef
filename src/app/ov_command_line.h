#pragma once

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

// What a command line asks for. Options come first; after "--" every
// argument is a path. Besides --help (-h) and --version, the options of
// Qt's own (-platform NAME, -style=NAME, -reverse, ...) are known and go to
// the application object; any other option is refused before anything runs.
struct ov_command_line {
  enum class request { run, help, version, unknown_option };

  request what = request::run;
  QString unknown_option;  // the first option that is not known
  // The files and directories named, made absolute against the start
  // directory and cleaned.
  QStringList paths;
  // Names whose bytes are not text in the file name encoding: no path can
  // reach them, so they are told and skipped.
  QList<QByteArray> unreadable;
  // Qt's own options with their values, in order, for the application object.
  QList<QByteArray> qt_arguments;

  // args: the arguments after the program name.
  static ov_command_line parse(const QList<QByteArray>& args, const QDir& start_dir);
  static ov_command_line parse(int argc, char** argv, const QDir& start_dir);
};
