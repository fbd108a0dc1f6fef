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

class test_palettes : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

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
    QFile::remove(dir_.filePath(QStringLiteral("main.ini")));
    return std::make_unique<mode>(dir_.filePath(QStringLiteral("main.ini")), QString::fromLatin1(name), stored);
  }

private slots:
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
    // One button collapses the panel, another expands it again.
    palette.widget()->show();
    auto shown = [&](const char* text) {
      int n = 0;
      for (const QPushButton* b : palette.widget()->findChildren<QPushButton*>())
        n += b->isVisible() && b->text() == QLatin1String(text);
      return n;
    };
    QCOMPARE(shown("Collapse"), 1);
    palette.large()->toggle_collapsed();
    QVERIFY(palette.large()->current() == ovg_palette_large::state::wide);
    verify_views_in(m->views, palette.widget(), palette.wide_page()->widget());
    QCOMPARE(shown("Collapse") + shown("Expand") * 10, 10);
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
};

QTEST_MAIN(test_palettes)
#include "test_palettes.moc"
