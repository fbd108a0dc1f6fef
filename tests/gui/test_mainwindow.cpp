#include "ov_mainwindow_fixture.h"
#include "ov_model_playlist.h"
#include "ov_playlist.h"
#include "ov_playlist_item.h"
#include "ov_track.h"
#include "ovg_combo_box.h"
#include "ovg_controller_abstract.h"
#include "ovg_flow_runner.h"
#include "ovg_main_actions.h"
#include "ovg_mainwindow.h"
#include "ovg_next_track_box.h"
#include "ovg_play_mode.h"
#include "ovg_playlists_area.h"
#include "ovg_table_view_tracks.h"
#include "ovgv_next_tracks.h"
#include "ovgv_pc_normal.h"
#include "ovgv_playback.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

// Counts the paint events of the widgets it filters.
class paint_counter : public QObject {
public:
  int count = 0;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return QObject::eventFilter(watched, event);
  }
};

// The whole window on a real library in a temporary directory, with MP3
// files made once for the run. Every case starts from an empty data
// directory (the working directory, as in the program).
class test_mainwindow : public QObject {
  Q_OBJECT

  QTemporaryDir music_;
  QString old_cwd_;

  using run = ov_mainwindow_run;

  static QString read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }

  void fresh_data_dir() {
    QDir conf(QStringLiteral("conf"));
    conf.removeRecursively();
    QVERIFY(QDir().mkpath(QStringLiteral("conf")));
  }

  static void select_rows(run& r, const QList<int>& rows) { r.select_rows(rows); }

