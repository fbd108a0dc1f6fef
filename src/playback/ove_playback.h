#pragma once

#include <QMetaType>

namespace ove_playback {
// State of a playback core, reported from the output thread as queued signals.
enum status : int { ready = 0, playing = 1, paused = 2, stopped = 3, finished = 4, closed = 5 };
}  // namespace ove_playback

Q_DECLARE_METATYPE(ove_playback::status)
