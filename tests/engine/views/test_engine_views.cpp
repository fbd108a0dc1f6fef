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
#include "ovgp_skill_preview.h"
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
// A real favorite_engine.db holding the given grade, experience and skills,
// and the engine that loads it.
struct engine_at {
  engine_db file;
  std::unique_ptr<ov_favorite_engine> engine;
  engine_at(int grade, int experience, const QList<int>& ids = {}) {
    QStringList parts;
    for (int id : ids) parts << QString::number(id);
    file.write_plain(QString::number(grade), QString::number(experience), parts.join(QLatin1Char(' ')));
    engine = std::make_unique<ov_favorite_engine>(file.db.get(), seed);
  }
};

QList<int> enabled_ids(const ovgp_model_skill* model) {
  QList<int> ids;
  for (int row = 0; row < model->rowCount(); ++row)
    if (model->flags(model->index(row, ovgp_model_skill::column_check)) & Qt::ItemIsEnabled)
      ids << model->skill_at(row)->id;
  std::sort(ids.begin(), ids.end());
  return ids;
}

QList<int> sorted(QList<int> ids) {
  std::sort(ids.begin(), ids.end());
  return ids;
}
}  // namespace

class test_engine_views : public QObject {
  Q_OBJECT

private slots:
  void status_panel_rules_data();
  void status_panel_rules();
  void status_panel_countdown_and_multiplier();
  void status_panel_follows_upgrade_and_signals();
  void preferences_page_slots_and_capacity();
  void summary_rates_and_specials_data();
  void summary_rates_and_specials();
  void preview_matches_engine_data();
  void preview_matches_engine();
  void upgrade_dialog_new_skills();
  void upgrade_dialog_changed_values_data();
  void upgrade_dialog_changed_values();
};

void test_engine_views::status_panel_rules_data() {
  QTest::addColumn<int>("grade");
  QTest::addColumn<int>("experience");
  QTest::addColumn<bool>("can_upgrade");
  QTest::addColumn<int>("exp_max");
  QTest::addColumn<int>("wait");
  QTest::newRow("Rusty fresh") << 0 << 0 << false << 10 << 60;
  QTest::newRow("Rusty full") << 0 << 10 << true << 10 << 60;
  QTest::newRow("Lead half") << 3 << 500 << false << 1000 << 38;
  QTest::newRow("last grade full") << 9 << 99999999 << false << 99999999 << 10;
}

void test_engine_views::status_panel_rules() {
  QFETCH(int, grade);
  QFETCH(int, experience);
  QFETCH(bool, can_upgrade);
  QFETCH(int, exp_max);
  QFETCH(int, wait);
  engine_at e(grade, experience);
  ovgv_favorite_engine panel(e.engine.get());
  QWidget* box = panel.widget();

  QCOMPARE(panel.upgrade_button()->isVisibleTo(box), can_upgrade);
  QCOMPARE(panel.pref_button()->isVisibleTo(box), !can_upgrade);
  QCOMPARE(panel.upgrade_button()->font().bold(), true);
  QCOMPARE(panel.exp_bar()->font().bold(), can_upgrade);
  QCOMPARE(panel.exp_bar()->maximum(), exp_max);
  QCOMPARE(panel.exp_bar()->value(), experience);
  QCOMPARE(panel.exp_bar()->format(), QStringLiteral("%v EXP"));
  QCOMPARE(panel.wait_bar()->maximum(), wait);
  QCOMPARE(panel.wait_bar()->value(), wait);
  QCOMPARE(panel.wait_bar()->format(), QStringLiteral("%v sec"));
  QVERIFY(!panel.wait_bar()->font().bold());
  QVERIFY(!panel.multiplier_icon()->isVisibleTo(box));
  QCOMPARE(panel.grade_label()->text(), e.engine->grade()->display_name());
  QVERIFY(!panel.grade_icon()->image().isNull());
  for (int kind : {1, 2, 3, 5}) QVERIFY(panel.activity_icon(kind)->isEnabled());
}

