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

}  // namespace

std::unique_ptr<ovg_palette_page> ovg_make_full_page(const ovg_mode_views& views, QWidget* play_control,
                                                     QWidget* medley_panel) {
  auto page = std::make_unique<ovg_palette_page>();
  auto* outer = new QVBoxLayout(page->widget());
  auto* top = new QHBoxLayout;
  top->setSpacing(spacing * 2);
  outer->addLayout(top);
  add_slot(*page, column(top), views.track_info());
  QBoxLayout* controls = column(top, 1);
  add_slot(*page, controls, views.playback());
  add_slot(*page, controls, views.volume());
  add_slot(*page, controls, play_control);
  if (medley_panel) {
    // Narrow: the engine status goes under the controls, beside the panel.
    add_slot(*page, controls, views.engine_status());
    controls->addStretch();
    add_slot(*page, column(top), medley_panel);
  } else {
    controls->addStretch();
    QBoxLayout* engine = column(top);
    add_slot(*page, engine, views.engine_status());
    engine->addStretch();
  }
  add_slot(*page, outer, views.next_tracks(), 1);
  return page;
}

std::unique_ptr<ovg_palette_page> ovg_make_small_page(const ovg_mode_views& views, QWidget* play_control) {
  auto page = std::make_unique<ovg_palette_page>();
  auto* outer = new QVBoxLayout(page->widget());
  auto* top = new QHBoxLayout;
  top->setSpacing(spacing * 2);
  outer->addLayout(top);
  add_slot(*page, column(top), views.track_info());
  QBoxLayout* controls = column(top, 1);
  add_slot(*page, controls, views.playback());
  auto* row = new QHBoxLayout;
  controls->addLayout(row);
  add_slot(*page, row, play_control);
  row->addStretch();
  add_slot(*page, row, views.volume());
  controls->addStretch();
  add_slot(*page, outer, views.next_tracks(), 1);
  return page;
}
