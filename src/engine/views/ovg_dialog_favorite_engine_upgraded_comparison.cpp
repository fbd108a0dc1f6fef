#include "ovg_dialog_favorite_engine_upgraded_comparison.h"

#include "ovg_icon.h"
#include "ovgv_activity_icons.h"

#include <QGridLayout>
#include <QLabel>

#include <array>

namespace {
constexpr int icon_size = 20;
constexpr int selected_factor = 3;  // the selected gain is shown three times over
const QString changed_style = QStringLiteral("QLabel { color: #3333bb; }");
}  // namespace

ovg_dialog_favorite_engine_upgraded_comparison::ovg_dialog_favorite_engine_upgraded_comparison(
    const ov_grade_table::grade& old_grade, const ov_grade_table::grade& new_grade, QWidget* parent)
    : QWidget(parent), old_(old_grade), new_(new_grade) {
  auto* grid = new QGridLayout(this);
  grid->setColumnStretch(4, 1);
  int row = 0;
  auto* score = new QLabel(tr("Score"), this);
  QFont bold = score->font();
  bold.setBold(true);
  score->setFont(bold);
  grid->addWidget(score, row++, 0, 1, 4);
  const std::array<item, 4> activities{play_new, selected, push_button, play_through};
  for (std::size_t i = 0; i < activities.size(); ++i) {
    auto* icon = new ovg_icon(QString::fromLatin1(ovgv_activity_icons::all[i].path), this);
    icon->setFixedSize(icon_size, icon_size);
    add_row(grid, row++, activities[i], icon);
  }
  const std::array<std::pair<item, QString>, 3> others{{
      {wait_time, tr("Wait Time")},
      {capacity, tr("Capacity")},
      {slot_count, tr("Slots")},
  }};
  for (const auto& [which, caption] : others) {
    auto* label = new QLabel(caption, this);
    label->setFont(bold);
    add_row(grid, row++, which, label);
  }
}

QString ovg_dialog_favorite_engine_upgraded_comparison::value_text(item which, const ov_grade_table::grade& g) {
  switch (which) {
    case play_new:
      return QString::number(g.play_new_gain);
    case selected:
      return QStringLiteral("%1 (%2x%3)")
          .arg(g.selected_gain * selected_factor)
          .arg(g.selected_gain)
          .arg(selected_factor);
    case push_button:
      return QString::number(g.button_gain);
    case play_through:
      return QString::number(g.play_through_gain) + QStringLiteral(" / ") + QString::number(g.play_through_seconds) +
             QLatin1Char(' ') + tr("sec");
    case wait_time:
      return QString::number(g.wait_seconds) + QLatin1Char(' ') + tr("sec");
    case capacity:
      return QString::number(g.skill_capacity);
    case slot_count:
      return QString::number(g.skill_slots);
  }
  return {};
}

void ovg_dialog_favorite_engine_upgraded_comparison::add_row(QGridLayout* grid, int row, item which, QWidget* caption) {
  auto* old_value = new QLabel(value_text(which, old_), this);
  auto* new_value = new QLabel(value_text(which, new_), this);
  old_value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  new_value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  if (new_value->text() != old_value->text()) {
    QFont f = new_value->font();
    f.setBold(true);
    new_value->setFont(f);
    new_value->setStyleSheet(changed_style);
  }
  grid->addWidget(caption, row, 0);
  grid->addWidget(old_value, row, 1);
  grid->addWidget(new QLabel(QStringLiteral("->"), this), row, 2, Qt::AlignCenter);
  grid->addWidget(new_value, row, 3);
  labels_[which] = {old_value, new_value};
}

QLabel* ovg_dialog_favorite_engine_upgraded_comparison::old_label(item which) const {
  const auto it = labels_.find(which);
  return it == labels_.end() ? nullptr : it->second.first;
}

QLabel* ovg_dialog_favorite_engine_upgraded_comparison::new_label(item which) const {
  const auto it = labels_.find(which);
  return it == labels_.end() ? nullptr : it->second.second;
}
