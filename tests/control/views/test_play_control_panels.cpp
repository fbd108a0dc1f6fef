#include "ov_database.h"
#include "ov_medley_preset_store.h"
#include "ov_play_settings.h"
#include "ov_schema.h"
#include "ov_statement.h"
#include "ovg_combo_box.h"
#include "ovg_mimedata_drag_preset.h"
#include "ovg_mode_views.h"
#include "ovg_palette_large.h"
#include "ovg_palette_manual_medley.h"
#include "ovg_palette_medium.h"
#include "ovg_palette_normal.h"
#include "ovg_palette_small.h"
#include "ovg_pref_dialog_medley_preset.h"
#include "ovg_spinbox.h"
#include "ovgp_medley_preset.h"
#include "ovgp_medley_presets.h"
#include "ovgp_tableview_presets.h"
#include "ovgv_pc_medley.h"
#include "ovgv_pc_normal.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// Plain widgets for the views of a mode, recording the palette's calls.
class recording_views : public ovg_mode_views {
public:
  recording_views() {
    for (const char* name : {"playback", "track_info", "next_tracks", "volume", "engine_status"}) {
      auto* w = new QWidget;
      w->setObjectName(QString::fromLatin1(name));
      widgets_ << w;
    }
  }
  ~recording_views() override {
    for (QPointer<QWidget>& w : widgets_) delete w.data();  // those no palette took
  }
  QWidget* playback() const override { return widgets_[0]; }
  QWidget* track_info() const override { return widgets_[1]; }
  QWidget* next_tracks() const override { return widgets_[2]; }
  QWidget* volume() const override { return widgets_[3]; }
  QWidget* engine_status() const override { return widgets_[4]; }
  QList<QWidget*> all() const { return {playback(), track_info(), next_tracks(), volume(), engine_status()}; }

  void set_playback_arrangement(playback_arrangement a) override { arrangement = a; }
  void set_playback_icon_size(icon_size s) override { icons = s; }
  void set_track_info_text_max_width(int) override {}

  playback_arrangement arrangement = playback_arrangement::compact;
  icon_size icons = icon_size::small;

private:
  QList<QPointer<QWidget>> widgets_;
};

bool inside(const QWidget* w, const QWidget* ancestor) {
  return ancestor && ancestor->isAncestorOf(w);
}

// Each view sits exactly once in the palette, and in the page shown unless
// that is the minimized one, which leaves the engine status out (and, when
// the palette starts minimized, never holds it).
void verify_views_in(const recording_views& views, const QWidget* palette, const QWidget* page) {
  const bool small = page->objectName() == QStringLiteral("palette_small");
  for (QWidget* w : views.all()) {
    if (small && w == views.engine_status()) continue;
    QCOMPARE(palette->findChildren<QWidget*>(w->objectName()).size(), 1);
    QVERIFY2(inside(w, page), qPrintable(w->objectName()));
  }
}

}  // namespace

namespace {

QStringList names_of(const QList<ov_medley_preset>& list) {
  QStringList names;
  for (const auto& p : list) names << p.name;
  return names;
}

// Drags the preset of row from over the point of the view's viewport and
// drops it there; true when the view accepted the drag at that point.
bool drop(ovgp_medley_presets& page, int from, QPoint at) {
  ovg_mimedata_drag_preset data(page.model()->index(from, 0));
  QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(page.view()->viewport(), &enter);  // makes the view the drag's target
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(page.view()->viewport(), &move);
  QDropEvent dropped(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(page.view()->viewport(), &dropped);
  return move.isAccepted();
}

QPoint centre_of(ovgp_medley_presets& page, int row) {
  return page.view()->visualRect(page.model()->index(row, 0)).center();
}

}  // namespace

class test_play_control_panels : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString ini() const { return dir_.filePath(QStringLiteral("main.ini")); }
  std::unique_ptr<ov_settings_group> group(const QString& name) {
    return std::make_unique<ov_settings_group>(ini(), name);
  }