void test_engine_views::status_panel_countdown_and_multiplier() {
  // Gold with all three multiplier skills; draws of 0 always succeed.
  engine_at e(7, 0, {13, 24, 30});
  ovgv_favorite_engine panel(e.engine.get());
  ov_favorite_engine& engine = *e.engine;

  engine.use_kind(ov_favorite_engine::like);
  QVERIFY(panel.activity_icon(ov_favorite_engine::like)->isEnabled());  // one click of two
  engine.islot_update_time_left();
  QCOMPARE(panel.wait_bar()->value(), 24);
  QVERIFY(panel.wait_bar()->font().bold());
  engine.use_kind(ov_favorite_engine::dislike);
  engine.use_kind(ov_favorite_engine::play_new);
  QVERIFY(!panel.activity_icon(ov_favorite_engine::like)->isEnabled());
  QVERIFY(!panel.activity_icon(ov_favorite_engine::play_new)->isEnabled());
  QVERIFY(panel.activity_icon(ov_favorite_engine::selected)->isEnabled());
  QVERIFY(panel.activity_icon(ov_favorite_engine::play_through)->isEnabled());
  // A waiting activity's icon is drawn in grey.
  const ovg_icon* like_icon = panel.activity_icon(ov_favorite_engine::like);
  const QImage grey = ovg_icon::drawn_image(like_icon->image(), like_icon->isEnabled());
  QCOMPARE(ovg_icon::drawn_image(like_icon->image(), true), like_icon->image());
  bool all_grey = true;
  bool any_colour = false;
  for (int y = 0; y < grey.height(); ++y)
    for (int x = 0; x < grey.width(); ++x) {
      const QRgb g = grey.pixel(x, y);
      const QRgb c = like_icon->image().pixel(x, y);
      all_grey = all_grey && qRed(g) == qGreen(g) && qGreen(g) == qBlue(g);
      any_colour = any_colour || (qAlpha(c) > 0 && (qRed(c) != qGreen(c) || qGreen(c) != qBlue(c)));
    }
  QVERIFY(all_grey);
  QVERIFY(any_colour);

  scripted_random draws;
  draws.queue_draws({0, 0, 0, 10000, 10000, 10000});
  ov_random_scope scope(&draws);
  engine.roll_multiplier(100);
  QCOMPARE(engine.score_multiplier(), 9);
  QVERIFY(panel.multiplier_icon()->isVisibleTo(panel.widget()));
  QCOMPARE(panel.multiplier_icon()->path(), QStringLiteral(":/icons/atk-doubled-9.png"));
  QVERIFY(!panel.multiplier_icon()->image().isNull());
  // A successful draw ends the waiting time: normal font, icons back.
  QCOMPARE(panel.wait_bar()->value(), 25);
  QVERIFY(!panel.wait_bar()->font().bold());
  QVERIFY(panel.activity_icon(ov_favorite_engine::like)->isEnabled());

  engine.roll_multiplier(100);  // every draw fails
  QCOMPARE(engine.score_multiplier(), 1);
  QVERIFY(!panel.multiplier_icon()->isVisibleTo(panel.widget()));
}

void test_engine_views::status_panel_follows_upgrade_and_signals() {
  engine_at e(0, 10);
  ovgv_favorite_engine panel(e.engine.get());
  QSignalSpy grade_up(&panel, &ovgv_favorite_engine::esignal_grade_up_clicked);
  QSignalSpy prefs(&panel, &ovgv_favorite_engine::esignal_icon_double_clicked);

  panel.upgrade_button()->click();
  QCOMPARE(grade_up.count(), 1);
  e.engine->upgrade();
  QCOMPARE(panel.grade_label()->text(), e.engine->grade()->display_name());
  QCOMPARE(panel.exp_bar()->maximum(), 90);
  QCOMPARE(panel.exp_bar()->value(), 0);
  QCOMPARE(panel.wait_bar()->maximum(), 50);
  QVERIFY(!panel.upgrade_button()->isVisibleTo(panel.widget()));
  QVERIFY(panel.pref_button()->isVisibleTo(panel.widget()));

  panel.pref_button()->click();
  QTest::mouseDClick(panel.grade_icon(), Qt::LeftButton);
  QCOMPARE(prefs.count(), 2);
  QCOMPARE(panel.grade_icon()->toolTip(), QStringLiteral("Double click to preferences"));

  // Elixir (T) shortens the waiting time: the bar's range follows.
  engine_at last(9, 0);
  ovgv_favorite_engine last_panel(last.engine.get());
  last.engine->set_skills(skill_set({ovd_skill::elixir_t}, 500));
  QCOMPARE(last_panel.wait_bar()->maximum(), 3);
  QCOMPARE(last_panel.wait_bar()->value(), 3);
}

