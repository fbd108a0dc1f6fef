#include "ov_engine_test_db.h"
#include "ov_favorite_engine.h"
#include "ovg_dialog_favorite_engine_upgraded.h"
#include "ovg_dialog_favorite_engine_upgraded_comparison.h"
#include "ovg_dialog_favorite_engine_upgraded_model.h"
#include "ovg_dialog_favorite_engine_upgraded_tableview.h"
#include "ovg_icon.h"
#include "ovgp_favorite_engine.h"
#include "ovgp_favorite_engine_summary.h"
#include "ovgp_model_skill.h"
#include "ovgp_tableview_skill.h"
#include "ovgv_favorite_engine.h"
#include "ovgv_favorite_engine_icon.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using namespace ov_engine_test;
using comparison = ovg_dialog_favorite_engine_upgraded_comparison;

namespace {
QList<int> sorted(QList<int> ids) {
  std::sort(ids.begin(), ids.end());
  return ids;
}

QList<int> enabled_ids(const ovgp_model_skill* model) {
  QList<int> ids;
  for (int row = 0; row < model->rowCount(); ++row)
    if (model->flags(model->index(row, ovgp_model_skill::column_check)) & Qt::ItemIsEnabled)
      ids << model->skill_at(row)->id;
  return sorted(ids);
}

}  // namespace

class test_engine_views : public QObject {
  Q_OBJECT

private slots:
  // The panel at each grade: the upgrade button replaces the preferences
  // button once the experience is full, the bars show the grade's ranges.
  void status_panel_rules() {
    // The grade values themselves: test_engine_tables.
    const struct {
      int grade, experience;
      bool can_upgrade;
    } cases[] = {{0, 0, false}, {0, 10, true}, {3, 500, false}, {9, 99999999, false}};
    for (const auto& c : cases) {
      engine_at e(c.grade, {}, c.experience);
      const ov_grade_table::grade* grade = e->grade();
      ovgv_favorite_engine panel(e.engine.get());
      QWidget* box = panel.widget();
      QCOMPARE(panel.upgrade_button()->isVisibleTo(box), c.can_upgrade);
      QCOMPARE(panel.pref_button()->isVisibleTo(box), !c.can_upgrade);
      QCOMPARE(panel.exp_bar()->font().bold(), c.can_upgrade);
      QCOMPARE(panel.exp_bar()->maximum(), grade->exp_requirement);
      QCOMPARE(panel.exp_bar()->value(), c.experience);
      QCOMPARE(panel.wait_bar()->maximum(), grade->wait_seconds);
      QCOMPARE(panel.wait_bar()->value(), grade->wait_seconds);
      QVERIFY(!panel.wait_bar()->font().bold());
      QVERIFY(!panel.multiplier_icon()->isVisibleTo(box));
      QCOMPARE(panel.grade_label()->text(), grade->display_name());
      for (int kind : {1, 2, 3, 5}) QVERIFY(panel.activity_icon(kind)->isEnabled());
    }
  }

  void status_panel_countdown_and_multiplier() {
    // Gold with all three multiplier skills; draws of 0 always succeed.
    engine_at e(7, {13, 24, 30});
    ovgv_favorite_engine panel(e.engine.get());
    ov_favorite_engine& engine = *e.engine;
    engine.use_kind(ov_favorite_engine::like);
    QVERIFY(panel.activity_icon(ov_favorite_engine::like)->isEnabled());  // one click of two
    engine.islot_update_time_left();
    QCOMPARE(panel.wait_bar()->value(), 24);
    QVERIFY(panel.wait_bar()->font().bold());
    engine.use_kind(ov_favorite_engine::dislike);
    engine.use_kind(ov_favorite_engine::play_new);
    for (int kind : {ov_favorite_engine::like, ov_favorite_engine::play_new, ov_favorite_engine::selected,
                     ov_favorite_engine::play_through})
      QCOMPARE(panel.activity_icon(kind)->isEnabled(),
               kind == ov_favorite_engine::selected || kind == ov_favorite_engine::play_through);

    scripted_random draws;
    draws.queue_draws({0, 0, 0, 10000, 10000, 10000});
    ov_random_scope scope(&draws);
    engine.roll_multiplier(100);
    QCOMPARE(engine.score_multiplier(), 9);
    QVERIFY(panel.multiplier_icon()->isVisibleTo(panel.widget()));
    QCOMPARE(panel.multiplier_icon()->path(), QStringLiteral(":/icons/atk-doubled-9.png"));
    // A successful draw ends the waiting time: normal font, icons back.
    QCOMPARE(panel.wait_bar()->value(), 25);
    QVERIFY(!panel.wait_bar()->font().bold());
    QVERIFY(panel.activity_icon(ov_favorite_engine::like)->isEnabled());

    engine.roll_multiplier(100);  // every draw fails
    QCOMPARE(engine.score_multiplier(), 1);
    QVERIFY(!panel.multiplier_icon()->isVisibleTo(panel.widget()));
  }

