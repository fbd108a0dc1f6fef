#pragma once

#include <QCoreApplication>
#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

class QObject;
class ov_database;
class ov_library;
class ov_playlist;
class ov_track;

// Called after each item of a batch with the number of items done so far.
// Returning false cancels: the batch stops after that item, what was done
// stays done and an open transaction is still ended. The main window keeps
// its events flowing and updates its progress dialog from here.
using ov_flow_progress = std::function<bool(qsizetype done)>;

// How a batch ended.
struct ov_flow_result {
  qsizetype total = 0;     // items handed in
  qsizetype done = 0;      // items handled (== total unless cancelled)
  bool cancelled = false;  // the progress callback stopped it before the last item
  // Adding only: the writes failed and the add stopped. added counts the
  // files that are stored (in the library and the playlists), not_added
  // those that are not (the failed chunk's and every file after it).
  bool stopped = false;
  bool disk_full = false;
  qsizetype added = 0;
  qsizetype not_added = 0;
};

// The editing operations behind the main window's menus, drops and playlist
// view, without any widget: the window confirms, shows the progress dialog
// and refreshes its views; these functions change the library, the
// playlists and the stored rows, and write the log lines. GUI thread only.
//
// Batches (copy, remove, renew) run inside one transaction of the
// databases they write (begin_bulk/end_bulk); adding commits in chunks of
// about a second. Every function accepts null progress callbacks.
class ov_playlist_flows {
  Q_DECLARE_TR_FUNCTIONS(ov_playlist_flows)

public:
  // ---- adding files -------------------------------------------------------

  // The files behind dropped or chosen paths, in order: a directory gives
  // every MP3 file below it (collect_mp3_files), a file stays itself. Every
  // path is cleaned (ov_clean_file_path), so one file has one spelling.
  // Logs "adding files by drag & drop" and, for a non-empty list,
  // "adding N files by drag & drop". The window sizes its "Adding Tracks"
  // dialog with the result and hands it to add_files.
  static QStringList expand_paths(const QStringList& paths, qsizetype* unreadable = nullptr);

  // For each file in order: when the library does not hold it, logs
  // "adding " + path, adds it with added_time (seconds since 1970) and puts
  // the new track into library_playlist; then, when selected is another
  // playlist than the library playlist, adds the file's track to selected
  // too (also when it was in the library before). Files are read ahead on
  // the thread pool (ov_library::add_music_files), so progress comes after
  // every file. result.done counts files handled. The paths are cleaned
  // (ov_clean_file_path) before anything else.
  //
  // The writes are committed about once a second, the library's first: an
  // add that is interrupted keeps what was committed. When a commit fails
  // (a full disk), the entries of that chunk are rolled back and what it
  // added is taken out of the library and the playlists again, so that no
  // entry points at a track that is not stored; the add stops there
  // (result.stopped, stopped_text).

  static ov_flow_result add_files(ov_library* library, ov_playlist* library_playlist, ov_playlist* selected,
                                  const QStringList& files, qint64 added_time, const ov_flow_progress& progress);

  // ---- entries of one playlist --------------------------------------------

  // Appends an entry for each track, in order, to target (a drop on the
  // playlist row target_row; the row only enters the log lines "Adding
  // tracks to playlist: ..." and "Added tracks to playlist: ...").
  static ov_flow_result copy_tracks(ov_playlist* target, int target_row, const QList<ov_track*>& tracks,
                                    const ov_flow_progress& progress);

  // Removes the entries at rows (highest first, duplicates and rows outside
  // the playlist dropped). Does nothing for a null playlist, the library
  // playlist or no rows. Logs "esignal_remove_tracks_from_current_playlist
  // emitted" first. The window resets its model afterwards.
  static ov_flow_result remove_rows(ov_playlist* playlist, QList<int> rows, const ov_flow_progress& progress);

  // Sets the number of the entry at each row to the row itself, logging
  // "renew track # row=" + row for each.
  static ov_flow_result renew_numbers(ov_playlist* playlist, const QList<int>& rows, const ov_flow_progress& progress);

  // Moves the entries at rows to target_row keeping their relative order
  // (ov_playlist::move_rows), logging "index taken: " + row for each taken
  // row, highest first. The new order is stored at exit. Returns the rows the
  // moved entries now have, for the window to select.
  static QList<int> move_tracks(ov_playlist* playlist, const QList<int>& rows, int target_row);

  // ---- the library --------------------------------------------------------

  // For each track in order (the window passes the tracks of the selected
  // rows, highest row first, after the user confirmed): removes every entry
  // pointing at it from every playlist of playlists (the library playlist
  // included), then the track with its score from the library. A track that
  // is no longer in the library (listed twice) is passed over. One pass: the
  // cost grows with the tracks removed plus the entries, not their product.
  // The removed track objects are freed before returning.
  static ov_flow_result remove_from_library(ov_library* library, const QList<ov_playlist*>& playlists,
                                            const QList<ov_track*>& tracks, const ov_flow_progress& progress);

  // ---- the list of playlists ----------------------------------------------
  // playlists is the window's list: the library playlist at row 0, then the
  // user's playlists in position order.

  // A playlist named "New Playlist" (translated) with the next id of the
  // playlists database and the current count as position, parented to
  // parent, appended to playlists and stored. The window attaches its view
  // and model, selects it and opens its name for editing.
  static ov_playlist* create_playlist(QList<ov_playlist*>& playlists, ov_library* library, ov_database* playlists_db,
                                      ov_database* items_db, QObject* parent);

  // Stores the playlist's current name.
  static void rename_playlist(ov_database* playlists_db, const ov_playlist* playlist);

  // Moves the playlist at from_row to to_row, gives every playlist after row
  // 0 its row as position and stores it; logs "playlist moved". Row 0, the
  // library playlist, stays where it is: a move from or to it, or from or to
  // a row past the end, does nothing and returns false.
  static bool move_playlist(QList<ov_playlist*>& playlists, ov_database* playlists_db, int from_row, int to_row);

  // Deletes the playlist at row (1 and up) with all its entries, takes it out
  // of playlists and marks it as deleted, so that its listeners drop it.
  // removed hands the object to the caller (taken from its Qt parent); when
  // views may still paint it, deleteLater it. select_row is the row to
  // select now: the same row, or the new last row. An ignored row gives a
  // null playlist and -1.
  struct removed_playlist {
    std::unique_ptr<ov_playlist> removed;
    int select_row = -1;
  };
  static removed_playlist remove_playlist(QList<ov_playlist*>& playlists, ov_database* playlists_db, int row);

  // The name a new playlist gets.
  static QString new_playlist_name();
  // What the user is told when an add stopped (result.stopped).
  static QString stopped_text(const ov_flow_result& result);
};
