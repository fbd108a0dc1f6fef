#pragma once

#include "ov_adoptable.h"

#include <QList>
#include <QObject>
#include <QSplitter>

#include <vector>

class QStackedWidget;
class ov_database;
class ov_library;
class ov_model_playlist;
class ov_playlist;
class ovg_table_view_playlist;
class ovg_table_view_tracks;

// The playlists and their tables: the list (the library playlist at row 0),
// the playlist model and view on the left of a splitter, and one track view
// per playlist in a stack on the right, the selected playlist's on top.
// The main window wires the signals of every attached view.
class ovg_playlists_area : public QObject {
  Q_OBJECT

public:
  // Loads the playlists; the handles may be null (nothing stored then).
  ovg_playlists_area(ov_library* library, ov_database* playlists_db, ov_database* items_db, QObject* parent = nullptr);
  // Views first, then the playlists.
  ~ovg_playlists_area() override;

  QSplitter* splitter() const { return splitter_; }
  QList<ov_playlist*>& playlists() { return playlists_; }
  const QList<ov_playlist*>& playlists() const { return playlists_; }
  ov_playlist* library_playlist() const { return playlists_.value(0); }
  ov_playlist* playlist_at(int row) const { return playlists_.value(row); }
  int row_of(const ov_playlist* playlist) const;
  ov_model_playlist* model() const { return model_; }
  ovg_table_view_playlist* playlist_view() const { return playlist_view_; }
  ovg_table_view_tracks* view_of(const ov_playlist* playlist) const;
  ov_library* library() const { return library_; }
  ov_database* playlists_db() const { return playlists_db_; }
  ov_database* items_db() const { return items_db_; }

  ov_playlist* selected() const { return selected_; }
  int selected_row() const { return row_of(selected_); }
  ovg_table_view_tracks* selected_view() const { return view_of(selected_); }

  // Makes a track view for the playlist and reports it to be wired.
  ovg_table_view_tracks* attach(ov_playlist* playlist);
  // Drops the view of a playlist that is gone.
  void detach(ov_playlist* playlist);
  // Moves the current row of the playlist view (which reports it back).
  void select_row(int row);
  // Puts the playlist at row on top, its header state copied from the view
  // shown before so that all views share columns; false for a bad row.
  bool show_row(int row);

signals:
  void esignal_view_attached(ovg_table_view_tracks* view, ov_playlist* playlist);

private:
  ov_library* library_;
  ov_database* playlists_db_;
  ov_database* items_db_;
  QList<ov_playlist*> playlists_;
  ov_model_playlist* model_ = nullptr;
  ov_adoptable<QSplitter> splitter_;
  ovg_table_view_playlist* playlist_view_ = nullptr;  // children of the splitter
  QStackedWidget* stack_ = nullptr;
  std::vector<ov_adoptable<ovg_table_view_tracks>> views_;  // by playlist, same order as attached
  QList<ov_playlist*> view_owners_;
  ov_playlist* selected_ = nullptr;
};
