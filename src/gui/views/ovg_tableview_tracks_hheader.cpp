#include "ovg_tableview_tracks_hheader.h"

#include "ovd_track.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

namespace {

using toggle_slot = void (ovg_tableview_tracks_hheader::*)(bool);

struct column_toggle {
  int column;
  toggle_slot slot;
};

using h = ovg_tableview_tracks_hheader;
const column_toggle toggles[] = {
    {ovd_track::col_number, &h::islot_toggle_track_no_clicked},
    {ovd_track::col_album, &h::islot_toggle_album_clicked},
    {ovd_track::col_artist, &h::islot_toggle_artist_clicked},
    {ovd_track::col_length, &h::islot_toggle_length_clicked},
    {ovd_track::col_entry_number, &h::islot_toggle_number_clicked},
    {ovd_track::col_added, &h::islot_toggle_timestamp_added_clicked},
    {ovd_track::col_played, &h::islot_toggle_play_time_clicked},
    {ovd_track::col_count_n, &h::islot_toggle_count_play_newly_clicked},
    {ovd_track::col_count_s, &h::islot_toggle_count_selected_on_nexts_clicked},
    {ovd_track::col_count_ns, &h::islot_toggle_count_nselected_on_nexts_clicked},
    {ovd_track::col_count_l, &h::islot_toggle_count_like_button_clicked},
    {ovd_track::col_count_dl, &h::islot_toggle_count_dislike_button_clicked},
    {ovd_track::col_count_t, &h::islot_toggle_count_play_through_clicked},
};

// The menu has a separator after the last column of each group but the last.
constexpr int group_ends[] = {ovd_track::col_rank, ovd_track::col_length, ovd_track::col_entry_number};

}  // namespace

ovg_tableview_tracks_hheader::ovg_tableview_tracks_hheader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), menu_(new QMenu(this)) {
  setSectionsClickable(true);
  setSectionsMovable(true);
  setHighlightSections(false);
  build_menu();
  connect_toggles();
}

ovg_tableview_tracks_hheader::~ovg_tableview_tracks_hheader() = default;

void ovg_tableview_tracks_hheader::build_menu() {
  const ovd_track& catalogue = ovd_track::instance();
  for (const ovd_track::column& c : catalogue.columns()) {
    QAction* action = menu_->addAction(c.tooltip);
    action->setCheckable(true);
    action->setChecked(c.visible_by_default);
    action->setEnabled(c.toggleable);
    actions_.insert(c.number, action);
    if (std::find(std::begin(group_ends), std::end(group_ends), c.number) != std::end(group_ends))
      menu_->addSeparator();
  }
}

void ovg_tableview_tracks_hheader::connect_toggles() {
  for (const column_toggle& t : toggles)
    if (QAction* action = column_action(t.column)) connect(action, &QAction::toggled, this, t.slot);
}

void ovg_tableview_tracks_hheader::sync_actions() {
  for (auto it = actions_.cbegin(); it != actions_.cend(); ++it) {
    const bool shown = it.key() < count() ? !isSectionHidden(it.key()) : it.value()->isChecked();
    const QSignalBlocker blocker(it.value());
    it.value()->setChecked(shown);
  }
}

void ovg_tableview_tracks_hheader::contextMenuEvent(QContextMenuEvent* event) {
  sync_actions();
  menu_->exec(event->globalPos());
  event->accept();
}

void ovg_tableview_tracks_hheader::show_column(int column, bool shown) {
  setSectionHidden(column, !shown);
}

void ovg_tableview_tracks_hheader::islot_toggle_track_no_clicked(bool c) {
  show_column(ovd_track::col_number, c);
}
void ovg_tableview_tracks_hheader::islot_toggle_album_clicked(bool c) {
  show_column(ovd_track::col_album, c);
}
void ovg_tableview_tracks_hheader::islot_toggle_artist_clicked(bool c) {
  show_column(ovd_track::col_artist, c);
}
void ovg_tableview_tracks_hheader::islot_toggle_length_clicked(bool c) {
  show_column(ovd_track::col_length, c);
}
void ovg_tableview_tracks_hheader::islot_toggle_number_clicked(bool c) {
  show_column(ovd_track::col_entry_number, c);
}
void ovg_tableview_tracks_hheader::islot_toggle_timestamp_added_clicked(bool c) {
  show_column(ovd_track::col_added, c);
}
void ovg_tableview_tracks_hheader::islot_toggle_play_time_clicked(bool c) {
  show_column(ovd_track::col_played, c);
}
void ovg_tableview_tracks_hheader::islot_toggle_count_play_newly_clicked(bool c) {
  show_column(ovd_track::col_count_n, c);
}
void ovg_tableview_tracks_hheader::islot_toggle_count_selected_on_nexts_clicked(bool c) {
  show_column(ovd_track::col_count_s, c);
}
void ovg_tableview_tracks_hheader::islot_toggle_count_nselected_on_nexts_clicked(bool c) {
  show_column(ovd_track::col_count_ns, c);
}
void ovg_tableview_tracks_hheader::islot_toggle_count_like_button_clicked(bool c) {
  show_column(ovd_track::col_count_l, c);
}
void ovg_tableview_tracks_hheader::islot_toggle_count_dislike_button_clicked(bool c) {
  show_column(ovd_track::col_count_dl, c);
}
void ovg_tableview_tracks_hheader::islot_toggle_count_play_through_clicked(bool c) {
  show_column(ovd_track::col_count_t, c);
}
