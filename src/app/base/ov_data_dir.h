#pragma once

#include <QString>

// The data directory the program works in: $ORVANTIS_HOME when set; else the
// program's own directory when it is writable (a portable install); else
// $XDG_DATA_HOME/orvantis (usually ~/.local/share/orvantis).
class ov_data_dir {
public:
  // The choice alone, from its inputs (empty home = not set).
  static QString choose(const QString& home, const QString& program_dir, bool program_dir_writable,
                        const QString& xdg_data_home);
  // The directory of the running executable, from /proc/self/exe.
  static QString program_dir();
  // The choice from the environment, without creating anything.
  static QString locate();
  // Chooses from the environment, creates the directory when missing and
  // makes it the working directory. Empty text when that fails.
  static QString enter();
};
