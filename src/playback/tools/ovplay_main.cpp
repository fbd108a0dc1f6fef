// ovplay: plays MP3 files through a play line from the command line.
#include "ovplay_runner.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ovplay_runner::options options;
  QString error;
  if (!ovplay_runner::parse(app.arguments().mid(1), &options, &error)) {
    std::fprintf(stderr, "ovplay: %s\n%s", qPrintable(error), qPrintable(ovplay_runner::usage()));
    return 1;
  }
  int code = 0;
  {
    ovplay_runner runner(options);
    QObject::connect(&runner, &ovplay_runner::finished, &app, [&](int c) {
      code = c;
      app.exit(c);
    });
    QTimer::singleShot(0, &runner, &ovplay_runner::start);
    app.exec();
  }
  return code;
}
