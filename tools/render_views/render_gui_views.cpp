#include "ov_database.h"
#include "ov_library.h"
#include "ov_playlist.h"
#include "ov_schema.h"
#include "ov_test_mp3.h"
#include "ov_track.h"
#include "ovg_attached_picture.h"
#include "ovg_slider.h"
#include "ovgv_next_tracks.h"
#include "ovgv_playback.h"
#include "ovgv_track_info.h"
#include "ovgv_track_info_link_label.h"
#include "ovgv_volume.h"

#include <QBuffer>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A cover: a colour gradient with a large letter.
QByteArray cover_png(QColor colour, QChar letter) {
  QImage image(300, 300, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient g(0, 0, 300, 300);
  g.setColorAt(0, colour.lighter(150));
  g.setColorAt(1, colour.darker(200));
  p.fillRect(image.rect(), g);
  p.setPen(Qt::white);
  p.setFont(QFont(QStringLiteral("Arial"), 150, QFont::Bold));
  p.drawText(image.rect(), Qt::AlignCenter, QString(letter));
  p.end();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

struct sample {
  QTemporaryDir dir;
  ov_group_map albums, artists;
  ov_library library{nullptr, &albums, &artists, QStringLiteral("seed")};
  std::unique_ptr<ov_database> items_db = ov_open_database(dir.path(), QStringLiteral("playlist_items"));
  std::unique_ptr<ov_playlist> playlist;

  sample() {
    playlist = std::make_unique<ov_playlist>(&library, items_db.get(), 1, QStringLiteral("sample"), 1);
    // The last file has no tags at all: its file name stands for the title.
    const struct {
      const char* title;
      QColor colour;
      int score;
      bool cover;
    } tracks[] = {{"Morning Tide", QColor(40, 110, 200), 1200, true},
                  {"Copper Lanterns", QColor(200, 110, 40), 85000, true},
                  {"Quiet Engine", QColor(60, 160, 90), 3500000, true},
                  {"No Picture Here", QColor(), 0, false},
                  {"", QColor(), 0, false}};
    int id = 1;
    for (const auto& t : tracks) {
      const bool tagged = *t.title;
      const QString path =
          dir.filePath(tagged ? QStringLiteral("%1.mp3").arg(id) : QStringLiteral("Untagged Field Recording.mp3"));
      ov_test::make_tone_mp3(path, ov_test::tone{3.0});
      if (tagged)
        ov_test::set_tags(path, QString::fromLatin1(t.title), QStringLiteral("Sample Album"),
                          QStringLiteral("Sample Artist"));
      if (t.cover) ov_test::add_picture(path, 3, cover_png(t.colour, QLatin1Char(t.title[0])));
      auto track = std::make_unique<ov_track>(id++, 0, ov_tag_data::from_file(path));
      track->add_score(t.score);
      playlist->add_track(library.register_track(std::move(track)));
    }
  }
};

void save(QWidget* w, const QString& out_dir, const QString& name) {
  w->adjustSize();
  w->show();
  w->grab().save(QDir(out_dir).filePath(QStringLiteral("gui_views_") + name + QStringLiteral(".png")));
}

void render_playback(const sample& s, const QString& out_dir) {
  ovgv_playback view;
  view.set_track(s.playlist->track_at(0));
  view.set_state(ove_playback::playing);
  view.set_position(1200);
  save(view.wide_widget(), out_dir, QStringLiteral("playback_wide"));
  view.use_compact();
  view.use_small_icons();
  save(view.compact_widget(), out_dir, QStringLiteral("playback_compact_small_icons"));
}

void render_volume(const QString& out_dir) {
  ovgv_volume view(nullptr);
  view.slider()->setValue(65);
  save(view.widget(), out_dir, QStringLiteral("volume"));
}

// The parts of the track information in a row, as a full palette shows them.
void render_track_info(const sample& s, const QString& out_dir, int row, bool incoming, const QString& name) {
  ovgv_track_info view;
  QWidget frame;
  auto* layout = new QHBoxLayout(&frame);
  auto* texts = new QVBoxLayout;
  auto* buttons = new QHBoxLayout;
  layout->addWidget(view.large_picture_widget());
  layout->addWidget(view.small_picture(), 0, Qt::AlignTop);
  buttons->addWidget(view.rank_icon());
  buttons->addWidget(view.like_button());
  buttons->addWidget(view.dislike_button());
  buttons->addStretch(1);
  texts->addWidget(view.title_link());
  texts->addWidget(view.second_link());
  texts->addLayout(buttons);
  texts->addStretch(1);
  layout->addLayout(texts);
  view.set_text_max_width(470);
  view.set_track(s.playlist->track_at(row));
  view.eslot_enabled_like_buttons(true);
  if (incoming) {
    view.set_picture(s.playlist->track_at(row + 1));
    view.show_incoming(45);
  }
  save(&frame, out_dir, name);
}

void render_next_tracks(const sample& s, const QString& out_dir) {
  ovgv_next_tracks panel(5);
  panel.set_entries(s.playlist->items());
  save(panel.container(), out_dir, QStringLiteral("next_tracks"));
  // Picked in a panel much wider than its boxes: the points float over the
  // clicked cover.
  panel.container()->resize(640, panel.container()->height());
  panel.run_point_effect(s.playlist->item_at(1), 12);
  panel.container()->grab().save(QDir(out_dir).filePath(QStringLiteral("gui_views_next_tracks_picked.png")));
  panel.set_enabled(false);
  save(panel.container(), out_dir, QStringLiteral("next_tracks_disabled"));
}

}  // namespace

void ov_render_gui_views(const QString& out_dir) {
  QDir().mkpath(out_dir);
  sample s;
  render_playback(s, out_dir);
  render_volume(out_dir);
  render_track_info(s, out_dir, 1, false, QStringLiteral("track_info"));
  render_track_info(s, out_dir, 0, true, QStringLiteral("track_info_incoming"));
  render_track_info(s, out_dir, 3, false, QStringLiteral("track_info_no_cover"));
  render_track_info(s, out_dir, 4, false, QStringLiteral("track_info_untagged"));
  {
    ovgv_track_info cleared;
    save(cleared.large_picture_widget(), out_dir, QStringLiteral("track_info_cleared"));
  }
  render_next_tracks(s, out_dir);
}
