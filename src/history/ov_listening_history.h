#pragma once

#include "ov_statement.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>
#include <vector>

class ov_database;

// The listening history in conf/history.db: every activity award and every
// play, appended and never removed (tracks that leave the library keep
// their rows). Each event is one INSERT; the events of a moment are
// committed together, at most once per second, on a timer of the GUI
// thread, so a process that is killed loses at most the last second. The
// file keeps a write-ahead log (history.db-wal, folded back when the file is
// closed). The destructor commits what is still pending.
//
// The play going on keeps its row current: recording the same play again
// (same start time, track and mode) with more seconds updates its seconds
// instead of adding a row.
//
// Award rows: kind as the favorite engine's (1 play new, 2 selected, 3 like,
// 4 dislike, 5 play through); points as credited to the track's score, 0 when
// the engine waited; a track passed over on the Nexts panel that lost points
// is a row of kind 2 with its negative loss, so a pick is a kind 2 row of 0
// or more. Grade 1 (Rusty) to 10. GUI thread only.
class ov_listening_history : public QObject {
  Q_OBJECT

public:
  enum class play_mode : int { normal = 1, shuffle_medley = 2 };
  static constexpr int commit_interval_ms = 1000;

  explicit ov_listening_history(std::unique_ptr<ov_database> db, QObject* parent = nullptr);
  ~ov_listening_history() override;

  ov_database* database() const { return db_.get(); }

  // time: seconds since the Unix epoch (UTC).
  void record_award(qint64 time, int track_id, int kind, int points, int grade);
  // time: when the play started; seconds: whole seconds listened so far.
  void record_play(qint64 time, int track_id, int seconds, play_mode mode);
  // Commits the pending rows now, in one transaction. On failure (logged)
  // they stay pending for the next commit.
  bool commit();
  int pending() const;

  static QString file_name() { return QStringLiteral("history.db"); }
  static QStringList creation_statements();

signals:
  // After a commit that stored something: the number of rows it wrote or updated.
  void esignal_committed(int rows);

private:
  struct award_row {
    qint64 time;
    int track_id, kind, points, grade;
  };
  struct play_row {
    qint64 time;
    int track_id, seconds, mode;
  };
  struct play_update {
    qint64 rowid;
    int seconds;
  };
  // The play going on, and its row once written.
  struct open_play {
    play_row play{};
    qint64 rowid = 0;
    bool valid = false;
    bool is(qint64 time, int track_id, int mode) const {
      return valid && play.time == time && play.track_id == track_id && play.mode == mode;
    }
  };

  void schedule();
  bool write_pending();

  std::unique_ptr<ov_database> db_;
  ov_statement insert_award_;
  ov_statement insert_play_;
  ov_statement update_play_;
  std::vector<award_row> awards_;
  std::vector<play_row> plays_;       // the open play, while unwritten, is the last
  std::vector<play_update> updates_;  // seconds of plays already written
  open_play open_;
  QTimer timer_;
  QElapsedTimer since_commit_;
};

// What start-up gets: the history, or none when even a new file could not be
// made; and where a damaged file was put aside (empty when none was).
struct ov_history_opening {
  std::unique_ptr<ov_listening_history> history;
  QString kept_as;
};

// Opens conf_dir/history.db, creating it when missing. A file that is not a
// usable history (not a regular file, not SQLite, other tables) is renamed
// to history.db.damaged-<local time> (with its journal) and a new one is
// made; both are logged.
ov_history_opening ov_open_listening_history(const QString& conf_dir);

// The warnings start-up shows beside the window.
QString ov_history_damaged_text(const QString& kept_as);
QString ov_history_unavailable_text();
