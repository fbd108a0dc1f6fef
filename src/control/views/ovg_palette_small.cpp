#include "ovg_palette_small.h"

#include "ovg_palette_layouts.h"
#include "ovgv_pc_normal.h"

ovg_palette_small::ovg_palette_small(const ovg_mode_views& views, ovgv_pc_normal* play_control, QObject* parent)
    : QObject(parent), page_(ovg_make_small_page(views, play_control->minimized_widget())) {
  page_->widget()->setObjectName(QStringLiteral("palette_small"));
}

ovg_palette_small::~ovg_palette_small() = default;
