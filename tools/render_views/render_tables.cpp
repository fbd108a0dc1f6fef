// Track view, playlist view and header menu of a small sample library.
#include "ov_library.h"
#include "ov_model_playlist.h"
#include "ov_playlist.h"
#include "ov_schema.h"
#include "ov_test_mp3.h"
#include "ov_track.h"
#include "ovd_track.h"
#include "ovg_table_view_playlist.h"
#include "ovg_table_view_tracks.h"
#include "ovg_tableview_tracks_hheader.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>

namespace {

struct sample {
  const char* title;
  const char* album;
  const char* artist;
  int score;
  bool cover;
};

constexpr sample samples[] = {
    {"Morning Road", "Blue Garden", "Echo Lane", 0, true},   {"Night River", "Blue Garden", "Echo Lane", 150, true},
    {"Winter Song", "Light Rain", "Sky Ocean", 1200, false}, {"Fire Dream", "Light Rain", "Sky Ocean", 7300, true},
    {"Shadow Heart", "Lullaby", "Café Élan", 64000, false},  {"空と海", "夜", "Über", 99999999, true},
};

void save(QWidget* w, const QString& out_dir, const QString& name) {
  w->grab().save(QDir(out_dir).filePath(QStringLiteral("tables_") + name + QStringLiteral(".png")));
}

void add_samples(ov_library& library, const QString& dir) {
  QStringList paths;
  int n = 0;
  for (const sample& s : samples) {
    const QString path = QDir(dir).filePath(QStringLiteral("t%1.mp3").arg(++n));
    ov_test::tone tone;
    tone.seconds = 1.0 + n;
    ov_test::make_tone_mp3(path, tone);
    ov_test::set_tags(path, QString::fromUtf8(s.title), QString::fromUtf8(s.album), QString::fromUtf8(s.artist), n);
    if (s.cover) ov_test::add_picture(path, 3, ov_test::png_of_at_least(2000, 0x3366ffu * n));
    paths << path;
  }
  library.add_music_files(paths, 1700000000);
  n = 0;
  for (const sample& s : samples) library.track_by_path(paths.at(n++))->add_score(s.score);
}

}  // namespace

void ov_render_tables(const QString& out_dir) {
  QTemporaryDir dir;
  std::unique_ptr<ov_database> library_db = ov_open_database(dir.path(), QStringLiteral("library"));
  std::unique_ptr<ov_database> items_db = ov_open_database(dir.path(), QStringLiteral("playlist_items"));
  ov_group_map albums, artists;
  ov_library library(library_db.get(), &albums, &artists, QStringLiteral("seed"));
  add_samples(library, dir.path());

  ov_playlist whole(&library, items_db.get(), 0, ov_playlist::library_playlist_name(), 0);
  ov_playlist favourites(&library, items_db.get(), 1, QStringLiteral("Favourites"), 1);
  ov_playlist empty(&library, items_db.get(), 2, QStringLiteral("Empty"), 2);
  for (const QString& path : library.paths()) favourites.add_track(library.track_by_path(path));
  favourites.item_at(2)->set_status(2);

  ovg_table_view_tracks tracks(&favourites);
  tracks.resize(1300, 260);
  tracks.tracks_header()->column_action(ovd_track::col_count_n)->setChecked(true);
  tracks.selectRow(3);
  tracks.show();
  save(&tracks, out_dir, QStringLiteral("track_view"));
  tracks.tracks_header()->sync_actions();
  save(tracks.tracks_header()->column_menu(), out_dir, QStringLiteral("header_menu"));

  ovg_table_view_tracks nothing(&empty);
  nothing.resize(900, 200);
  nothing.show();
  save(&nothing, out_dir, QStringLiteral("empty_track_view"));

  const QList<ov_playlist*> lists{&whole, &favourites, &empty};
  ov_model_playlist model(&lists);
  model.set_playing_playlist(&favourites);
  ovg_table_view_playlist playlists;
  playlists.setModel(&model);
  playlists.resize(220, 200);
  playlists.selectRow(1);
  playlists.show();
  save(&playlists, out_dir, QStringLiteral("playlist_view"));
}
