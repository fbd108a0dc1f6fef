#pragma once

#include "ov_playback_core.h"
#include "ov_playback_normal.h"

#include <QObject>
#include <QStringList>

// Collects a playback object's signals as texts in the test's thread (the
// connections are queued when the signals come from the sink's thread).
class ov_test_signal_log : public QObject {
public:
  QStringList lines;

  static QString name(ove_playback::status s) {
    static const char* names[] = {"ready", "playing", "paused", "stopped", "finished", "closed"};
    return QString::fromLatin1(names[s]);
  }
  template <class T>
  void watch(T* source) {
    connect(source, &T::signal_finished, this, [this] { lines << QStringLiteral("finished"); });
    connect(source, &T::signal_position_changed, this,
            [this](int ms) { lines << QStringLiteral("position %1").arg(ms); });
    connect(source, &T::signal_state_changed, this, [this](ove_playback::status o, ove_playback::status n) {
      lines << QStringLiteral("%1->%2").arg(name(o), name(n));
    });
  }
  bool has(const QString& line) const { return lines.contains(line); }
};
