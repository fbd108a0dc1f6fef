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

  // The stored play type (or the mode's default) and whether a selection
  // applies to it; what is read is written back.
  void play_type_and_selection_from_settings() {
    const struct {
      const char* group;
      QString stored;
      int play_type;
      bool selection;
      QString written;
    } cases[] = {{"normal_play", {}, 1, false, "normal"},
                 {"shuffle_medley_play", {}, 4, true, "shuffle_repeat"},
                 {"normal_play", "random", 5, true, "random"},
                 {"shuffle_medley_play", "repeat_track", 6, false, "repeat_track"},
                 {"shuffle_medley_play", "sideways", 4, true, "shuffle_repeat"}};
    for (const auto& c : cases) {
      QFile::remove(ini());
      auto g = group(QString::fromLatin1(c.group));
      if (!c.stored.isEmpty()) g->set_value(QStringLiteral("play_type"), c.stored);
      ovgv_pc_normal pc(g.get());
      QCOMPARE(int(pc.play_type()), c.play_type);
      QCOMPARE(pc.selection_combo()->isEnabled(), c.selection);
      QCOMPARE(pc.selection_label()->isEnabled(), c.selection);
      QCOMPARE(int(pc.selection_type()), 1);
      QCOMPARE(g->value(QStringLiteral("play_type")).toString(), c.written);
    }
  }

  void choosing_types_stores_them_and_enables_selection() {
    auto g = group(QStringLiteral("normal_play"));
    ovgv_pc_normal pc(g.get());
    QSignalSpy changed(&pc, &ovgv_pc_normal::esignal_play_type_changed);
    QVERIFY(!(pc.play_type_combo()->model()->flags(pc.play_type_combo()->model()->index(2, 0)) & Qt::ItemIsEnabled));
    pc.play_type_combo()->set_current_value(ov_play::play_shuffle_repeat);
    QVERIFY(pc.selection_combo()->isEnabled());
    QVERIFY(pc.is_repeat() && pc.is_shuffle_or_random());
    QCOMPARE(pc.play_type_combo()->currentText(), QStringLiteral("Shuffle + Repeat"));
    QCOMPARE(pc.selection_label()->text(), QStringLiteral("Selection:"));
    pc.play_type_combo()->set_current_value(ov_play::play_repeat_track);
    QVERIFY(!pc.selection_combo()->isEnabled());
    QVERIFY(pc.is_repeat() && !pc.is_shuffle_or_random());
    QCOMPARE(changed.count(), 2);
    pc.selection_combo()->set_current_value(ov_play::select_random);
    QCOMPARE(g->value(QStringLiteral("play_type")).toString(), QStringLiteral("repeat_track"));
    QCOMPARE(g->value(QStringLiteral("selection_type")).toString(), QStringLiteral("random"));
    ovgv_pc_normal again(g.get());
    QCOMPARE(int(again.selection_type()), int(ov_play::select_random));
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
    panel.islot_timer_config_timeout();
    QCOMPARE(g->value(QStringLiteral("flatline_max")).toDouble(), 45.0);
  }

  void stored_selection_is_clamped_and_empty_list_gives_none() {
    auto g = group(QStringLiteral("shuffle_medley_play"));
    g->set_value(QStringLiteral("selected_preset"), 99);
    ovgv_pc_medley panel(g.get(), ov_medley_preset::built_in());
    QCOMPARE(panel.combo()->currentIndex(), 5);
    panel.reload_presets({});
    QVERIFY(!panel.preset_values());
    QVERIFY(!ovgv_pc_medley(g.get(), {}).preset_values());
  }

  // A reload keeps the selected preset by id; without it the first is shown
  // and the stored choice stays.
  void reload_follows_the_selected_id() {
    for (bool keep : {true, false}) {
      QFile::remove(ini());
      auto g = group(QStringLiteral("shuffle_medley_play"));
      QList<ov_medley_preset> presets = ov_medley_preset::built_in();
      ovgv_pc_medley panel(g.get(), presets);
      panel.combo()->setCurrentIndex(keep ? 4 : 2);  // "Game Soundtrack", id 4; "Short", id 2
      keep ? presets.move(4, 0) : presets.removeAt(2);
      panel.reload_presets(presets);
      QCOMPARE(panel.combo()->currentIndex(), 0);
      QCOMPARE(panel.count(), keep ? 6 : 5);
      QCOMPARE(panel.combo()->currentText(), presets[0].name);
      QCOMPARE(g->value(QStringLiteral("selected_preset")).toInt(), keep ? 0 : 2);
      QCOMPARE(panel.preset_values(), std::optional(presets[0].values()));
    }
  }
};

QTEST_MAIN(test_play_control_panels)
#include "test_play_control_panels.moc"