void test_engine_views::preferences_page_slots_and_capacity() {
  // Lead: 5 slots, capacity 8; Score Plus (All) 3 + Expand Nexts 3 + Click
  // Button Plus 2 use the whole capacity.
  engine_at e(3, 0, {5, 8, 4});
  ovgp_favorite_engine page(e.engine.get());
  ovgp_model_skill* offered = page.offered_model();
  QCOMPARE(offered->rowCount(), 9);  // ids 0 .. 8
  QCOMPARE(page.assigned_model()->rowCount(), 3);
  QCOMPARE(enabled_ids(offered), (QList<int>{4, 5, 8}));  // only the checked ones
  QCOMPARE(offered->flags(offered->index(0, 1)), Qt::ItemFlags(Qt::ItemIsSelectable));
  QCOMPARE(offered->remaining_slots(), 2);
  QCOMPARE(offered->remaining_capacity(), 0);
  QCOMPARE(page.slot_label()->text(), QStringLiteral("3 / 5"));
  QCOMPARE(page.capacity_label()->text(), QStringLiteral("8 / 8"));
  QLabel* nexts = page.summary()->value_label(ovgp_favorite_engine_summary::nexts_panel);
  QCOMPARE(nexts->text(), QStringLiteral("5"));
  QCOMPARE(nexts->styleSheet(), QStringLiteral("QLabel { color: #3333bb; }"));

  // Unchecking Click Button Plus in the assigned table frees 2: the cost-1
  // and cost-2 skills fit again, the cost-4 distributions still do not.
  ovgp_model_skill* assigned = page.assigned_model();
  const int click_row = assigned->row_of(ovd_skill::instance().find(4));
  QVERIFY(assigned->setData(assigned->index(click_row, 0), Qt::Unchecked, Qt::CheckStateRole));
  QCOMPARE(ids_of(page.edited_skills()), (QList<int>{5, 8}));
  QVERIFY(!offered->is_checked(offered->row_of(ovd_skill::instance().find(4))));
  QCOMPARE(assigned->rowCount(), 2);
  for (int row = 0; row < assigned->rowCount(); ++row) QVERIFY(assigned->is_checked(row));
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

void test_engine_views::summary_rates_and_specials_data() {
  QTest::addColumn<QList<int>>("ids");
  QTest::addColumn<QStringList>("rates");  // rank differences 1, 2, 3, -1, -2
  QTest::addColumn<QString>("specials_1");
  QTest::addColumn<QString>("specials_2");
  QTest::newRow("none") << QList<int>{} << QStringList{} << "None" << "None";
  QTest::newRow("rate") << QList<int>{12, 13, 24} << QStringList{"110 %", "120 %", "130 %", "91 %", "83 %"}
                        << "Double,   Triple" << "None";
  QTest::newRow("boosted") << QList<int>{12, 23, 30, 32, 33}
                           << QStringList{"115 %", "130 %", "145 %", "87 %", "77 %"} << "Quadruple"
                           << "Elixir (T),   Elixir (S)";
}

void test_engine_views::summary_rates_and_specials() {
  QFETCH(QList<int>, ids);
  QFETCH(QStringList, rates);
  QFETCH(QString, specials_1);
  QFETCH(QString, specials_2);
  engine_at e(9, 0, ids);
  ovgp_favorite_engine page(e.engine.get());
  const ovgp_favorite_engine_summary* summary = page.summary();
  using s = ovgp_favorite_engine_summary;
  QCOMPARE(summary->value_label(s::dynamic_rate)->isVisibleTo(summary), rates.isEmpty());
  const QList<int> differences{1, 2, 3, -1, -2};
  for (int i = 0; i < rates.size(); ++i)
    QCOMPARE(summary->dynamic_rate_label(differences.at(i))->text(), rates.at(i));
  QCOMPARE(summary->value_label(s::specials_1)->text(), specials_1);
  QCOMPARE(summary->value_label(s::specials_2)->text(), specials_2);
}

void test_engine_views::preview_matches_engine_data() {
  QTest::addColumn<int>("grade");
  QTest::addColumn<QList<int>>("ids");
  QTest::newRow("Rusty none") << 0 << QList<int>{};
  QTest::newRow("Lead plus") << 3 << QList<int>{5, 8, 4, 6};
  QTest::newRow("Lapis boosts") << 8 << QList<int>{5, 9, 29, 17, 0, 10, 6, 7, 22, 28, 12, 14, 25, 15, 26};
  QTest::newRow("last elixirs") << 9 << QList<int>{32, 33, 31, 19, 2, 20, 3, 18, 1, 27, 16};
}

void test_engine_views::preview_matches_engine() {
  QFETCH(int, grade);
  QFETCH(QList<int>, ids);
  engine_at e(grade, 0, ids);
  const ov_favorite_engine& engine = *e.engine;
  const ovgp_skill_preview preview(engine.grade(), engine.skills());
  for (int kind = 1; kind <= 5; ++kind) QCOMPARE(preview.gain(kind), engine.gain(kind));
  QCOMPARE(preview.gain_limit(), engine.gain_limit());
  QCOMPARE(preview.wait_seconds(), engine.wait_seconds());
  QCOMPARE(preview.click_capacity(), engine.click_capacity());
  QCOMPARE(preview.nexts_size(), engine.nexts_size());
  QCOMPARE(preview.album_spread().count, engine.spread_count_album());
  QCOMPARE(preview.album_spread().rate, engine.spread_rate_album());
  QCOMPARE(preview.artist_spread().count, engine.spread_count_artist());
  QCOMPARE(preview.artist_spread().rate, engine.spread_rate_artist());
}

void test_engine_views::upgrade_dialog_new_skills() {
  const ov_grade_table& grades = ov_grade_table::instance();
  ovg_dialog_favorite_engine_upgraded dialog(*grades.find(0), *grades.find(1));
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Favorite Engine Upgraded"));
  const ovg_dialog_favorite_engine_upgraded_model* model = dialog.model();
  QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Skill"));
  QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Size"));
  QCOMPARE(model->rowCount(), 5);
  QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("Score Plus (Play Newly)"));
  QCOMPARE(model->index(4, 0).data().toString(), QStringLiteral("Click Button Plus"));
  QCOMPARE(model->index(4, 1).data().toInt(), 2);
  QCOMPARE(dialog.description_label()->text(), QStringLiteral("Skill description will be here."));
  dialog.table_view()->setCurrentIndex(model->index(4, 0));
  QCOMPARE(dialog.description_label()->text(), ovd_skill::instance().find(4)->description());

  ovg_dialog_favorite_engine_upgraded none(*grades.find(1), *grades.find(2));
  QCOMPARE(none.model()->rowCount(), 0);
}

