#include "ovg_palette_manual_medley.h"

#include "ovg_palette_large.h"
#include "ovg_palette_layouts.h"
#include "ovg_palette_medium.h"
#include "ovg_palette_page.h"
#include "ovg_palette_small.h"
#include "ovgv_pc_medley.h"
#include "ovgv_pc_normal.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

ovg_palette_manual_medley::ovg_palette_manual_medley(ov_settings_group* group, ovg_mode_views* views,
                                                     ovgv_pc_normal* play_control, ovgv_pc_medley* medley_panel,
                                                     QObject* parent)
    : QObject(parent),
      settings_(group),
      widget_(new QWidget),
      narrow_(ovg_make_full_page(*views, play_control->full_widget(), medley_panel->widget())),
      wide_(ovg_make_full_page(*views, play_control->full_widget())),
      small_(std::make_unique<ovg_palette_small>(*views, play_control)) {
  build_widget();
  make_managers(views, play_control);
  connect_buttons(medley_panel);
  large_->restore();
}

ovg_palette_manual_medley::~ovg_palette_manual_medley() = default;

void ovg_palette_manual_medley::build_widget() {
  widget_->setObjectName(QStringLiteral("palette_manual_medley"));
  auto* title = new QLabel(tr("Medley Control"), widget_);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  collapse_expand_ = new QPushButton(widget_);
  min_max_ = new QPushButton(widget_);
  stack_ = new ovg_palette_stack(widget_);
  stack_->addWidget(narrow_->widget());
  stack_->addWidget(wide_->widget());
  stack_->addWidget(small_->widget());
  auto* top = new QHBoxLayout;
  top->addWidget(title);
  top->addStretch();
  top->addWidget(collapse_expand_);
  top->addWidget(min_max_);
  ovg_lay_out_palette(widget_, top, stack_);
}

void ovg_palette_manual_medley::make_managers(ovg_mode_views* views, ovgv_pc_normal* play_control) {
  medium_ = std::make_unique<ovg_palette_medium>(&settings_.minimized, views, play_control, stack_, narrow_.get(),
                                                 small_.get());
  large_ = std::make_unique<ovg_palette_large>(&settings_.collapsed, medium_.get(), narrow_.get(), wide_.get());
  connect(medium_.get(), &ovg_palette_medium::esignal_minimized_changed, this,
          &ovg_palette_manual_medley::show_button_texts);
  connect(large_.get(), &ovg_palette_large::esignal_collapsed_changed, this,
          &ovg_palette_manual_medley::show_button_texts);
}

void ovg_palette_manual_medley::connect_buttons(ovgv_pc_medley* medley_panel) {
  connect(min_max_, &QPushButton::clicked, this, &ovg_palette_manual_medley::esignal_min_max_clicked);
  connect(collapse_expand_, &QPushButton::clicked, this, &ovg_palette_manual_medley::esignal_collapse_expand_clicked);
  connect(medley_panel, &ovgv_pc_medley::esignal_more_clicked, this, &ovg_palette_manual_medley::esignal_more_clicked);
  connect(medley_panel, &ovgv_pc_medley::esignal_minimize_clicked, this,
          &ovg_palette_manual_medley::esignal_minimize_clicked);
  // The header's button collapses and expands the panel; the panel's own
  // "Collapse", which does the same, would only repeat it.
  medley_panel->collapse_button()->hide();
}

void ovg_palette_manual_medley::show_button_texts() {
  min_max_->setText(medium_->is_minimized() ? tr("Maximize") : tr("Minimize"));
  const bool collapsed = large_ && large_->is_collapsed();
  collapse_expand_->setText(collapsed ? tr("Expand") : tr("Collapse"));
  collapse_expand_->setToolTip(collapsed ? tr("Show the medley preset panel") : tr("Hide the medley preset panel"));
  collapse_expand_->setEnabled(!medium_->is_minimized());
}
