#include "ovgp_favorite_engine_summary.h"

#include "ov_favorite_engine.h"
#include "ov_util.h"
#include "ovg_bar_text.h"
#include "ovg_icon.h"
#include "ovgp_skill_preview.h"
#include "ovgv_activity_icons.h"
#include "ovgv_favorite_engine_icon.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

#include <array>

namespace {
constexpr int icon_size = 18;

// Dynamic Rate examples: picked rank -> other rank, and their difference.
struct rate_example {
  const char* text;
  int difference;
};
constexpr std::array<rate_example, 5> rate_examples{{
    {"F -> F+:", 1},
    {"F -> E:", 2},
    {"F -> E+:", 3},
    {"F+ -> F:", -1},
    {"E -> F:", -2},
}};

struct special {
  int skill_id;
  const char* text;
};
constexpr std::array<special, 3> multipliers{{
    {ovd_skill::double_score, QT_TRANSLATE_NOOP("ovgp_favorite_engine_summary", "Double")},
    {ovd_skill::triple_score, QT_TRANSLATE_NOOP("ovgp_favorite_engine_summary", "Triple")},
    {ovd_skill::quadruple_score, QT_TRANSLATE_NOOP("ovgp_favorite_engine_summary", "Quadruple")},
}};
constexpr std::array<special, 2> elixirs{{
    {ovd_skill::elixir_t, "Elixir (T)"},
    {ovd_skill::elixir_s, "Elixir (S)"},
}};

// A factor as a whole percentage ("115 %"); rounded, so that 1.15 does not
// show as 114.
QString percent_text(double factor) {
  return QString::number(ov_trunc(ov_round(factor * 100.0))) + QStringLiteral(" %");
}

QLabel* bold_label(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont f = label->font();
  f.setBold(true);
  label->setFont(f);
  return label;
}
}  // namespace

ovgp_favorite_engine_summary::ovgp_favorite_engine_summary(QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  grid->setVerticalSpacing(3);
  grid->setColumnStretch(5, 1);
  int row = 0;
  build_grade_block(grid, row);
  build_score_block(grid, row);
  build_distribute_block(grid, row);
  build_dynamic_rate_block(grid, row);
  build_limits_block(grid, row);
  build_specials_block(grid, row);
  grid->setRowStretch(row, 1);
}

QString ovgp_favorite_engine_summary::style_for(bool changed) {
  return QStringLiteral("QLabel { color: ") + (changed ? QStringLiteral("#3333bb") : QStringLiteral("black")) +
         QStringLiteral("; }");
}

QLabel* ovgp_favorite_engine_summary::value_label(item which) const {
  const auto c = compares_.find(which);
  if (c != compares_.end()) return c->second.value;
  const auto t = texts_.find(which);
  return t == texts_.end() ? nullptr : t->second;
}

QLabel* ovgp_favorite_engine_summary::dynamic_rate_label(int rank_difference) const {
  const auto it = rate_examples_.find(rank_difference);
  return it == rate_examples_.end() ? nullptr : it->second;
}

void ovgp_favorite_engine_summary::add_heading(QGridLayout* grid, int& row, const QString& text) {
  grid->addWidget(bold_label(text, this), row++, 0, 1, 6);
}

ovgp_favorite_engine_summary::compare_row& ovgp_favorite_engine_summary::add_compare_row(QGridLayout* grid, int& row,
                                                                                         item which, QWidget* caption,
                                                                                         const QString& unit) {
  compare_row& r = compares_[which];
  r.base = new QLabel(this);
  r.base->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  r.value = new QLabel(this);
  r.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  r.extra = new QLabel(unit, this);
  grid->addWidget(caption, row, 0);
  grid->addWidget(r.base, row, 1);
  grid->addWidget(new QLabel(QStringLiteral("->"), this), row, 2);
  grid->addWidget(r.value, row, 3);
  grid->addWidget(r.extra, row, 4);
  ++row;
  return r;
}