  // The settings of a mode (with the given stored values), its views and
  // play control panels, for a palette to place.
  struct mode {
    ov_settings_group group;
    recording_views views;
    ovgv_pc_normal pc;
    ovgv_pc_medley medley;
    mode(const QString& ini, const QString& name, const QMap<QString, QString>& stored)
        : group(ini, name), pc((store(group, stored), &group)), medley(&group, ov_medley_preset::built_in()) {}
    static void store(ov_settings_group& group, const QMap<QString, QString>& stored) {
      for (auto it = stored.begin(); it != stored.end(); ++it) group.set_value(it.key(), it.value());
    }
    QString stored(const char* key) const { return group.value(QString::fromLatin1(key)).toString(); }
  };
  std::unique_ptr<mode> make(const char* name, const QMap<QString, QString>& stored = {}) {
    QFile::remove(ini());
    return std::make_unique<mode>(ini(), QString::fromLatin1(name), stored);
  }

  QList<ov_medley_preset> five() { return ov_medley_preset::built_in().mid(0, 5); }

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

  void normal_palette_moves_the_same_views() {
    auto m = make("normal_play");
    m->views.engine_status()->setMinimumHeight(300);  // only in the full page
    ovg_palette_normal palette(&m->group, &m->views, &m->pc);
    palette.widget()->show();
    auto height = [&] {  // once the layouts have taken the change in
      QCoreApplication::sendPostedEvents();
      return palette.widget()->sizeHint().height();
    };
    QVERIFY(height() >= 300);
    verify_views_in(m->views, palette.widget(), palette.full_page()->widget());
    QVERIFY(inside(m->pc.full_widget(), palette.full_page()->widget()));
    QVERIFY(m->views.arrangement == ovg_mode_views::playback_arrangement::wide);
    QCOMPARE(palette.min_max_button()->text(), QStringLiteral("Minimize"));

    palette.medium()->toggle();
    verify_views_in(m->views, palette.widget(), palette.small()->widget());
    QVERIFY(inside(m->pc.play_type_combo(), palette.small()->widget()));
    QVERIFY(m->views.arrangement == ovg_mode_views::playback_arrangement::compact);
    QVERIFY(m->views.icons == ovg_mode_views::icon_size::small);
    QCOMPARE(m->stored("minimized"), QStringLiteral("yes"));
    QCOMPARE(palette.min_max_button()->text(), QStringLiteral("Maximize"));
    QVERIFY(height() < 300);  // the minimized page's own

    palette.medium()->toggle();
    verify_views_in(m->views, palette.widget(), palette.full_page()->widget());
    QVERIFY(inside(m->pc.play_type_combo(), palette.full_page()->widget()));
    QVERIFY(m->views.icons == ovg_mode_views::icon_size::large);
    QCOMPARE(m->stored("minimized"), QStringLiteral("no"));

    auto restored = make("normal_play", {{"minimized", "yes"}});
    ovg_palette_normal again(&restored->group, &restored->views, &restored->pc);
    QVERIFY(again.medium()->is_minimized());
    verify_views_in(restored->views, again.widget(), again.small()->widget());
    QVERIFY(restored->pc.placed() == ovgv_pc_normal::grid::minimized);
  }

  // The stored state picks the page; minimized wins over collapsed.
  void medley_palette_states() {
    using st = ovg_palette_large::state;
    const struct {
      QMap<QString, QString> stored;
      st state;
    } cases[] = {{{}, st::narrow},
                 {{{"minimized", "no"}, {"collapsed", "yes"}}, st::wide},
                 {{{"minimized", "yes"}, {"collapsed", "yes"}}, st::minimized},
                 {{{"minimized", "yes"}}, st::minimized}};
    for (const auto& c : cases) {
      auto m = make("shuffle_medley_play", c.stored);
      ovg_palette_manual_medley palette(&m->group, &m->views, &m->pc, &m->medley);
      QVERIFY(palette.large()->current() == c.state);
      const QWidget* page = c.state == st::narrow ? palette.narrow_page()->widget()
                            : c.state == st::wide ? palette.wide_page()->widget()
                                                  : palette.small()->widget();
      verify_views_in(m->views, palette.widget(), page);
      QCOMPARE(inside(m->medley.widget(), palette.narrow_page()->widget()), c.state == st::narrow);
    }
  }

