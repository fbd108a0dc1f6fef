#include "ov_play_settings.h"
#include "ovg_combo_box.h"
#include "ovgv_pc_medley.h"
#include "ovgv_pc_normal.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class test_play_control_panels : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString ini() const { return dir_.filePath(QStringLiteral("main.ini")); }
  std::unique_ptr<ov_settings_group> group(const QString& name) {
    return std::make_unique<ov_settings_group>(ini(), name);
  }

private slots:
  void init() { QFile::remove(ini()); }

  void play_type_and_selection_from_settings_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("stored");  // empty: first start
    QTest::addColumn<int>("play_type");
    QTest::addColumn<bool>("selection_enabled");
    QTest::addColumn<QString>("written");
    QTest::newRow("first start normal") << "normal_play" << "" << 1 << false << "normal";
    QTest::newRow("first start medley") << "shuffle_medley_play" << "" << 4 << true << "shuffle_repeat";
    QTest::newRow("stored random") << "normal_play" << "random" << 5 << true << "random";
    QTest::newRow("stored repeat track") << "shuffle_medley_play" << "repeat_track" << 6 << false << "repeat_track";
    QTest::newRow("stored nonsense") << "shuffle_medley_play" << "sideways" << 4 << true << "shuffle_repeat";
  }
  void play_type_and_selection_from_settings() {
    QFETCH(QString, group);
    QFETCH(QString, stored);
    QFETCH(int, play_type);
    QFETCH(bool, selection_enabled);
    QFETCH(QString, written);
    auto g = this->group(group);
    if (!stored.isEmpty()) g->set_value(QStringLiteral("play_type"), stored);
    ovgv_pc_normal pc(g.get());
    QCOMPARE(int(pc.play_type()), play_type);
    QCOMPARE(pc.selection_combo()->isEnabled(), selection_enabled);
    QCOMPARE(pc.selection_label()->isEnabled(), selection_enabled);
    QCOMPARE(pc.selection_label()->text(), QStringLiteral("Selection:"));
    QCOMPARE(int(pc.selection_type()), 1);
    QCOMPARE(g->value(QStringLiteral("play_type")).toString(), written);
  }

  void choosing_types_stores_them_and_enables_selection() {
    auto g = group(QStringLiteral("normal_play"));
    ovgv_pc_normal pc(g.get());
    QSignalSpy changed(&pc, &ovgv_pc_normal::esignal_play_type_changed);
    QCOMPARE(pc.play_type_combo()->count(), 8);  // six types and two separators
    QVERIFY(!(pc.play_type_combo()->model()->flags(pc.play_type_combo()->model()->index(2, 0)) & Qt::ItemIsEnabled));
    pc.play_type_combo()->set_current_value(ov_track_pool::play_shuffle_repeat);
    QVERIFY(pc.selection_combo()->isEnabled());
    QVERIFY(pc.is_repeat() && pc.is_shuffle_or_random());
    QCOMPARE(pc.play_type_combo()->currentText(), QStringLiteral("Shuffle + Repeat"));
    pc.play_type_combo()->set_current_value(ov_track_pool::play_repeat_track);
    QVERIFY(!pc.selection_combo()->isEnabled());
    QVERIFY(pc.is_repeat() && !pc.is_shuffle_or_random());
    QCOMPARE(changed.count(), 2);
    pc.selection_combo()->set_current_value(ov_track_pool::select_random);
    QCOMPARE(g->value(QStringLiteral("play_type")).toString(), QStringLiteral("repeat_track"));
    QCOMPARE(g->value(QStringLiteral("selection_type")).toString(), QStringLiteral("random"));
    ovgv_pc_normal again(g.get());
    QCOMPARE(int(again.selection_type()), int(ov_track_pool::select_random));
  }

  void grids_hold_the_same_widgets() {
    auto g = group(QStringLiteral("normal_play"));
    ovgv_pc_normal pc(g.get());
    QCOMPARE(pc.play_type_combo()->parentWidget(), pc.full_widget());
    pc.place(ovgv_pc_normal::grid::minimized);
    QCOMPARE(pc.play_type_combo()->parentWidget(), pc.minimized_widget());
    QCOMPARE(pc.selection_combo()->parentWidget(), pc.minimized_widget());
    QCOMPARE(pc.minimized_widget()->findChildren<ovg_combo_box*>().size(), 2);
    QCOMPARE(pc.full_widget()->findChildren<ovg_combo_box*>().size(), 0);
  }

  void medley_panel_gives_the_selected_presets_values() {
    auto g = group(QStringLiteral("shuffle_medley_play"));
    g->set_value(QStringLiteral("selected_preset"), 3);
    const QList<ov_medley_preset> presets = ov_medley_preset::built_in();
    ovgv_pc_medley panel(g.get(), presets);
    QCOMPARE(panel.combo()->currentIndex(), 3);
    QCOMPARE(panel.preset_values(), std::optional(presets[3].values()));
    QCOMPARE(panel.preset_values()->start_min, 45000);
    panel.combo()->setCurrentIndex(1);
    QCOMPARE(g->value(QStringLiteral("selected_preset")).toInt(), 1);
    QCOMPARE(panel.preset_values(), std::optional(presets[1].values()));
    QCOMPARE(panel.current_page()->isVisibleTo(panel.widget()), true);
  }

  void stored_selection_is_clamped_and_empty_list_gives_none() {
    auto g = group(QStringLiteral("shuffle_medley_play"));
    g->set_value(QStringLiteral("selected_preset"), 99);
    ovgv_pc_medley panel(g.get(), ov_medley_preset::built_in());
    QCOMPARE(panel.combo()->currentIndex(), 5);
    panel.reload_presets({});
    QVERIFY(!panel.preset_values());
    ovgv_pc_medley empty(g.get(), {});
    QVERIFY(!empty.preset_values());
  }

  void reload_keeps_the_selected_id() {
    auto g = group(QStringLiteral("shuffle_medley_play"));
    QList<ov_medley_preset> presets = ov_medley_preset::built_in();
    ovgv_pc_medley panel(g.get(), presets);
    panel.combo()->setCurrentIndex(4);  // "Game Soundtrack", id 4
    presets.move(4, 0);
    panel.reload_presets(presets);
    QCOMPARE(panel.combo()->currentIndex(), 0);
    QCOMPARE(panel.combo()->currentText(), QStringLiteral("Game Soundtrack"));
    QCOMPARE(g->value(QStringLiteral("selected_preset")).toInt(), 0);
    QCOMPARE(panel.preset_values(), std::optional(presets[0].values()));
  }

  void reload_without_the_selected_preset_selects_nothing_new() {
    auto g = group(QStringLiteral("shuffle_medley_play"));
    QList<ov_medley_preset> presets = ov_medley_preset::built_in();
    ovgv_pc_medley panel(g.get(), presets);
    panel.combo()->setCurrentIndex(2);
    presets.removeAt(2);
    panel.reload_presets(presets);
    QCOMPARE(panel.combo()->currentIndex(), 0);
    QCOMPARE(panel.count(), 5);
    QCOMPARE(g->value(QStringLiteral("selected_preset")).toInt(), 2);
    QCOMPARE(panel.preset_values(), std::optional(presets[0].values()));
  }

  void medley_panel_buttons_signal() {
    auto g = group(QStringLiteral("shuffle_medley_play"));
    ovgv_pc_medley panel(g.get(), ov_medley_preset::built_in());
    QSignalSpy more(&panel, &ovgv_pc_medley::esignal_more_clicked);
    QSignalSpy collapse(&panel, &ovgv_pc_medley::esignal_minimize_clicked);
    panel.more_button()->click();
    panel.collapse_button()->click();
    QCOMPARE(more.count(), 1);
    QCOMPARE(collapse.count(), 1);
    panel.islot_timer_config_timeout();
    QCOMPARE(g->value(QStringLiteral("flatline_max")).toDouble(), 45.0);
  }
};

QTEST_MAIN(test_play_control_panels)
#include "test_play_control_panels.moc"
