#include "ovg_palette_layouts.h"

#include "ovg_mode_views.h"

#include <QBoxLayout>
#include <QWidget>

namespace {

constexpr int spacing = 6;

// A slot of its own for one view inside parent.
QBoxLayout* add_slot(ovg_palette_page& page, QBoxLayout* parent, QWidget* view, int stretch = 0) {
  auto* slot = new QVBoxLayout;
  slot->setContentsMargins(0, 0, 0, 0);
  parent->addLayout(slot, stretch);
  page.add_slot(slot, view);
  return slot;
}

QBoxLayout* column(QBoxLayout* parent, int stretch = 0) {
  auto* c = new QVBoxLayout;
  c->setSpacing(spacing);
  parent->addLayout(c, stretch);
  return c;
}

// What every arrangement shares: the track information beside a column
// that starts with the transport. The caller places the next tracks.
struct frame {
  std::unique_ptr<ovg_palette_page> page = std::make_unique<ovg_palette_page>();
  QBoxLayout* outer = nullptr;
  QBoxLayout* top = nullptr;
  QBoxLayout* controls = nullptr;
};

frame make_frame(const ovg_mode_views& views) {
  frame f;
  f.outer = new QVBoxLayout(f.page->widget());
  f.outer->setContentsMargins(0, 0, 0, 0);
  f.top = new QHBoxLayout;
  f.top->setSpacing(spacing * 2);
  f.outer->addLayout(f.top);
  add_slot(*f.page, column(f.top), views.track_info());
  f.controls = column(f.top, 1);
  add_slot(*f.page, f.controls, views.playback());
  return f;
}

}  // namespace

std::unique_ptr<ovg_palette_page> ovg_make_full_page(const ovg_mode_views& views, QWidget* play_control,
                                                     QWidget* medley_panel) {
  frame f = make_frame(views);
  ovg_palette_page& page = *f.page;
  add_slot(page, f.controls, views.volume());
  add_slot(page, f.controls, play_control);
  if (medley_panel) {
    // Narrow: the engine status goes under the controls, beside the panel.
    add_slot(page, f.controls, views.engine_status());
    f.controls->addStretch();
    add_slot(page, column(f.top), medley_panel);
    add_slot(page, f.outer, views.next_tracks(), 1);
  } else {
    add_slot(page, f.controls, views.next_tracks());
    f.controls->addStretch();
    QBoxLayout* engine = column(f.top);
    add_slot(page, engine, views.engine_status());
    engine->addStretch();
  }
  return std::move(f.page);
}

std::unique_ptr<ovg_palette_page> ovg_make_small_page(const ovg_mode_views& views, QWidget* play_control) {
  frame f = make_frame(views);
  auto* row = new QHBoxLayout;
  f.controls->addLayout(row);
  add_slot(*f.page, row, play_control);
  row->addStretch();
  add_slot(*f.page, row, views.volume());
  f.controls->addStretch();
  add_slot(*f.page, column(f.top), views.next_tracks());
  return std::move(f.page);
}