void test_engine_views::upgrade_dialog_changed_values_data() {
  QTest::addColumn<int>("from");
  QTest::addColumn<int>("item");
  QTest::addColumn<QString>("old_text");
  QTest::addColumn<QString>("new_text");
  using c = comparison;
  QTest::newRow("Rusty play new") << 0 << int(c::play_new) << "1" << "2";
  QTest::newRow("Rusty selected") << 0 << int(c::selected) << "3 (1x3)" << "6 (2x3)";
  QTest::newRow("Rusty buttons") << 0 << int(c::push_button) << "1" << "1";
  QTest::newRow("Rusty through") << 0 << int(c::play_through) << "0 / 60 sec" << "1 / 55 sec";
  QTest::newRow("Rusty wait") << 0 << int(c::wait_time) << "60 sec" << "50 sec";
  QTest::newRow("Lead buttons") << 3 << int(c::push_button) << "3" << "3";
  QTest::newRow("Lead through") << 3 << int(c::play_through) << "1 / 45 sec" << "1 / 40 sec";
  QTest::newRow("Lead capacity") << 3 << int(c::capacity) << "8" << "10";
  QTest::newRow("Lead slots") << 3 << int(c::slot_count) << "5" << "6";
}

void test_engine_views::upgrade_dialog_changed_values() {
  QFETCH(int, from);
  QFETCH(int, item);
  QFETCH(QString, old_text);
  QFETCH(QString, new_text);
  const ov_grade_table& grades = ov_grade_table::instance();
  ovg_dialog_favorite_engine_upgraded dialog(*grades.find(from), *grades.find(from + 1));
  const auto which = comparison::item(item);
  QLabel* old_label = dialog.comparison()->old_label(which);
  QLabel* new_label = dialog.comparison()->new_label(which);
  QCOMPARE(old_label->text(), old_text);
  QCOMPARE(new_label->text(), new_text);
  const bool changed = old_text != new_text;
  QCOMPARE(new_label->font().bold(), changed);
  QCOMPARE(new_label->styleSheet(), changed ? QStringLiteral("QLabel { color: #3333bb; }") : QString());
  QVERIFY(!old_label->font().bold());
}

QTEST_MAIN(test_engine_views)
#include "test_engine_views.moc"
