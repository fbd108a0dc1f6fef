#pragma once

#include <QString>

#include <functional>

// The first write of this run that did not reach its file (a database, a
// settings file), process-wide. Every layer that writes reports its
// failures here after logging them; whoever tells the user listens and
// hears of the first failure once. Safe from any thread; the listener runs
// on the reporting thread.
class ov_write_failure {
public:
  using listener = std::function<void(const QString& file, const QString& reason)>;

  static void report(const QString& file, const QString& reason);
  // Replaces the listener. A failure that came before is handed over at
  // once (if it was not told yet); an empty listener stops listening.
  static void listen(listener on_first);
  static bool happened();
};
