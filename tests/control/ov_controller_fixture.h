#pragma once

#include "ov_database.h"
#include "ov_favorite_engine.h"
#include "ov_library.h"
#include "ov_playlist.h"
#include "ov_random.h"
#include "ov_schema.h"
#include "ov_test_mp3.h"
#include "ov_track.h"
#include "ov_view_ports.h"
#include "ovg_controller_abstract.h"

#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

// Fakes of every view a controller drives, recording what the tests read.
struct ov_fake_playback : ov_playback_port {
  void set_track(const ov_track*) override {}
  void set_position(int) override {}
  void set_state(ove_playback::status) override {}
  void reset() override {}
};

struct ov_fake_track_info : ov_track_info_port {
  const ov_track* track = nullptr;
  QList<const ov_track*> shown;  // every set_track, in order
  QList<int> effects;
  int cleared = 0, rank_updates = 0;
  void set_track(const ov_track* t) override { shown << (track = t); }
  void set_picture(const ov_track*) override {}
  void show_incoming(int) override {}
  void hide_incoming() override {}
  void clear() override { ++cleared; }
  void update_rank(const ov_track*) override { ++rank_updates; }
  void run_point_effect(int v) override { effects << v; }
};

struct ov_fake_next_tracks : ov_next_tracks_port {
  int boxes = 3;
  QList<ov_playlist_item*> entries;
  QList<QPair<const ov_playlist_item*, int>> effects;
  bool enabled = false;
  int number_of_boxes() const override { return boxes; }
  void set_entries(const QList<ov_playlist_item*>& e) override { entries = e; }
  QList<ov_playlist_item*> shown_entries_except(const ov_playlist_item* e) const override {
    QList<ov_playlist_item*> out;
    for (ov_playlist_item* i : entries)
      if (i != e) out << i;
    return out;
  }
  bool contains(const ov_playlist_item* e) const override { return entries.contains(const_cast<ov_playlist_item*>(e)); }
  void run_point_effect(const ov_playlist_item* e, int v) override { effects.append({e, v}); }
  void set_enabled(bool on) override { enabled = on; }
};

struct ov_fake_controls : ov_play_control_port, ov_volume_port, ov_medley_panel_port, ov_error_port {
  ov_play::play_type type = ov_play::play_normal;
  std::optional<ov_medley_values> preset;
  QStringList errors;
  std::function<bool()> busy;  // asked while the error is shown
  QList<bool> busy_at_error;
  ov_play::play_type play_type() const override { return type; }
  ov_play::selection_type selection_type() const override { return ov_play::select_random; }
  int volume() const override { return 100; }
  std::optional<ov_medley_values> preset_values() const override { return preset; }
  void show_error(const QString& text) override {
    errors << text;
    if (busy) busy_at_error << busy();
  }
};

struct ov_fake_views {
  ov_fake_playback playback;
  ov_fake_track_info info;
  ov_fake_next_tracks nexts;
  ov_fake_controls controls;
  ovg_controller_views ports() { return {&playback, &info, &nexts, &controls, &controls, &controls}; }
};

struct ov_controller_fixture {
  QTemporaryDir dir;
  ov_group_map albums, artists;
  std::unique_ptr<ov_database> library_db = ov_open_database(dir.path(), QStringLiteral("library"));
  std::unique_ptr<ov_database> items_db = ov_open_database(dir.path(), QStringLiteral("playlist_items"));
  std::unique_ptr<ov_database> engine_db = ov_open_database(dir.path(), QStringLiteral("favorite_engine"));
  std::unique_ptr<ov_library> library;
  std::unique_ptr<ov_favorite_engine> engine;
  std::unique_ptr<ov_playlist> playlist;
  ov_random_fixed random{7};
  ov_random_scope random_scope{&random};
  ov_fake_views views;

  // Tones of the given lengths in seconds, all by one artist; track i is on
  // album_of[i] ("album" past the list's end).
  bool make(const QList<double>& seconds, const QStringList& album_of = {}) {
    const QString artist = QStringLiteral("artist");
    qputenv("ORVANTIS_PCM_DEVICE", "null");
    library = std::make_unique<ov_library>(library_db.get(), &albums, &artists, QStringLiteral("seed"));
    QStringList paths;
    for (int i = 0; i < seconds.size(); ++i) {
      const QString path = dir.filePath(QStringLiteral("t%1.mp3").arg(i));
      if (!ov_test::make_tone_mp3(path, {.seconds = seconds[i], .frequency = 330.0 + 110 * i}) ||
          !ov_test::set_tags(path, QStringLiteral("t%1").arg(i), album_of.value(i, QStringLiteral("album")), artist))
        return false;
      paths << path;
    }
    library->add_music_files(paths, 1000);
    playlist = std::make_unique<ov_playlist>(library.get(), items_db.get(), 1, QStringLiteral("list"), 1);
    for (const QString& p : paths) playlist->add_track(library->track_by_path(p));
    engine = std::make_unique<ov_favorite_engine>(engine_db.get(), QStringLiteral("seed"));
    return playlist->count() == seconds.size();
  }

  ov_track* track(int row) const { return playlist->track_at(row); }

  // The score of a file as library.db holds it, read by a fresh library store.
  int stored_score(int row) const {
    ov_group_map a, b;
    ov_library fresh(library_db.get(), &a, &b, QStringLiteral("seed"));
    const ov_track* t = fresh.track_by_path(track(row)->tags().file_path());
    return t ? t->score() : -1;
  }
};
