#pragma once

#include <QString>

// Hooks for driving the real program from automated tests. With the
// environment variable ORVANTIS_AUTOTEST set to "accept" or "reject", every
// modal dialog prints its title and texts to stderr and closes itself that
// way, and a few start-up events are noted on stderr. Unset, nothing changes.
class ov_autotest {
public:
  enum mode { off, accept, reject };

  static mode current();
  // One line "orvantis-autotest: <text>" on stderr, only in autotest mode.
  static void note(const QString& text);
};
