#pragma once

#include "ov_favorite_engine.h"

#include <QList>

#include <functional>

class ov_library;
class ov_listening_history;
class ov_track;

// The score arithmetic of listening activity, apart from play lines and
// views: the counts on the track record, the engine's gain times the score
// multiplier, the limits, the shares spread over the album and artist
// groups, and what the engine is told after a credit (experience, the
// kind's waiting time, the multiplier roll). Every track whose score changes
// is saved through the library store (none without one). Every counted
// activity is recorded in the listening history when one is set (a pass-over
// only when it cost points). GUI thread only.
class ov_activity_awards {
public:
  using kind = ov_favorite_engine::kind;

  // What a pick on the Nexts panel did: the whole points each passed-over
  // track lost (in the order given, 0 for none) and the picked track's points.
  struct selection {
    QList<int> losses;
    int points = 0;
  };

  ov_activity_awards(ov_library* library, ov_favorite_engine* engine) : library_(library), engine_(engine) {}

  // Where the awards are recorded, stamped with clock's time (seconds since
  // the epoch); null records nothing.
  void set_history(ov_listening_history* history, std::function<qint64()> clock);

  // Counts the activity, then credits its limited gain unless the engine
  // waits on the kind; play new without a row of a playlist counts only.
  // The gain of play new is multiplied by the score multiplier. Returns
  // the points credited.
  int award(ov_track* track, kind k, bool from_row = true);
  // The selected award: C(S) on the picked track, C(nS) and the limited
  // loss on each other one, and the picked track credited with the sum of
  // the losses (nothing when it truncates to 0). The caller checks that the
  // engine does not wait on the kind first.
  selection select(ov_track* picked, const QList<ov_track*>& others);
  // Adds the points to the score, saves, spreads, and tells the engine.
  void credit(ov_track* track, kind k, int points);
  void save(ov_track* track);

private:
  // Adds rate x points to count members drawn at random (one may be drawn twice).
  void spread(const QList<ov_track*>* members, double rate, int count, int points);
  void record(const ov_track* track, kind k, int points);

  ov_library* library_;
  ov_favorite_engine* engine_;
  ov_listening_history* history_ = nullptr;
  std::function<qint64()> clock_;
};
