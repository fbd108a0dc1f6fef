#include "ovd_track.h"

#include <algorithm>

ovd_track::ovd_track(QObject* parent) : QObject(parent) {
  add(col_status, tr(" "), tr(" "), 25, true, false, true);
  add(col_rank, tr("Rank"), tr("Rank"), 44, true, false, true);
  add(col_title, tr("Title"), tr("Title"), 250, false, false, true);
  add(col_number, tr("No"), tr("No"), 30, false, true, true);
  add(col_album, tr("Album"), tr("Album"), 270, false, true, true);
  add(col_artist, tr("Artist"), tr("Artist"), 140, false, true, true);
  add(col_length, tr("Length"), tr("Length"), 57, false, true, true);
  add(col_score, tr("Score"), tr("Score"), 120, true, false, true);
  add(col_played, tr("Played"), tr("Played"), 57, false, true, true);
  add(col_entry_number, tr("#"), tr("# - Order Number in this playlist"), 35, false, true, true);
  add(col_count_n, tr("C(N)"), tr("C(N) - Count(Play Newly)"), 40, false, true, false);
  add(col_count_s, tr("C(S)"), tr("C(S) - Count(Selected on Nexts)"), 40, false, true, false);
  add(col_count_ns, tr("C(nS)"), tr("C(nS) - Count(not Selected on Nexts)"), 40, false, true, false);
  add(col_count_l, tr("C(L)"), tr("C(L) - Count(Pushed Like Button)"), 40, false, true, false);
  add(col_count_dl, tr("C(dL)"), tr("C(dL) - Count(Pushed Dislike Button)"), 40, false, true, false);
  add(col_count_t, tr("C(T)"), tr("C(T) - Count(Play Through)"), 40, false, true, false);
  add(col_added, tr("Added"), tr("Added"), 140, false, true, false);
  std::stable_sort(columns_.begin(), columns_.end(),
                   [](const column& a, const column& b) { return a.number < b.number; });
}

ovd_track& ovd_track::instance() {
  static ovd_track catalogue;
  return catalogue;
}

void ovd_track::add(int number, const QString& title, const QString& tooltip, int width, bool fixed, bool toggleable,
                    bool visible) {
  columns_.append(column{number, title, tooltip, width, fixed, toggleable, visible});
}

const ovd_track::column* ovd_track::find(int number) const {
  for (const column& c : columns_)
    if (c.number == number) return &c;
  return nullptr;
}

QString ovd_track::title(int number) const {
  const column* c = find(number);
  return c ? c->title : QString();
}

QString ovd_track::tooltip(int number) const {
  const column* c = find(number);
  return c ? c->tooltip : QString();
}

int ovd_track::width(int number) const {
  const column* c = find(number);
  return c ? c->width : 100;
}

bool ovd_track::is_fixed_width(int number) const {
  const column* c = find(number);
  return c ? c->fixed_width : false;
}

bool ovd_track::is_toggleable(int number) const {
  const column* c = find(number);
  return c ? c->toggleable : true;
}

bool ovd_track::is_visible_by_default(int number) const {
  const column* c = find(number);
  return c ? c->visible_by_default : false;
}
