#include "ovg_palette_normal.h"

#include "ovg_palette_layouts.h"
#include "ovg_palette_medium.h"
#include "ovg_palette_page.h"
#include "ovg_palette_small.h"
#include "ovgv_pc_normal.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>

ovg_palette_normal::ovg_palette_normal(ov_settings_group* group, ovg_mode_views* views, ovgv_pc_normal* play_control,
                                       QObject* parent)
    : QObject(parent),
      settings_(group),
      widget_(new QWidget),
      full_(ovg_make_full_page(*views, play_control->full_widget())),
      small_(std::make_unique<ovg_palette_small>(*views, play_control)) {
  build_widget();
  medium_ = std::make_unique<ovg_palette_medium>(&settings_.minimized, views, play_control, stack_, full_.get(),
                                                 small_.get());
  connect(medium_.get(), &ovg_palette_medium::esignal_minimized_changed, this, &ovg_palette_normal::show_min_max_text);
  connect(min_max_, &QPushButton::clicked, this, &ovg_palette_normal::esignal_min_max_clicked);
  medium_->restore();
}

ovg_palette_normal::~ovg_palette_normal() = default;

void ovg_palette_normal::build_widget() {
  widget_->setObjectName(QStringLiteral("palette_normal"));
  min_max_ = new QPushButton(widget_);
  stack_ = new ovg_palette_stack(widget_);
  stack_->addWidget(full_->widget());
  stack_->addWidget(small_->widget());
  auto* top = new QHBoxLayout;
  top->addStretch();
  top->addWidget(min_max_);
  ovg_lay_out_palette(widget_, top, stack_);
}

void ovg_palette_normal::show_min_max_text(bool minimized) {
  min_max_->setText(minimized ? tr("Maximize") : tr("Minimize"));
}
