#include "ov_play_settings.h"
#include "ovg_combo_box.h"
#include "ovg_mode_views.h"
#include "ovg_palette_large.h"
#include "ovg_palette_manual_medley.h"
#include "ovg_palette_medium.h"
#include "ovg_palette_normal.h"
#include "ovg_palette_small.h"
#include "ovgv_pc_medley.h"
#include "ovgv_pc_normal.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
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
  QList<QWidget*> all() const {
    QList<QWidget*> list;
    for (const auto& w : widgets_) list << w;
    return list;
  }

  void set_playback_arrangement(playback_arrangement a) override { arrangement = a; }
  void set_playback_icon_size(icon_size s) override { icons = s; }
  void set_track_info_text_max_width(int width) override { text_width = width; }

  playback_arrangement arrangement = playback_arrangement::compact;
  icon_size icons = icon_size::small;
  int text_width = 0;

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

class test_palettes : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString ini() const { return dir_.filePath(QStringLiteral("main.ini")); }

private slots:
  void init() { QFile::remove(ini()); }

  void normal_palette_moves_the_same_views() {
    ov_settings_group group(ini(), QStringLiteral("normal_play"));
    recording_views views;
    ovgv_pc_normal pc(&group);
    ovg_palette_normal palette(&group, &views, &pc);
    QSignalSpy clicked(&palette, &ovg_palette_normal::esignal_min_max_clicked);
    verify_views_in(views, palette.widget(), palette.full_page()->widget());
    QVERIFY(inside(pc.full_widget(), palette.full_page()->widget()));
    QCOMPARE(views.text_width, 605);
    QVERIFY(views.arrangement == ovg_mode_views::playback_arrangement::wide);
    QCOMPARE(palette.min_max_button()->text(), QStringLiteral("Minimize"));

    palette.min_max_button()->click();
    QCOMPARE(clicked.count(), 1);
    palette.medium()->toggle();
    verify_views_in(views, palette.widget(), palette.small()->widget());
    QVERIFY(inside(pc.play_type_combo(), palette.small()->widget()));
    QCOMPARE(views.text_width, 580);
    QVERIFY(views.arrangement == ovg_mode_views::playback_arrangement::compact);
    QVERIFY(views.icons == ovg_mode_views::icon_size::small);
    QCOMPARE(group.value(QStringLiteral("minimized")).toString(), QStringLiteral("yes"));
    QCOMPARE(palette.min_max_button()->text(), QStringLiteral("Maximize"));

    palette.medium()->toggle();
    verify_views_in(views, palette.widget(), palette.full_page()->widget());
    QVERIFY(inside(pc.play_type_combo(), palette.full_page()->widget()));
    QVERIFY(views.icons == ovg_mode_views::icon_size::large);
    QCOMPARE(group.value(QStringLiteral("minimized")).toString(), QStringLiteral("no"));
  }

  void normal_palette_restores_minimized() {
    ov_settings_group group(ini(), QStringLiteral("normal_play"));
    group.set_value(QStringLiteral("minimized"), QStringLiteral("yes"));
    recording_views views;
    ovgv_pc_normal pc(&group);
    ovg_palette_normal palette(&group, &views, &pc);
    QVERIFY(palette.medium()->is_minimized());
    verify_views_in(views, palette.widget(), palette.small()->widget());
    QVERIFY(pc.placed() == ovgv_pc_normal::grid::minimized);
  }

  void medley_palette_states_data() {
    QTest::addColumn<QString>("minimized");
    QTest::addColumn<QString>("collapsed");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("width");
    QTest::newRow("first start") << "" << "" << int(ovg_palette_large::state::narrow) << 470;
    QTest::newRow("collapsed") << "no" << "yes" << int(ovg_palette_large::state::wide) << 605;
    QTest::newRow("minimized wins") << "yes" << "yes" << int(ovg_palette_large::state::minimized) << 580;
    QTest::newRow("minimized") << "yes" << "no" << int(ovg_palette_large::state::minimized) << 580;
  }
  void medley_palette_states() {
    QFETCH(QString, minimized);
    QFETCH(QString, collapsed);
    QFETCH(int, state);
    QFETCH(int, width);
    ov_settings_group group(ini(), QStringLiteral("shuffle_medley_play"));
    if (!minimized.isEmpty()) group.set_value(QStringLiteral("minimized"), minimized);
    if (!collapsed.isEmpty()) group.set_value(QStringLiteral("collapsed"), collapsed);
    recording_views views;
    ovgv_pc_normal pc(&group);
    ovgv_pc_medley medley(&group, ov_medley_preset::built_in());
    ovg_palette_manual_medley palette(&group, &views, &pc, &medley);
    QCOMPARE(int(palette.large()->current()), state);
    QCOMPARE(views.text_width, width);
    const QWidget* page = state == int(ovg_palette_large::state::narrow) ? palette.narrow_page()->widget()
                          : state == int(ovg_palette_large::state::wide) ? palette.wide_page()->widget()
                                                                         : palette.small()->widget();
    verify_views_in(views, palette.widget(), page);
    QCOMPARE(inside(medley.widget(), palette.narrow_page()->widget()), state == int(ovg_palette_large::state::narrow));
  }

  void medley_palette_switches_and_stores() {
    ov_settings_group group(ini(), QStringLiteral("shuffle_medley_play"));
    recording_views views;
    ovgv_pc_normal pc(&group);
    ovgv_pc_medley medley(&group, ov_medley_preset::built_in());
    ovg_palette_manual_medley palette(&group, &views, &pc, &medley);
    QSignalSpy more(&palette, &ovg_palette_manual_medley::esignal_more_clicked);
    QSignalSpy collapse(&palette, &ovg_palette_manual_medley::esignal_minimize_clicked);
    QSignalSpy expand(&palette, &ovg_palette_manual_medley::esignal_collapse_expand_clicked);
    medley.more_button()->click();
    medley.collapse_button()->click();
    palette.collapse_expand_button()->click();
    QCOMPARE(more.count() + collapse.count() + expand.count(), 3);

    palette.large()->toggle_collapsed();
    QVERIFY(palette.large()->current() == ovg_palette_large::state::wide);
    verify_views_in(views, palette.widget(), palette.wide_page()->widget());
    QCOMPARE(palette.collapse_expand_button()->text(), QStringLiteral("Expand"));
    palette.large()->toggle_minimized();
    QVERIFY(palette.large()->current() == ovg_palette_large::state::minimized);
    verify_views_in(views, palette.widget(), palette.small()->widget());
    palette.large()->toggle_minimized();
    palette.large()->toggle_collapsed();
    QVERIFY(palette.large()->current() == ovg_palette_large::state::narrow);
    verify_views_in(views, palette.widget(), palette.narrow_page()->widget());
    QVERIFY(inside(medley.widget(), palette.narrow_page()->widget()));
    QCOMPARE(views.text_width, 470);
    QCOMPARE(group.value(QStringLiteral("collapsed")).toString(), QStringLiteral("no"));
    QCOMPARE(group.value(QStringLiteral("minimized")).toString(), QStringLiteral("no"));
  }
};

QTEST_MAIN(test_palettes)
#include "test_palettes.moc"
