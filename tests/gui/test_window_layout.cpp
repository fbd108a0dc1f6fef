#include "ov_mainwindow_fixture.h"
#include "ov_track.h"
#include "ovg_mainwindow.h"
#include "ovg_play_mode.h"
#include "ovg_playlists_area.h"
#include "ovgv_track_info.h"

#include <QDir>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

// The whole window on an empty data directory: it fits a small screen in
// every palette state, leaves the track table most of its height once the
// palette is collapsed or minimized, and keeps the palette's height while
// the track shown changes.
class test_window_layout : public QObject {
  Q_OBJECT

  QTemporaryDir data_;
  QString old_cwd_;

  struct run : ov_mainwindow_run {
    run() { window->show(); }
    int table_height() const { return area()->splitter()->height(); }
    int palette_height() const { return window->tab_widget()->height(); }
  };

  // Lets a change travel up the nested layouts, one posted request a level.
  static void settle() {
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  }

private slots:
  void initTestCase() {
    qputenv("ORVANTIS_PCM_DEVICE", "null");
    old_cwd_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(data_.path()));
    QVERIFY(QDir().mkpath(QStringLiteral("conf")));
  }
  void cleanupTestCase() { QDir::setCurrent(old_cwd_); }

  // A 1920 x 1080 screen at scale 2 offers 960 x 540 of these pixels, less
  // the window frame and a panel. In every state a short, a very long and an
  // untagged track leave the palette as high as no track.
  void fits_a_small_screen_in_every_state() {
    run r;
    ovg_mainwindow* w = r.window.get();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QString long_text = QStringLiteral("A title long enough to take several lines where it wraps ").repeated(4);
    const ov_track tracks[] = {
        ov_track(1, 0,
                 ov_tag_data::from_values(QStringLiteral("/m/a.mp3"), QStringLiteral("Short"), QStringLiteral("Album"),
                                          QStringLiteral("Artist"), 1, 60)),
        ov_track(2, 0, ov_tag_data::from_values(QStringLiteral("/m/b.mp3"), long_text, long_text, long_text, 1, 60)),
        ov_track(3, 0, ov_tag_data::from_values(QStringLiteral("/m/c.mp3"), {}, {}, {}, 0, 60)),
    };
    enum class table_share { any, most };
    const struct {
      const char* state;
      std::function<void()> enter;
      table_share share;
    } steps[] = {
        {"medley narrow", [] {}, table_share::any},
        {"medley collapsed", [w] { w->islot_palette_manual_medley_collapse_expand_clicked(); }, table_share::most},
        {"medley minimized", [w] { w->islot_palette_manual_medley_min_max_clicked(); }, table_share::most},
        {"normal full", [w] { w->tab_widget()->setCurrentIndex(0); }, table_share::any},
        {"normal minimized", [w] { w->islot_palette_normal_min_max_clicked(); }, table_share::most},
    };
    for (const auto& step : steps) {
      step.enter();
      settle();
      const QSize minimum = w->minimumSizeHint();
      QVERIFY2(minimum.width() <= 960 && minimum.height() <= 480,
               qPrintable(QStringLiteral("%1: %2 x %3").arg(step.state).arg(minimum.width()).arg(minimum.height())));
      if (step.share == table_share::most)
        QVERIFY2(r.table_height() * 10 >= w->height() * 6,
                 qPrintable(QStringLiteral("%1: %2 of %3").arg(step.state).arg(r.table_height()).arg(w->height())));
      const int height = r.palette_height();
      ovg_play_mode* mode = w->tab_widget()->currentIndex() ? w->medley_mode() : w->normal_mode();
      for (const ov_track& track : tracks) {
        mode->track_info_view()->set_track(&track);
        settle();
        QVERIFY2(r.palette_height() == height, step.state);
      }
      mode->track_info_view()->clear();
    }
  }
};

QTEST_MAIN(test_window_layout)
#include "test_window_layout.moc"
