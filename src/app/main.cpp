#include "ov_command_line.h"
#include "ov_startup.h"

#include <QDir>

#include <cstdio>

int main(int argc, char** argv) {
  // --help, --version and unknown options are answered on the console
  // before anything else runs: no window, no data directory, no
  // single-instance lock.
  const ov_command_line line = ov_command_line::parse(argc, argv, QDir::current());
  switch (line.what) {
    case ov_command_line::request::version:
      std::printf("Orvantis %s\n", OV_VERSION_TEXT);
      return 0;
    case ov_command_line::request::help:
      std::printf(
          "Usage: orvantis [--help | --version] [--] [FILE_OR_DIR...]\n"
          "A music player and library for MP3 files that learns what you like.\n"
          "Files and directories given are added to the library and the first of them is played;\n"
          "when Orvantis already runs with the same data directory, they are handed to its window.\n"
          "After -- every argument is a file or directory, also one that starts with -.\n\n"
          "  --help      show this text and exit\n"
          "  --version   show the version and exit\n\n"
          "The data directory is $ORVANTIS_HOME when set, else the program's own directory when it is\n"
          "writable, else $XDG_DATA_HOME/orvantis.\n");
      return 0;
    case ov_command_line::request::unknown_option:
      return ov_startup_refuse_option(line.unknown_option, argv[0]);
    case ov_command_line::request::run:
      break;
  }
  return ov_startup_run(line, argv[0]);
}
