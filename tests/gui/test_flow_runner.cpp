#include "ovg_flow_runner.h"
#include "ovg_progress_dialog.h"

#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <QtTest>

// The progress dialog around a long flow: counts every 5 items, cancel after
// the current item, one flow at a time.
class test_flow_runner : public QObject {
  Q_OBJECT

private slots:
  void counts_cancels_and_refuses_a_second_flow() {
    QWidget window;
    ovg_flow_runner runner(&window);
    QList<int> values;
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
        const bool go_on = progress(i);
        values << dialog->findChild<QProgressBar*>()->value();
        if (!go_on) break;
      }
    }));
    QCOMPARE(items, 7);
    QCOMPARE(values, (QList<int>{0, 0, 0, 0, 5, 5, 5}));
    QVERIFY(!second_started);
    QVERIFY(!runner.is_running());
    QVERIFY(!window.findChild<ovg_progress_dialog*>());

    // The next flow starts afresh, and cancel() from the window stops it too.
    int later = 0;
    QVERIFY(runner.run(QStringLiteral("Removing Tracks"), 3, [&](const ov_flow_progress& progress) {
      runner.cancel();
      while (progress(++later)) {
      }
    }));
    QCOMPARE(later, 1);
  }
};

QTEST_MAIN(test_flow_runner)
#include "test_flow_runner.moc"