  void medley_palette_switches_and_stores() {
    auto m = make("shuffle_medley_play");
    ovg_palette_manual_medley palette(&m->group, &m->views, &m->pc, &m->medley);
    palette.large()->toggle_collapsed();
    QVERIFY(palette.large()->current() == ovg_palette_large::state::wide);
    verify_views_in(m->views, palette.widget(), palette.wide_page()->widget());
    palette.large()->toggle_minimized();
    QVERIFY(palette.large()->current() == ovg_palette_large::state::minimized);
    verify_views_in(m->views, palette.widget(), palette.small()->widget());
    palette.large()->toggle_minimized();
    palette.large()->toggle_collapsed();
    QVERIFY(palette.large()->current() == ovg_palette_large::state::narrow);
    verify_views_in(m->views, palette.widget(), palette.narrow_page()->widget());
    QCOMPARE(m->stored("collapsed"), QStringLiteral("no"));
    QCOMPARE(m->stored("minimized"), QStringLiteral("no"));
  }

  void page_round_trips_values_in_both_layouts() {
    for (const ov_medley_preset& p : ov_medley_preset::built_in())
      for (auto layout : {ovgp_medley_preset::layout_kind::compact, ovgp_medley_preset::layout_kind::full}) {
        ovgp_medley_preset page(p, layout);
        QCOMPARE(page.record(), p);
        QCOMPARE(page.copy(ovgp_medley_preset::layout_kind::full)->record(), p);
      }
  }

  void radio_pairs_enable_their_fields() {
    ov_medley_preset p = ov_medley_preset::built_in()[1];  // flatline and start in percent
    ovgp_medley_preset page(p, ovgp_medley_preset::layout_kind::full);
    const auto radios = page.widget()->findChildren<QRadioButton*>();
    const auto percents = page.widget()->findChildren<ovg_spinbox*>();  // fl min, fl max, sp min, sp max
    QCOMPARE(radios.size(), 4);
    QVERIFY(percents[0]->isEnabled() && percents[3]->isEnabled());
    radios[0]->setChecked(true);  // flatline in seconds
    QVERIFY(!percents[0]->isEnabled() && !percents[1]->isEnabled());
    QVERIFY(percents[2]->isEnabled());
    QVERIFY(page.record().fl_senabled && !page.record().sp_senabled);
  }

  void default_keeps_its_name() {
    ovgp_medley_presets page(five(), nullptr);
    page.model()->setData(page.model()->index(0, 0), QStringLiteral("X"), Qt::EditRole);
    page.model()->setData(page.model()->index(2, 0), QStringLiteral("Mine"), Qt::EditRole);
    QCOMPARE(names_of(page.presets()).mid(0, 3), QStringList({"Default", "Long", "Mine"}));
    QVERIFY(!(page.model()->flags(page.model()->index(0, 0)) & Qt::ItemIsEditable));
  }

  void dragging_moves_rows() {
    ovgp_medley_presets page(five(), nullptr);
    page.widget()->resize(600, 400);
    page.widget()->show();
    QVERIFY(drop(page, 3, centre_of(page, 1)));
    QCOMPARE(names_of(page.presets()), QStringList({"Default", "Sabi Medley", "Long", "Short", "Game Soundtrack"}));
    QCOMPARE(page.current_row(), 1);
    QVERIFY(drop(page, 1, centre_of(page, 4) + QPoint(0, 60)));  // below the last row
    const QStringList moved{"Default", "Long", "Short", "Game Soundtrack", "Sabi Medley"};
    QCOMPARE(names_of(page.presets()), moved);
    QCOMPARE(page.current_row(), 4);
    QVERIFY(!drop(page, 2, centre_of(page, 0)));  // row 0 refuses the drop
    QVERIFY(drop(page, 2, centre_of(page, 2)));   // onto itself: nothing
    QCOMPARE(names_of(page.presets()), moved);
  }

