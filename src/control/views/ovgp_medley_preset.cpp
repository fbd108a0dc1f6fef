#include "ovgp_medley_preset.h"

#include "ovg_dspinbox.h"
#include "ovg_spinbox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>

#include <utility>

namespace {

// Ranges of the fields, seconds and percent.
constexpr double fade_min = 0.5, fade_max = 20;
constexpr double flatline_min = 2, flatline_max = 1000;
constexpr double start_min = 0, start_max = 1000;
constexpr int flatline_ratio_min = 5, flatline_ratio_max = 95;
constexpr int start_ratio_min = 0, start_ratio_max = 95;

// Grid columns: caption, radio, min, "~", max, unit; the full layout puts
// the percent pair beside the seconds pair, from column second_pair on.
constexpr int col_caption = 0;
constexpr int col_pair = 1;
constexpr int second_pair = 6;

}  // namespace

void ovgp_medley_preset::pair_row::set_enabled(bool enabled) const {
  for (QWidget* w : {min, max, static_cast<QWidget*>(tilde), static_cast<QWidget*>(unit)}) w->setEnabled(enabled);
}

ovgp_medley_preset::ovgp_medley_preset(const ov_medley_preset& v, layout_kind layout, QObject* parent)
    : QObject(parent),
      id_(v.id),
      name_(v.id == ov_medley_preset::default_id ? ov_medley_preset::default_name() : v.name),
      position_(v.position),
      layout_(layout),
      page_(new QWidget) {
  page_->setObjectName(QStringLiteral("medley_preset_page"));
  build_fields(v);
  build_layout();
  connect_radio(fl_seconds_, fl_s_, fl_r_);
  connect_radio(sp_seconds_, sp_s_, sp_r_);
}

ovgp_medley_preset::~ovgp_medley_preset() = default;

void ovgp_medley_preset::build_fields(const ov_medley_preset& v) {
  QWidget* p = page_;
  fi_smin_ = new ovg_dspinbox(fade_min, fade_max, v.fi_smin, p);
  fi_smax_ = new ovg_dspinbox(fade_min, fade_max, v.fi_smax, p);
  fl_smin_ = new ovg_dspinbox(flatline_min, flatline_max, v.fl_smin, p);
  fl_smax_ = new ovg_dspinbox(flatline_min, flatline_max, v.fl_smax, p);
  fo_smin_ = new ovg_dspinbox(fade_min, fade_max, v.fo_smin, p);
  fo_smax_ = new ovg_dspinbox(fade_min, fade_max, v.fo_smax, p);
  sp_smin_ = new ovg_dspinbox(start_min, start_max, v.sp_smin, p);
  sp_smax_ = new ovg_dspinbox(start_min, start_max, v.sp_smax, p);
  fl_rmin_ = new ovg_spinbox(flatline_ratio_min, flatline_ratio_max, v.fl_rmin, p);
  fl_rmax_ = new ovg_spinbox(flatline_ratio_min, flatline_ratio_max, v.fl_rmax, p);
  sp_rmin_ = new ovg_spinbox(start_ratio_min, start_ratio_max, v.sp_rmin, p);
  sp_rmax_ = new ovg_spinbox(start_ratio_min, start_ratio_max, v.sp_rmax, p);
  fi_ = seconds_pair(fi_smin_, fi_smax_);
  fl_s_ = seconds_pair(fl_smin_, fl_smax_);
  fo_ = seconds_pair(fo_smin_, fo_smax_);
  sp_s_ = seconds_pair(sp_smin_, sp_smax_);
  fl_r_ = percent_pair(fl_rmin_, fl_rmax_);
  sp_r_ = percent_pair(sp_rmin_, sp_rmax_);

  fl_seconds_ = new QRadioButton(p);
  fl_percent_ = new QRadioButton(p);
  sp_seconds_ = new QRadioButton(p);
  sp_percent_ = new QRadioButton(p);
  for (auto [seconds, percent] : {std::pair{fl_seconds_, fl_percent_}, std::pair{sp_seconds_, sp_percent_}}) {
    auto* group = new QButtonGroup(p);
    group->addButton(seconds);
    group->addButton(percent);
  }
  (v.fl_senabled ? fl_seconds_ : fl_percent_)->setChecked(true);
  (v.sp_senabled ? sp_seconds_ : sp_percent_)->setChecked(true);

  adjust_ = new QCheckBox(tr("Try to adjust fade in/out length"), p);
  no_fade_ = new QCheckBox(tr("No fade on begin/end of track"), p);
  longer_ = new QCheckBox(tr("Make playtime longer on high scored ones"), p);
  adjust_->setChecked(v.adjust_fade_length_enabled);
  no_fade_->setChecked(v.no_fade_on_begin_end_enabled);
  longer_->setChecked(v.longer_on_high_scored_ones_enabled);
}

