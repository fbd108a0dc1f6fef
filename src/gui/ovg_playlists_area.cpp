#include "ovg_playlists_area.h"

#include "ov_model_playlist.h"
#include "ov_playlist.h"
#include "ov_playlist_store.h"
#include "ovg_table_view_playlist.h"
#include "ovg_table_view_tracks.h"
#include "ovg_tableview_tracks_hheader.h"

#include <QSplitter>
#include <QStackedWidget>

ovg_playlists_area::ovg_playlists_area(ov_library* library, ov_database* playlists_db, ov_database* items_db,
                                       QObject* parent)
    : QObject(parent), library_(library), playlists_db_(playlists_db), items_db_(items_db) {
  playlists_ = ov_playlist_store::load_all(library, playlists_db, items_db, this);
  model_ = new ov_model_playlist(&playlists_, this);
  splitter_ = new QSplitter(Qt::Horizontal);
  splitter_->setObjectName(QStringLiteral("playlists_splitter"));
  splitter_->setChildrenCollapsible(false);
  playlist_view_ = new ovg_table_view_playlist(splitter_);
  playlist_view_->setModel(model_);
  connect(model_, &ov_model_playlist::esignal_edit_finished, playlist_view_,
          &ovg_table_view_playlist::eslot_edit_finished);
  stack_ = new QStackedWidget(splitter_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({200, 1100});
}

ovg_playlists_area::~ovg_playlists_area() {
  splitter_.reset();  // the views go before the playlists they show
  qDeleteAll(playlists_);
}

int ovg_playlists_area::row_of(const ov_playlist* playlist) const {
  return playlist ? static_cast<int>(playlists_.indexOf(const_cast<ov_playlist*>(playlist))) : -1;
}

ovg_table_view_tracks* ovg_playlists_area::view_of(const ov_playlist* playlist) const {
  const qsizetype i = view_owners_.indexOf(const_cast<ov_playlist*>(playlist));
  return i < 0 ? nullptr : views_[size_t(i)].data();
}

ovg_table_view_tracks* ovg_playlists_area::attach(ov_playlist* playlist) {
  auto* view = new ovg_table_view_tracks(playlist);
  stack_->addWidget(view);
  views_.emplace_back(view);
  view_owners_ << playlist;
  emit esignal_view_attached(view, playlist);
  return view;
}

void ovg_playlists_area::detach(ov_playlist* playlist) {
  const qsizetype i = view_owners_.indexOf(playlist);
  if (i < 0) return;
  views_.erase(views_.begin() + i);
  view_owners_.removeAt(i);
  if (selected_ == playlist) selected_ = nullptr;
}

void ovg_playlists_area::select_row(int row) {
  playlist_view_->setCurrentIndex(model_->index(row, 1));
}

bool ovg_playlists_area::show_row(int row) {
  ov_playlist* playlist = playlist_at(row);
  ovg_table_view_tracks* view = view_of(playlist);
  if (!view) return false;
  if (ovg_table_view_tracks* previous = selected_view(); previous && previous != view) {
    view->tracks_header()->restoreState(previous->tracks_header()->saveState());
    view->tracks_header()->sync_actions();
  }
  selected_ = playlist;
  stack_->setCurrentWidget(view);
  return true;
}