  void removal_selects_the_right_row() {
    ovgp_medley_presets page(five(), nullptr);
    page.view()->setCurrentIndex(page.model()->index(0, 0));
    QVERIFY(!page.remove_button()->isEnabled());
    page.islot_remove_selected_preset();  // the default stays
    QCOMPARE(page.count(), 5);
    page.view()->setCurrentIndex(page.model()->index(4, 0));
    page.islot_remove_selected_preset();  // the last: the one above becomes current
    QCOMPARE(page.current_row(), 3);
    QCOMPARE(page.current_page(), page.preset_at(3)->widget());
    page.view()->setCurrentIndex(page.model()->index(1, 0));
    page.islot_remove_selected_preset();  // else the one below moves up
    QCOMPARE(page.current_row(), 1);
    QCOMPARE(page.preset_at(1)->name(), QStringLiteral("Short"));
    QCOMPARE(page.removed_ids(), QList<int>({4, 1}));
  }

  void added_preset_takes_the_next_id() {
    auto db = ov_open_database(dir_.path(), QStringLiteral("presets"));
    const QList<ov_medley_preset> loaded = ov_medley_preset_store(db.get()).load().presets;
    ovgp_medley_presets page(loaded, db.get());
    page.islot_add_new_preset();
    QCOMPARE(page.count(), 7);
    QCOMPARE(page.current_row(), 6);
    QCOMPARE(page.preset_at(6)->id(), 7);
    QCOMPARE(page.preset_at(6)->name(), QStringLiteral("New Preset"));
    QVERIFY(page.preset_at(6)->layout() == ovgp_medley_preset::layout_kind::compact);
  }

  void accepted_dialog_stores_positions_in_list_order() {
    QFile::remove(ov_database_path(dir_.path(), QStringLiteral("presets")));
    auto db = ov_open_database(dir_.path(), QStringLiteral("presets"));
    QList<ov_medley_preset> presets = ov_medley_preset_store(db.get()).load().presets;
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<ovg_pref_dialog_medley_preset*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      QCOMPARE(dialog->windowTitle(), QStringLiteral("Pref (Medley Presets)"));
      dialog->page()->islot_move_preset(5, 1);
      dialog->page()->view()->setCurrentIndex(dialog->page()->model()->index(3, 0));
      dialog->page()->islot_remove_selected_preset();  // "Short", id 2
      dialog->accept();
    });
    QCOMPARE(ovg_edit_medley_presets(presets, db.get(), nullptr), int(QDialog::Accepted));
    QCOMPARE(names_of(presets), QStringList({"Default", "Random Half", "Long", "Sabi Medley", "Game Soundtrack"}));
    ov_statement s = db->prepare(QStringLiteral("SELECT id, position FROM presets ORDER BY position;"));
    QList<int> ids, positions;
    while (s.step_row()) ids << s.column_int(0), positions << s.column_int(1);
    QCOMPARE(ids, QList<int>({0, 5, 1, 3, 4}));
    QCOMPARE(positions, QList<int>({0, 1, 2, 3, 4}));
  }

  void cancelled_dialog_writes_nothing() {
    auto db = ov_open_database(dir_.path(), QStringLiteral("presets"));
    QList<ov_medley_preset> presets = ov_medley_preset_store(db.get()).load().presets;
    const QList<ov_medley_preset> before = presets;
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<ovg_pref_dialog_medley_preset*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      dialog->page()->islot_move_preset(4, 1);
      dialog->reject();
    });
    QCOMPARE(ovg_edit_medley_presets(presets, db.get(), nullptr), int(QDialog::Rejected));
    QCOMPARE(presets, before);
    QCOMPARE(ov_medley_preset_store(db.get()).load().presets, before);
  }
};

QTEST_MAIN(test_play_control_panels)
#include "test_play_control_panels.moc"