  void status_panel_follows_upgrade() {
    engine_at e(0, {}, 10);
    ovgv_favorite_engine panel(e.engine.get());
    e.engine->upgrade();
    QCOMPARE(panel.grade_label()->text(), e.engine->grade()->display_name());
    QCOMPARE(panel.exp_bar()->maximum(), 90);
    QCOMPARE(panel.exp_bar()->value(), 0);
    QCOMPARE(panel.wait_bar()->maximum(), 50);
    QVERIFY(!panel.upgrade_button()->isVisibleTo(panel.widget()));
    QVERIFY(panel.pref_button()->isVisibleTo(panel.widget()));

    // Elixir (T) shortens the waiting time: the bar's range follows.
    engine_at last(9);
    ovgv_favorite_engine last_panel(last.engine.get());
    last.engine->set_skills(skill_set({ovd_skill::elixir_t}, 500));
    QCOMPARE(last_panel.wait_bar()->maximum(), 3);
    QCOMPARE(last_panel.wait_bar()->value(), 3);
  }

  void preferences_page_slots_and_capacity() {
    // Lead: 5 slots, capacity 8; Score Plus (All) 3 + Expand Nexts 3 + Click
    // Button Plus 2 use the whole capacity.
    engine_at e(3, {5, 8, 4});
    ovgp_favorite_engine page(e.engine.get());
    ovgp_model_skill* offered = page.offered_model();
    QCOMPARE(offered->rowCount(), 9);  // ids 0 .. 8
    QCOMPARE(page.assigned_model()->rowCount(), 3);
    QCOMPARE(enabled_ids(offered), (QList<int>{4, 5, 8}));  // only the checked ones
    QCOMPARE(page.slot_label()->text(), QStringLiteral("3 / 5"));
    QCOMPARE(page.capacity_label()->text(), QStringLiteral("8 / 8"));
    QCOMPARE(page.summary()->value_label(ovgp_favorite_engine_summary::nexts_panel)->text(), QStringLiteral("5"));

    // Unchecking Click Button Plus in the assigned table frees 2: the cost-1
    // and cost-2 skills fit again, the cost-4 distributions still do not.
    ovgp_model_skill* assigned = page.assigned_model();
    const int click_row = assigned->row_of(ovd_skill::instance().find(4));
    QVERIFY(assigned->setData(assigned->index(click_row, 0), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(ids_of(page.edited_skills()), (QList<int>{5, 8}));
    QVERIFY(!offered->is_checked(offered->row_of(ovd_skill::instance().find(4))));
    QCOMPARE(assigned->rowCount(), 2);
    QCOMPARE(enabled_ids(offered), (QList<int>{0, 1, 2, 3, 4, 5, 8}));
    QCOMPARE(page.summary()->value_label(ovgp_favorite_engine_summary::button_life)->text(), QStringLiteral("2"));

    // The space key on the offered table checks the current row.
    page.offered_view()->setCurrentIndex(offered->index(offered->row_of(ovd_skill::instance().find(0)), 1));
    QTest::keyClick(page.offered_view(), Qt::Key_Space);
    QCOMPARE(sorted(ids_of(page.edited_skills())), (QList<int>{0, 5, 8}));
    QCOMPARE(page.description_label()->text(), ovd_skill::instance().find(0)->description());
    QCOMPARE(enabled_ids(offered), (QList<int>{0, 1, 2, 3, 5, 8}));  // capacity 1 left

    // One more cost-1 skill uses the last capacity: nothing unchecked stays open.
    offered->eslot_toggle_checked(offered->row_of(ovd_skill::instance().find(1)));
    QCOMPARE(page.edited_skills().count(), 4);
    QCOMPARE(enabled_ids(offered), (QList<int>{0, 1, 5, 8}));
    // A disabled row cannot be checked, not even by key.
    const int row_3 = offered->row_of(ovd_skill::instance().find(3));
    offered->eslot_toggle_checked(row_3);
    QVERIFY(!offered->is_checked(row_3));
    QCOMPARE(page.edited_skills().count(), 4);

    // No slot left closes every unchecked row whatever the capacity.
    ovgp_model_skill model;
    model.set_skills(ovd_skill::instance().available(3), {true});
    model.set_remaining(0, 100);
    QCOMPARE(enabled_ids(&model), (QList<int>{ovd_skill::instance().available(3).first()->id}));
    model.set_remaining(1, 100);
    QCOMPARE(enabled_ids(&model).size(), 9);
  }

  // Dynamic rates by rank difference (shown only with the skill) and the
  // special skills, by the summary's own words.
  void summary_rates_and_specials() {
    const struct {
      QList<int> ids;
      QStringList rates;
      QString specials_1, specials_2;
    } cases[] = {
        {{}, {}, "None", "None"},
        {{12, 13, 24}, {"110 %", "120 %", "130 %", "91 %", "83 %"}, "Double,   Triple", "None"},
        {{12, 23, 30, 32, 33}, {"115 %", "130 %", "145 %", "87 %", "77 %"}, "Quadruple", "Elixir (T),   Elixir (S)"}};
    using s = ovgp_favorite_engine_summary;
    for (const auto& c : cases) {
      engine_at e(9, c.ids);
      ovgp_favorite_engine page(e.engine.get());
      const s* summary = page.summary();
      QCOMPARE(summary->value_label(s::dynamic_rate)->isVisibleTo(summary), c.rates.isEmpty());
      const QList<int> differences{1, 2, 3, -1, -2};
      for (int i = 0; i < c.rates.size(); ++i)
        QCOMPARE(summary->dynamic_rate_label(differences.at(i))->text(), c.rates.at(i));
      QCOMPARE(summary->value_label(s::specials_1)->text(), c.specials_1);
      QCOMPARE(summary->value_label(s::specials_2)->text(), c.specials_2);
    }
  }

  void upgrade_dialog_new_skills() {
    const ov_grade_table& grades = ov_grade_table::instance();
    ovg_dialog_favorite_engine_upgraded dialog(*grades.find(0), *grades.find(1));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Favorite Engine Upgraded"));
    const ovg_dialog_favorite_engine_upgraded_model* model = dialog.model();
    QCOMPARE(model->rowCount(), 5);
    QCOMPARE(model->index(4, 0).data().toString(), QStringLiteral("Click Button Plus"));
    QCOMPARE(model->index(4, 1).data().toInt(), 2);
    QCOMPARE(dialog.description_label()->text(), QStringLiteral("Skill description will be here."));
    dialog.table_view()->setCurrentIndex(model->index(4, 0));
    QCOMPARE(dialog.description_label()->text(), ovd_skill::instance().find(4)->description());

    ovg_dialog_favorite_engine_upgraded none(*grades.find(1), *grades.find(2));
    QCOMPARE(none.model()->rowCount(), 0);
  }

  // Values the upgrade changes are highlighted, equal ones are not.
  void upgrade_dialog_changed_values() {
    using c = comparison;
    const struct {
      int from;
      c::item item;
      QString old_text, new_text;
    } cases[] = {{0, c::play_new, "1", "2"},
                 {0, c::selected, "3 (1x3)", "6 (2x3)"},
                 {0, c::push_button, "1", "1"},
                 {0, c::play_through, "0 / 60 sec", "1 / 55 sec"},
                 {0, c::wait_time, "60 sec", "50 sec"},
                 {3, c::capacity, "8", "10"},
                 {3, c::slot_count, "5", "6"}};
    const ov_grade_table& grades = ov_grade_table::instance();
    for (const auto& t : cases) {
      ovg_dialog_favorite_engine_upgraded dialog(*grades.find(t.from), *grades.find(t.from + 1));
      QLabel* old_label = dialog.comparison()->old_label(t.item);
      QLabel* new_label = dialog.comparison()->new_label(t.item);
      QCOMPARE(old_label->text(), t.old_text);
      QCOMPARE(new_label->text(), t.new_text);
      const bool changed = t.old_text != t.new_text;
      QCOMPARE(new_label->font().bold(), changed);
      QCOMPARE(new_label->styleSheet(), changed ? QStringLiteral("QLabel { color: #3333bb; }") : QString());
      QVERIFY(!old_label->font().bold());
    }
  }
};

QTEST_MAIN(test_engine_views)
#include "test_engine_views.moc"
