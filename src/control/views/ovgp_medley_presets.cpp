#include "ovgp_medley_presets.h"

#include "ov_database.h"
#include "ov_log.h"
#include "ovgp_medley_preset.h"
#include "ovgp_tableview_presets.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace {
const QString log_tag = QStringLiteral("medley_presets");
}  // namespace

ovgp_medley_presets::ovgp_medley_presets(const QList<ov_medley_preset>& presets, ov_database* db, QObject* parent)
    : QObject(parent), db_(db), widget_(new QWidget) {
  build_widgets();
  for (const ov_medley_preset& p : presets)
    add_page(std::make_unique<ovgp_medley_preset>(p, ovgp_medley_preset::layout_kind::compact), count());
  model_->refresh();
  connect_signals();
  if (count() > 0) select_row(0);
}

ovgp_medley_presets::~ovgp_medley_presets() = default;

void ovgp_medley_presets::build_widgets() {
  widget_->setObjectName(QStringLiteral("medley_presets_page"));
  model_ = new ovgp_model_presets(&presets_, this);
  view_ = new ovgp_tableview_presets(widget_);
  view_->setModel(model_);
  view_->setFixedWidth(180);
  add_ = new QPushButton(tr("Add"), widget_);
  remove_ = new QPushButton(tr("Remove"), widget_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add_);
  buttons->addWidget(remove_);
  auto* left = new QVBoxLayout;
  left->addWidget(view_);
  left->addLayout(buttons);
  pages_ = new QStackedLayout;
  auto* layout = new QHBoxLayout(widget_);
  layout->addLayout(left);
  layout->addLayout(pages_, 1);
}

void ovgp_medley_presets::connect_signals() {
  connect(view_, &ovgp_tableview_presets::esignal_current_item_changed, this,
          &ovgp_medley_presets::islot_current_preset_changed);
  connect(add_, &QPushButton::clicked, this, &ovgp_medley_presets::islot_add_new_preset);
  connect(remove_, &QPushButton::clicked, this, &ovgp_medley_presets::islot_remove_selected_preset);
  connect(view_, &ovgp_tableview_presets::esignal_preset_move, this, &ovgp_medley_presets::islot_move_preset);
}

void ovgp_medley_presets::add_page(std::unique_ptr<ovgp_medley_preset> preset, int at) {
  pages_->addWidget(preset->widget());
  presets_.insert(presets_.begin() + at, std::move(preset));
}

QList<ov_medley_preset> ovgp_medley_presets::presets() const {
  QList<ov_medley_preset> list;
  for (const auto& p : presets_) list << p->record();
  return list;
}

ovgp_medley_preset* ovgp_medley_presets::preset_at(int row) const {
  return row >= 0 && row < count() ? presets_[row].get() : nullptr;
}

int ovgp_medley_presets::current_row() const {
  return view_->currentIndex().isValid() ? view_->currentIndex().row() : -1;
}

QWidget* ovgp_medley_presets::current_page() const {
  return pages_->currentWidget();
}

void ovgp_medley_presets::select_row(int row) {
  // The view signals only a change of the current row.
  const bool same = current_row() == row;
  view_->setCurrentIndex(model_->index(row, 0));
  if (same) islot_current_preset_changed(row);
}

void ovgp_medley_presets::islot_current_preset_changed(int row) {
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("preset combo changed to index= ") + QString::number(row));
  if (ovgp_medley_preset* p = preset_at(row)) pages_->setCurrentWidget(p->widget());
  remove_->setEnabled(row > 0);
}

int ovgp_medley_presets::new_id() {
  if (db_) return db_->next_id();
  int largest = ov_medley_preset::default_id;
  for (const auto& p : presets_) largest = std::max(largest, p->id());
  return largest + 1;
}

void ovgp_medley_presets::islot_add_new_preset() {
  ov_medley_preset values;
  values.id = new_id();
  values.name = tr("New Preset");
  add_page(std::make_unique<ovgp_medley_preset>(values, ovgp_medley_preset::layout_kind::compact), count());
  model_->refresh();
  const int last = count() - 1;
  select_row(last);
  view_->edit(model_->index(last, 0));
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("new preset added"));
}

void ovgp_medley_presets::islot_remove_selected_preset() {
  const int row = current_row();
  if (row <= 0 || row >= count()) return;
  std::unique_ptr<ovgp_medley_preset> gone = std::move(presets_[row]);
  presets_.erase(presets_.begin() + row);
  pages_->removeWidget(gone->widget());
  removed_ids_ << gone->id();
  gone.reset();
  model_->refresh();
  select_row(row < count() ? row : count() - 1);
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("removed preset at row index= ") + QString::number(row));
}

void ovgp_medley_presets::islot_move_preset(int from, int to) {
  if (from < 1 || from > count() || to < 1 || to > count() || from == to || from == to - 1) return;
  if (from == count()) return;  // no preset lies past the last row
  std::unique_ptr<ovgp_medley_preset> moving = std::move(presets_[from]);
  presets_.erase(presets_.begin() + from);
  const int at = from < to ? to - 1 : to;
  presets_.insert(presets_.begin() + at, std::move(moving));
  model_->refresh();
  select_row(at);
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("preset moved"));
}