QLabel* ovgp_favorite_engine_summary::add_text_row(QGridLayout* grid, int& row, item which, const QString& caption,
                                                   bool bold) {
  auto* value = new QLabel(this);
  texts_[which] = value;
  grid->addWidget(bold ? bold_label(caption, this) : new QLabel(caption, this), row, 0);
  grid->addWidget(value, row, 1, 1, 5);
  ++row;
  return value;
}

void ovgp_favorite_engine_summary::build_grade_block(QGridLayout* grid, int& row) {
  add_heading(grid, row, tr("Grade"));
  grade_icon_ = new ovgv_favorite_engine_icon(QImage(), 32, 32, this);
  grade_name_ = new QLabel(this);
  exp_bar_ = new ovg_progress_bar(this);
  exp_bar_->setFormat(tr("%v EXP"));
  exp_bar_->setStyleSheet(QStringLiteral("QProgressBar { text-align: center;}"));
  grid->addWidget(grade_icon_, row, 0);
  grid->addWidget(grade_name_, row, 1, 1, 3);
  grid->addWidget(exp_bar_, row, 4, 1, 2);
  ++row;
}

void ovgp_favorite_engine_summary::build_score_block(QGridLayout* grid, int& row) {
  add_heading(grid, row, tr("Score"));
  const std::array<item, 4> items{play_new, selected, push_buttons, play_through};
  for (std::size_t i = 0; i < items.size(); ++i) {
    auto* icon = new ovg_icon(QString::fromLatin1(ovgv_activity_icons::all[i].path), this);
    icon->setFixedSize(icon_size, icon_size);
    add_compare_row(grid, row, items[i], icon, QString());
  }
}

void ovgp_favorite_engine_summary::build_distribute_block(QGridLayout* grid, int& row) {
  add_heading(grid, row, tr("Distribute"));
  add_text_row(grid, row, album, tr("Album:"));
  add_text_row(grid, row, artist, tr("Artist:"));
}

void ovgp_favorite_engine_summary::build_dynamic_rate_block(QGridLayout* grid, int& row) {
  add_heading(grid, row, tr("Dynamic Rate"));
  add_text_row(grid, row, dynamic_rate, QString());
  rate_examples_box_ = new QWidget(this);
  auto* examples = new QGridLayout(rate_examples_box_);
  examples->setContentsMargins(0, 0, 0, 0);
  for (std::size_t i = 0; i < rate_examples.size(); ++i) {
    auto* value = new QLabel(rate_examples_box_);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int r = int(i % 3);
    const int c = int(i / 3) * 2;
    examples->addWidget(new QLabel(QString::fromLatin1(rate_examples[i].text), rate_examples_box_), r, c);
    examples->addWidget(value, r, c + 1);
    rate_examples_[rate_examples[i].difference] = value;
  }
  grid->addWidget(rate_examples_box_, row++, 0, 1, 6);
}

void ovgp_favorite_engine_summary::build_limits_block(QGridLayout* grid, int& row) {
  add_compare_row(grid, row, wait_time, bold_label(tr("Wait Time"), this), tr("sec"));
  add_compare_row(grid, row, gain_limit, bold_label(tr("Gain Limit"), this), QString());
  add_compare_row(grid, row, nexts_panel, bold_label(tr("Nexts Panel"), this), QString());
  add_compare_row(grid, row, button_life, bold_label(tr("Button Life"), this), tr("times"));
}

void ovgp_favorite_engine_summary::build_specials_block(QGridLayout* grid, int& row) {
  add_text_row(grid, row, specials_1, tr("Specials 1"), true);
  add_text_row(grid, row, specials_2, tr("Specials 2"), true);
}

void ovgp_favorite_engine_summary::show_values(const ov_grade_table::grade* grade, int experience,
                                               const ov_skill_set& skills) {
  const ovgp_skill_preview preview(grade, skills);
  show_grade(grade, experience);
  show_scores(grade, preview);
  show_distribute(preview);
  show_dynamic_rate(preview);
  show_limits(grade, preview);
  show_specials(preview);
}

void ovgp_favorite_engine_summary::show_grade(const ov_grade_table::grade* grade, int experience) {
  if (!grade) return;
  grade_icon_->set_image(grade->image());
  grade_name_->setText(grade->display_name());
  exp_bar_->setRange(0, grade->exp_requirement);
  exp_bar_->setValue(ov_clamp(experience, 0, grade->exp_requirement));
}

