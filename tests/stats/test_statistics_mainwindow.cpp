#include "ov_mainwindow_fixture.h"
#include "ov_playlist.h"
#include "ov_stats_fixture.h"
#include "ovg_statistics_window.h"

#include <QTemporaryDir>
#include <QtTest>

// The Statistics window as the main window opens it and answers its requests.
class test_statistics_mainwindow : public QObject {
  Q_OBJECT

  QTemporaryDir data_;
  QString old_cwd_;

private slots:
  void initTestCase() {
    old_cwd_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(data_.path()));
    // The six tracks of the statistics fixture, in the library playlist.
    ov_databases dbs = ov_open_databases(QStringLiteral("conf"));
    ov_stats_test::insert_tracks(dbs.library.get(), QStringLiteral("seed"));
    for (const ov_stats_test::track_row& t : ov_stats_test::tracks) {
      ov_statement item = dbs.playlist_items->prepare(QStringLiteral(
          "INSERT INTO playlist_items (id, playlist_id, library_id, number, position) VALUES (?, 0, ?, ?, ?);"));
      item.bind_int(1, t.id);
      item.bind_int(2, t.id);
      item.bind_int(3, t.id);
      item.bind_int(4, t.id - 1);
      QVERIFY(item.step_done());
    }
  }
  void cleanupTestCase() { QDir::setCurrent(old_cwd_); }

  void opens_from_the_tool_menu_and_selects_in_the_library() {
    ov_mainwindow_run r;
    QAction* open = r.action(ovg_main_actions::statistics);
    QCOMPARE(open->shortcut(), QKeySequence(QStringLiteral("Ctrl+I")));
    open->trigger();
    ovg_statistics_window* stats = r.window->statistics_window();
    QVERIFY(stats && stats->isVisible());
    QCOMPARE(stats->summary_text(), QStringLiteral("6 tracks; 33 % in F; 1 at SS"));
    open->trigger();
    QCOMPARE(r.window->statistics_window(), stats);  // one window, shown again

    stats->select_rank(0);
    ov_playlist* library = r.area()->library_playlist();
    QCOMPARE(r.area()->selected(), library);
    QList<int> ids;
    for (const QModelIndex& row : r.area()->view_of(library)->selectionModel()->selectedRows())
      ids << library->track_at(row.row())->id();
    std::sort(ids.begin(), ids.end());
    QCOMPARE(ids, (QList<int>{1, 2}));
  }
};

QTEST_MAIN(test_statistics_mainwindow)
#include "test_statistics_mainwindow.moc"
