#include "ov_startup.h"

#include <cstdio>
#include <cstring>

namespace {

// --help and --version answer on the console before anything else runs: no
// window, no data directory, no single-instance lock.
bool answer_console_option(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--version")) {
      std::printf("Orvantis %s\n", OV_VERSION_TEXT);
      return true;
    }
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
      std::printf(
          "Usage: orvantis [--help | --version] [FILE_OR_DIR...]\n"
          "A music player and library for MP3 files that learns what you like.\n"
          "Files and directories given are added to the library and the first of them is played;\n"
          "when Orvantis already runs, they are handed to the running window.\n\n"
          "  --help      show this text and exit\n"
          "  --version   show the version and exit\n\n"
          "The data directory is $ORVANTIS_HOME when set, else the program's own directory when it is\n"
          "writable, else $XDG_DATA_HOME/orvantis.\n");
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (answer_console_option(argc, argv)) return 0;
  return ov_startup_run(argc, argv);
}
