#include "ov_startup.h"

int main(int argc, char** argv) {
  return ov_startup_run(argc, argv);
}