private slots:
  void initTestCase() {
    qputenv("ORVANTIS_PCM_DEVICE", "null");
    qputenv("ORVANTIS_AUTOTEST", "accept");
    QVERIFY(ov_make_tagged_mp3s(QDir(music_.path()), 12));
    old_cwd_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(music_.path()));
  }
  void cleanupTestCase() { QDir::setCurrent(old_cwd_); }
  void init() { fresh_data_dir(); }

  // First start: 1300 x 700, medley tab, library playlist; a width below
  // its range reads as the default and is written back.
  void first_start_and_repaired_width() {
    {
      run r;
      QCOMPARE(r.window->windowTitle(), QStringLiteral("Orvantis 1.0.0a2"));
      QCOMPARE(r.window->size(), QSize(1300, 700));
      QCOMPARE(r.window->tab_widget()->currentIndex(), 1);
      QCOMPARE(r.area()->selected_row(), 0);
      QCOMPARE(r.window->selected_tab_controller(), r.window->medley_mode()->controller());
      QVERIFY(!r.action(ovg_main_actions::delete_from_playlist)->isEnabled());
    }
    QFile f(QStringLiteral("conf/main.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[window]\nwidth=400\nselected_tab=0\n");
    f.close();
    {
      run r;
      QCOMPARE(r.window->width(), 1300);
      QCOMPARE(r.window->tab_widget()->currentIndex(), 0);
    }
    QVERIFY(read(QStringLiteral("conf/main.ini")).contains(QStringLiteral("width=1300")));
  }

  // Adding a directory onto a user playlist, then removing from the
  // library: every playlist follows.
  void flows_on_a_real_library() {
    run r;
    r.window->islot_create_new_playlist();
    QCOMPARE(r.area()->selected_row(), 1);
    QVERIFY(r.action(ovg_main_actions::delete_from_playlist)->isEnabled());
    ov_playlist* user = r.area()->selected();
    r.window->islot_add_files({music_.path()});
    QCOMPARE(r.library->paths().size(), 12);
    QCOMPARE(r.area()->library_playlist()->count(), 12);
    QCOMPARE(user->count(), 12);
    QCOMPARE(r.area()->selected_view()->model()->rowCount(), 12);
    // The same files again add entries to the playlist only.
    r.window->islot_add_files({music_.filePath(QStringLiteral("./t00.mp3"))});
    QCOMPARE(r.library->paths().size(), 12);
    QCOMPARE(user->count(), 13);

    // From the library (the remove dialog is accepted): gone from both lists.
    select_rows(r, {0});
    ov_track* first = user->track_at(0);
    r.window->islot_remove_tracks_from_library();
    QCOMPARE(r.library->paths().size(), 11);
    QCOMPARE(r.area()->library_playlist()->index_of_track(first), -1);
    QCOMPARE(user->index_of_track(first), -1);

    // The library playlist has nothing to remove a track from.
    r.area()->select_row(0);
    QVERIFY(!r.action(ovg_main_actions::delete_from_playlist)->isEnabled());
    select_rows(r, {0});
    r.window->islot_remove_tracks_from_selected_playlist();
    QCOMPARE(r.area()->library_playlist()->count(), 11);
  }

  // Cancelling stops after the current file; closing during a flow waits
  // for it and loses nothing.
  void cancel_and_close_during_a_flow() {
    qsizetype kept = 0;
    {
      run r;
      QTimer::singleShot(0, r.window.get(), [&r] { r.window->flow_runner()->cancel(); });
      r.window->islot_add_files({music_.path()});
      QCOMPARE(r.library->paths().size(), 1);
      QCOMPARE(r.area()->library_playlist()->count(), 1);
      r.window->show();
      QTimer::singleShot(0, r.window.get(), [&r] { r.window->close(); });
      r.window->islot_add_files({music_.path()});
      QTRY_VERIFY(!r.window->isVisible());
      kept = r.area()->library_playlist()->count();
      QVERIFY(kept < 12);
    }
    run again;
    QCOMPARE(again.library->paths().size(), kept);
    QCOMPARE(again.area()->library_playlist()->count(), kept);
  }

  // Space plays whatever the modifiers; Ctrl+Tab switches only with Ctrl
  // alone; Ctrl+L selects the playing entry.
  void keys_and_tabs() {
    run r;
    r.window->islot_add_files({music_.path()});
    r.window->islot_process_global_key(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(r.window->tab_widget()->currentIndex(), 1);
    r.window->islot_process_global_key(Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(r.window->tab_widget()->currentIndex(), 0);
    ovg_controller_abstract* normal = r.window->normal_mode()->controller();
    r.window->islot_process_global_key(Qt::Key_Space, Qt::ShiftModifier | Qt::AltModifier);
    QCOMPARE(normal->state(), ovg_controller_abstract::playing);
    emit r.area()->selected_view()->esignal_track_kicked(3);
    r.window->islot_select_item_in_table_track();
    QCOMPARE(r.area()->selected_view()->currentIndex().row(), 3);
  }

  // Either mode starts from its own tab while the other plays, with its Play
  // button or a double click on a row, whatever its play type: the other
  // stops, one entry carries the playing mark, the playing tab turns bold.
  void each_tab_plays_while_the_other_does() {
    for (const auto type : {ov_play::play_normal, ov_play::play_shuffle})
      for (const int first : {0, 1}) {
        fresh_data_dir();
        run r;
        r.window->islot_add_files({music_.path()});
        ovg_play_mode* modes[] = {r.window->normal_mode(), r.window->medley_mode()};
        for (ovg_play_mode* m : modes) m->play_control()->play_type_combo()->set_current_value(type);
        ov_playlist* library = r.area()->library_playlist();
        const auto marked = [library] {
          QList<int> rows;
          for (int row = 0; row < library->count(); ++row)
            if (library->item_at(row)->status() == ov_playlist_item::playing) rows << row;
          return rows;
        };
        const auto check_playing = [&](int tab) {
          ovg_controller_abstract* on = modes[tab]->controller();
          QCOMPARE(on->state(), ovg_controller_abstract::playing);
          QCOMPARE(modes[1 - tab]->controller()->state(), ovg_controller_abstract::stopped);
          QCOMPARE(r.window->playing_controller(), on);
          QCOMPARE(r.area()->model()->playing_playlist(), library);
          QCOMPARE(marked(), QList<int>{library->index_of(on->selected_item())});
          QVERIFY(r.window->tab_widget()->styleSheet().endsWith(tab == 0 ? QStringLiteral("::first { font: bold;}")
                                                                         : QStringLiteral("::last { font: bold;}")));
        };
        r.window->tab_widget()->setCurrentIndex(first);
        modes[first]->playback_view()->play_button()->click();
        QCOMPARE(modes[first]->controller()->state(), ovg_controller_abstract::playing);
        r.window->tab_widget()->setCurrentIndex(1 - first);
        modes[1 - first]->playback_view()->play_button()->click();
        check_playing(1 - first);
        r.window->tab_widget()->setCurrentIndex(first);
        emit r.area()->selected_view()->esignal_track_kicked(5);
        check_playing(first);
        QCOMPARE(modes[first]->controller()->selected_item(), library->item_at(5));
      }
  }

  // Play stays possible while music plays and an empty playlist is shown;
  // the menu's play action follows the controller the keys reach.
  void play_controls_follow_the_controller() {
    run r;
    r.window->islot_add_files({music_.path()});
    QAction* play = r.action(ovg_main_actions::play_pause);
    r.window->islot_show_medley_palette();
    r.window->islot_play_new(0);
    r.window->islot_create_new_playlist();  // empty and selected
    QVERIFY(r.window->medley_mode()->playback_view()->play_button()->isEnabled());
    QVERIFY(play->isEnabled());
    r.window->islot_show_normal_palette();  // keys reach the idle normal mode
    QVERIFY(!r.window->normal_mode()->playback_view()->play_button()->isEnabled());
    QVERIFY(!play->isEnabled());
  }

  // A 500-file add onto a playlist in the shown window, then removing rows
  // 2, 5 and 7 of it: the tables neither paint nor hear of single rows while
  // a flow runs; each view's model is reset once when it ends, and the views
  // paint the new rows after it.
  void one_reset_per_view_after_a_flow() {
    QTemporaryDir many;
    for (int i = 0; i < 500; ++i)
      QVERIFY(QFile::copy(music_.filePath(QStringLiteral("t00.mp3")), many.filePath(QStringLiteral("%1.mp3").arg(i))));
    run r;
    r.window->islot_create_new_playlist();
    r.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(r.window.get()));
    QCoreApplication::processEvents();
    QList<int> resets(r.area()->playlists().size()), rows(resets.size());
    for (qsizetype i = 0; i < resets.size(); ++i) {
      const QAbstractItemModel* model = r.area()->view_of(r.area()->playlist_at(int(i)))->model();
      connect(model, &QAbstractItemModel::modelReset, this, [&resets, i] { ++resets[i]; });
      connect(model, &QAbstractItemModel::rowsInserted, this, [&rows, i] { ++rows[i]; });
      connect(model, &QAbstractItemModel::rowsRemoved, this, [&rows, i] { ++rows[i]; });
    }
    ovg_table_view_tracks* shown = r.area()->selected_view();
    paint_counter painted;
    shown->viewport()->installEventFilter(&painted);
    const auto flow = [&](const std::function<void()>& start, int rows_after) {
      QCoreApplication::processEvents();
      resets.fill(0);
      painted.count = 0;
      start();
      QVERIFY2(painted.count == 0, qPrintable(QString::number(rows_after)));
      QCOMPARE(resets, QList<int>({1, 1}));
      QCOMPARE(rows, QList<int>({0, 0}));
      QCOMPARE(shown->model()->rowCount(), rows_after);
      QTRY_VERIFY(painted.count > 0);
    };
    flow([&] { r.window->islot_add_files({many.path()}); }, 500);
    QCOMPARE(r.area()->view_of(r.area()->library_playlist())->model()->rowCount(), 500);

    QList<ov_playlist_item*> expected = r.area()->selected()->items();
    for (int row : {7, 5, 2}) expected.removeAt(row);
    select_rows(r, {2, 5, 7});
    flow([&] { r.window->islot_remove_tracks_from_selected_playlist(); }, 497);
    QCOMPARE(r.area()->selected()->items(), expected);
  }

  // Removing the playlist in play stops its controller and leaves no
  // candidate of it on the Nexts panel to be picked.
  void removing_the_playlist_in_play() {
    run r;
    r.window->islot_create_new_playlist();
    r.window->islot_add_files({music_.path()});
    ovg_controller_abstract* medley = r.window->medley_mode()->controller();
    r.window->islot_play_new(0);
    QCOMPARE(medley->state(), ovg_controller_abstract::playing);
    ovgv_next_tracks* nexts = r.window->medley_mode()->next_tracks_view();
    QVERIFY(nexts->boxes().first()->entry());
    r.window->islot_playlist_removed(1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(medley->state(), ovg_controller_abstract::idle);
    QCOMPARE(r.area()->selected_row(), 0);
    for (ovg_next_track_box* box : nexts->boxes()) {
      QCOMPARE(box->entry(), nullptr);
      nexts->islot_box_clicked(box, box->entry());
    }
    r.window->islot_play_pause();  // plays the library playlist instead
    QCOMPARE(medley->playlist(), r.area()->library_playlist());
  }

  // Search wraps with a second pass; the stored state comes back.
  void search_and_restore() {
    {
      run r;
      r.window->islot_add_files({music_.path()});
      const int row5 = r.area()->library_playlist()->index_of_track(
          r.library->track_by_path(music_.filePath(QStringLiteral("t05.mp3"))));
      r.area()->selected_view()->setCurrentIndex(r.area()->selected_view()->model()->index(row5 + 1, 0));
      r.window->islot_search_next_after_current_position(QStringLiteral("title 5"));
      QCOMPARE(r.area()->selected_view()->currentIndex().row(), row5);
      r.window->islot_search_previous_after_current_position(QStringLiteral("no such words"));
      QCOMPARE(r.area()->selected_view()->currentIndex().row(), row5);
      r.window->islot_show_normal_palette();
    }
    const QString ini = read(QStringLiteral("conf/main.ini"));
    QVERIFY(ini.contains(QStringLiteral("selected_tab=0")));
    QVERIFY(ini.contains(QStringLiteral("table_track_state=")));
    run again;
    QCOMPARE(again.window->tab_widget()->currentIndex(), 0);
    QCOMPARE(again.area()->library_playlist()->count(), 12);
  }

  void report_texts() {
    QCOMPARE(ovg_mainwindow::startup_warning(0, false), QString());
    QCOMPARE(ovg_mainwindow::startup_warning(3, false),
             QStringLiteral("Failed to load score data on 3 tracks.  Their scores have been filled with 0.  "
                            "Please check log if you didn't expect this situation."));
    QVERIFY(ovg_mainwindow::startup_warning(1, true).endsWith(
        QStringLiteral("\nFailed to load presets data from db file.  Loaded default presets.  "
                       "If you did not expect this situation, please try to replace db file "
                       "from backup dir.")));
  }
};

QTEST_MAIN(test_mainwindow)
#include "test_mainwindow.moc"
