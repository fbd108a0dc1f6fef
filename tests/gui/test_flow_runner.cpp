#include "ovg_flow_runner.h"
#include "ovg_mainwindow.h"
#include "ovg_media_player_bridge.h"
#include "ovg_play_mode.h"
#include "ovg_progress_dialog.h"
#include "ovg_slider.h"
#include "ovgv_playback.h"
#include "ovgv_volume.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

// The progress dialog around a long flow (the count after the last item,
// cancel after the current item, one flow at a time), and what the desktop's media
// controls see of the main window: the global volume, and the seeks of the
// controller the transport keys reach.
class test_flow_runner : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString old_cwd_;

private slots:
  void initTestCase() {
    old_cwd_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_.path()));
  }
  void cleanupTestCase() { QDir::setCurrent(old_cwd_); }

  void counts_cancels_and_refuses_a_second_flow() {
    QWidget window;
    ovg_flow_runner runner(&window);
    int items = 0;
    bool second_started = true;
    QVERIFY(runner.run(QStringLiteral("Adding Tracks"), 12, [&](const ov_flow_progress& progress) {
      for (int i = 1; i <= 12; ++i) {
        ++items;
        auto* dialog = window.findChild<ovg_progress_dialog*>();
        QVERIFY(dialog && dialog->isVisible());
        if (i == 7) {
          second_started = runner.run(QStringLiteral("again"), 1, [](const ov_flow_progress&) {});
          dialog->findChild<QPushButton*>()->click();  // the user cancels during item 7
        }
        if (!progress(i)) break;
      }
    }));
    QCOMPARE(items, 7);
    QVERIFY(!second_started);
    QVERIFY(!runner.is_running());
    QVERIFY(!window.findChild<ovg_progress_dialog*>());

    // The next flow starts afresh, with its total told once known; the
    // last item shows in the dialog. cancel() from the window stops it too.
    QString shown;
    int later = 0;
    QVERIFY(runner.run(QStringLiteral("Removing Tracks"), -1, [&](const ov_flow_progress& progress) {
      runner.set_total(3);
      for (int i = 1; i <= 3; ++i) QVERIFY(progress(i));
      auto* dialog = window.findChild<ovg_progress_dialog*>();
      shown = QStringLiteral("%1 of %2: ")
                  .arg(dialog->findChild<QProgressBar*>()->value())
                  .arg(dialog->findChild<QProgressBar*>()->maximum()) +
              dialog->findChild<QLabel*>(QStringLiteral("progress_text"))->text();
      runner.cancel();
      QVERIFY(!runner.keep_alive());
      while (progress(++later)) {
      }
    }));
    QCOMPARE(shown, QStringLiteral("3 of 3: 3 / 3"));
    QCOMPARE(later, 1);
  }

  // The stored volume: test_mpris_binary.
  void volume_and_seeks() {
    ovg_mainwindow w(nullptr, QStringLiteral("seed"), nullptr, nullptr, nullptr, nullptr);
    ovg_media_player_bridge bridge(&w);
    bridge.watch();
    QSignalSpy volume(&bridge, &ovg_media_player_bridge::esignal_volume_changed);
    QSignalSpy seeked(&bridge, &ovg_media_player_bridge::esignal_seeked);
    QSignalSpy status(&bridge, &ovg_media_player_bridge::esignal_status_changed);

    // Set from outside: both sliders move, told once.
    bridge.set_volume(30);
    QCOMPARE(bridge.volume(), 30);
    QCOMPARE(w.medley_mode()->volume_view()->volume(), 30);
    QCOMPARE(volume.count(), 1);
    // A user's move on either slider is told as well.
    w.medley_mode()->volume_view()->slider()->setValue(70);
    QCOMPARE(bridge.volume(), 70);
    QCOMPARE(volume.count(), 2);

    // Only the seeks of the mode the keys reach (the selected tab) count.
    w.tab_widget()->setCurrentIndex(0);
    emit w.normal_mode()->playback_view()->esignal_slider_position_released(1234);
    emit w.medley_mode()->playback_view()->esignal_slider_position_released(99);
    w.tab_widget()->setCurrentIndex(1);
    emit w.medley_mode()->playback_view()->esignal_slider_position_released(5678);
    QCOMPARE(seeked.count(), 2);
    QCOMPARE(seeked[0][0].toLongLong(), 1234);
    QCOMPARE(seeked[1][0].toLongLong(), 5678);

    // Nothing plays: stopped, no track, nothing to seek, and no change told.
    QCOMPARE(bridge.playback_status(), ov_media_player::status::stopped);
    QCOMPARE(bridge.current_track(), nullptr);
    QVERIFY(!bridge.can_seek());
    QVERIFY(!bridge.can_go_next());
    QCOMPARE(status.count(), 0);
  }
};

QTEST_MAIN(test_flow_runner)
#include "test_flow_runner.moc"
