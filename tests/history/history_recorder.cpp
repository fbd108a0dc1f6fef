// A process that records into the listening history of the directory given
// as its argument, as told line by line on stdin, for tests that kill it:
//   award <time> <track id>             a like worth 1 point at grade 1
//   play <time> <track id> <seconds>    a normal play
// On stderr: "ready" once the file is open, "recorded N" after the Nth
// command, "committed through N" after each commit.
#include "ov_listening_history.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <unistd.h>
#include <cstdio>

namespace {
void say(const QByteArray& text) {
  std::fprintf(stderr, "%s\n", text.constData());
  std::fflush(stderr);
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) return 2;
  ov_history_opening opened = ov_open_listening_history(QString::fromLocal8Bit(argv[1]));
  if (!opened.history) return 1;
  ov_listening_history* history = opened.history.get();
  int recorded = 0;
  QObject::connect(history, &ov_listening_history::esignal_committed,
                   [&recorded](int) { say("committed through " + QByteArray::number(recorded)); });

  QByteArray buffer;
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    char chunk[4096];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n <= 0) return QCoreApplication::quit();
    buffer.append(chunk, n);
    for (qsizetype end = buffer.indexOf('\n'); end >= 0; end = buffer.indexOf('\n')) {
      const QList<QByteArray> words = buffer.left(end).split(' ');
      buffer.remove(0, end + 1);
      if (words.value(0) == "award" && words.size() == 3)
        history->record_award(words[1].toLongLong(), words[2].toInt(), 3, 1, 1);
      else if (words.value(0) == "play" && words.size() == 4)
        history->record_play(words[1].toLongLong(), words[2].toInt(), words[3].toInt(),
                             ov_listening_history::play_mode::normal);
      else
        continue;
      say("recorded " + QByteArray::number(++recorded));
    }
  });
  say("ready");
  return QCoreApplication::exec();
}