void ovgp_favorite_engine_summary::show_compare(item which, int base, int value, const QString& extra) {
  compare_row& r = compares_[which];
  r.base->setText(QString::number(base));
  r.value->setText(QString::number(value));
  r.value->setStyleSheet(style_for(value != base));
  if (!extra.isNull()) r.extra->setText(extra);
}

void ovgp_favorite_engine_summary::show_scores(const ov_grade_table::grade* grade, const ovgp_skill_preview& preview) {
  if (!grade) return;
  const std::array<std::pair<item, int>, 4> rows{{
      {play_new, ov_favorite_engine::play_new},
      {selected, ov_favorite_engine::selected},
      {push_buttons, ov_favorite_engine::like},
      {play_through, ov_favorite_engine::play_through},
  }};
  const std::array<int, 4> bases{grade->play_new_gain, grade->selected_gain, grade->button_gain,
                                 grade->play_through_gain};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int value = preview.gain(rows[i].second);
    const int base = bases[i];
    // No ratio against a base of 0; an empty (not null) text clears it.
    const QString ratio =
        base != 0 ? QStringLiteral("(") + percent_text(double(value) / base) + QStringLiteral(")") : QStringLiteral("");
    show_compare(rows[i].first, base, value, ratio);
  }
}

void ovgp_favorite_engine_summary::show_distribute(const ovgp_skill_preview& preview) {
  const std::array<std::pair<item, ovgp_skill_preview::spread>, 2> rows{{
      {album, preview.album_spread()},
      {artist, preview.artist_spread()},
  }};
  for (const auto& [which, spread] : rows) {
    QLabel* label = texts_[which];
    label->setStyleSheet(style_for(spread.count != 0));
    if (spread.count == 0) {
      label->setText(tr("Disabled"));
      continue;
    }
    label->setText(QString::number(spread.count) + QLatin1Char(' ') + tr("tracks") + QStringLiteral("   (") +
                   tr("score x") + QLatin1Char(' ') + QString::number(ov_trunc(ov_round(spread.rate * 100.0))) +
                   tr("%  min 1)"));
  }
}

void ovgp_favorite_engine_summary::show_dynamic_rate(const ovgp_skill_preview& preview) {
  const bool enabled = preview.has(ovd_skill::dynamic_rate);
  QLabel* label = texts_[dynamic_rate];
  label->setVisible(!enabled);
  label->setText(tr("Disabled"));
  label->setStyleSheet(style_for(false));
  rate_examples_box_->setVisible(enabled);
  for (const auto& [difference, value] : rate_examples_) {
    value->setText(percent_text(preview.dynamic_rate_example(difference)));
    value->setStyleSheet(style_for(enabled));
  }
}

void ovgp_favorite_engine_summary::show_limits(const ov_grade_table::grade* grade, const ovgp_skill_preview& preview) {
  show_compare(wait_time, grade ? grade->wait_seconds : 0, preview.wait_seconds());
  show_compare(gain_limit, ovgp_skill_preview::base_gain_limit, preview.gain_limit());
  show_compare(nexts_panel, ovgp_skill_preview::base_nexts_size, preview.nexts_size());
  show_compare(button_life, ovgp_skill_preview::base_click_capacity, preview.click_capacity());
}

void ovgp_favorite_engine_summary::show_specials(const ovgp_skill_preview& preview) {
  auto joined = [&preview](const auto& table, bool translate) {
    QStringList chosen;
    for (const special& s : table)
      if (preview.has(s.skill_id)) chosen << (translate ? tr(s.text) : QString::fromLatin1(s.text));
    return chosen;
  };
  const std::array<std::pair<item, QStringList>, 2> rows{{
      {specials_1, joined(multipliers, true)},
      {specials_2, joined(elixirs, false)},
  }};
  for (const auto& [which, chosen] : rows) {
    texts_[which]->setText(chosen.isEmpty() ? tr("None") : chosen.join(QStringLiteral(",   ")));
    texts_[which]->setStyleSheet(style_for(!chosen.isEmpty()));
  }
}