ovgp_medley_preset::pair_row ovgp_medley_preset::seconds_pair(ovg_dspinbox* min, ovg_dspinbox* max) {
  return pair_row{min, max, new QLabel(QStringLiteral("~"), page_), new QLabel(tr("sec"), page_)};
}

ovgp_medley_preset::pair_row ovgp_medley_preset::percent_pair(ovg_spinbox* min, ovg_spinbox* max) {
  return pair_row{min, max, new QLabel(QStringLiteral("~"), page_), new QLabel(QStringLiteral("%"), page_)};
}

void ovgp_medley_preset::place_pair(QGridLayout* grid, int row, int column, QWidget* lead, const pair_row& pair) {
  if (lead) grid->addWidget(lead, row, column);
  grid->addWidget(pair.min, row, column + 1);
  grid->addWidget(pair.tilde, row, column + 2, Qt::AlignCenter);
  grid->addWidget(pair.max, row, column + 3);
  grid->addWidget(pair.unit, row, column + 4);
}

void ovgp_medley_preset::build_layout() {
  auto* outer = new QVBoxLayout(page_);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(4);
  // The full page (a column of the medley panel) gives each percent pair a
  // row of its own; the compact one (the dialog) puts it beside the seconds.
  const bool beside = layout_ == layout_kind::compact;
  const int pct_column = beside ? second_pair : col_pair;
  const int pct_step = beside ? 0 : 1;
  int row = 0;
  grid->addWidget(new QLabel(tr("Fadein Length"), page_), row, col_caption);
  place_pair(grid, row++, col_pair, nullptr, fi_);
  grid->addWidget(new QLabel(tr("Play Length"), page_), row, col_caption);
  place_pair(grid, row, col_pair, fl_seconds_, fl_s_);
  row += pct_step;
  place_pair(grid, row++, pct_column, fl_percent_, fl_r_);
  grid->addWidget(new QLabel(tr("Fadeout Length"), page_), row, col_caption);
  place_pair(grid, row++, col_pair, nullptr, fo_);
  grid->addWidget(new QLabel(tr("Start Position"), page_), row, col_caption);
  place_pair(grid, row, col_pair, sp_seconds_, sp_s_);
  row += pct_step;
  place_pair(grid, row++, pct_column, sp_percent_, sp_r_);
  grid->setColumnStretch(beside ? second_pair + 5 : second_pair, 1);
  outer->addLayout(grid);
  for (QCheckBox* box : {adjust_, no_fade_, longer_}) outer->addWidget(box);
  outer->addStretch();
}

void ovgp_medley_preset::connect_radio(QRadioButton* seconds, const pair_row& sec, const pair_row& pct) {
  auto apply = [sec, pct](bool in_seconds) {
    sec.set_enabled(in_seconds);
    pct.set_enabled(!in_seconds);
  };
  apply(seconds->isChecked());
  connect(seconds, &QRadioButton::toggled, this, apply);
}

void ovgp_medley_preset::set_name(const QString& name) {
  if (id_ != ov_medley_preset::default_id && name != shown_name()) name_ = name;
}

ov_medley_preset ovgp_medley_preset::record() const {
  ov_medley_preset p;
  p.id = id_;
  p.name = name_;
  p.position = position_;
  p.fi_smin = fi_smin_->value(), p.fi_smax = fi_smax_->value();
  p.fl_smin = fl_smin_->value(), p.fl_smax = fl_smax_->value();
  p.fo_smin = fo_smin_->value(), p.fo_smax = fo_smax_->value();
  p.sp_smin = sp_smin_->value(), p.sp_smax = sp_smax_->value();
  p.fl_rmin = fl_rmin_->value(), p.fl_rmax = fl_rmax_->value();
  p.sp_rmin = sp_rmin_->value(), p.sp_rmax = sp_rmax_->value();
  p.fl_senabled = fl_seconds_->isChecked();
  p.sp_senabled = sp_seconds_->isChecked();
  p.adjust_fade_length_enabled = adjust_->isChecked();
  p.no_fade_on_begin_end_enabled = no_fade_->isChecked();
  p.longer_on_high_scored_ones_enabled = longer_->isChecked();
  return p;
}

std::unique_ptr<ovgp_medley_preset> ovgp_medley_preset::copy(layout_kind layout) const {
  return std::make_unique<ovgp_medley_preset>(record(), layout);
}
