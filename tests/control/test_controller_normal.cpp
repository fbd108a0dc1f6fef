// The normal controller and the shared awards on real play lines (ALSA
// "null": files play out at once), a real library, playlist and engine in a
// temporary directory, recording fakes for the views.
#include "ov_controller_fixture.h"
#include "ov_playline.h"
#include "ovg_controller_normal.h"

#include <QSignalSpy>
#include <QtTest>

using C = ovg_controller_normal;

class test_controller_normal : public QObject {
  Q_OBJECT
  std::unique_ptr<ov_controller_fixture> f_;
  std::unique_ptr<C> c_;

  // Four one-second tracks; the albums of the rows when given.
  void build(const QStringList& albums = {}) {
    c_.reset();
    f_ = std::make_unique<ov_controller_fixture>();
    QVERIFY(f_->make(QList<double>(4, 1.0), albums));
    c_ = std::make_unique<C>(f_->views.ports(), f_->library.get(), f_->engine.get());
    f_->views.controls.busy = [this] { return c_->is_busy(); };
  }
  int row() const { return c_->selected_item() ? f_->playlist->index_of(c_->selected_item()) : -1; }
  QList<int> shown_rows() const {
    QList<int> out;
    for (const ov_track* t : f_->views.info.shown) out << f_->playlist->index_of_track(t);
    return out;
  }

private slots:
  void init() { build(); }
  void cleanup() {
    c_.reset();
    f_.reset();
  }

  // Rusty's play new is worth 1 point.
  void play_new_awards_and_stores() {
    QSignalSpy points(c_.get(), &C::esignal_point_incremented_on_play_new);
    QSignalSpy playing(c_.get(), &C::esignal_state_changed_to_playing);
    c_->islot_play_new(f_->playlist.get(), 1);
    QCOMPARE(c_->state(), C::playing);
    QVERIFY(c_->is_position_timer_active());
    QCOMPARE(playing.count(), 1);
    QCOMPARE(points.count(), 1);
    QCOMPARE(points[0][1].toInt(), 1);
    QCOMPARE(points[0][2].toInt(), 1);
    QCOMPARE(f_->stored_score(1), 1);
    QCOMPARE(f_->views.info.track, f_->track(1));
  }

  // Every change of state is announced once, after the slot finished its work;
  // a command that leaves the state as it was announces nothing.
  void state_changes_are_announced() {
    QList<int> seen;
    connect(c_.get(), &C::esignal_state_changed, this, [&] {
      QVERIFY(!c_->is_busy());
      seen << c_->state();
    });
    c_->islot_play_new(f_->playlist.get(), 1);
    c_->islot_pause();
    c_->islot_pause();
    c_->islot_toggle_play_pause();
    c_->islot_play_new(f_->playlist.get(), 2);
    c_->islot_stop();
    QCOMPARE(seen, (QList<int>{C::playing, C::paused, C::playing, C::stopped}));
  }

  void play_new_without_playlist_or_item() {
    c_->islot_play_new(nullptr, 0);
    QCOMPARE(c_->playlist(), nullptr);
    c_->islot_play_new(f_->playlist.get(), 99);
    QCOMPARE(c_->playlist(), f_->playlist.get());
    QCOMPARE(c_->state(), C::idle);
    QVERIFY(!c_->is_position_timer_active());
    QSignalSpy none(c_.get(), &C::esignal_play_clicked_on_no_selected);
    c_->islot_toggle_play_pause();
    QCOMPARE(none.count(), 1);
  }

  // A pick on the Nexts panel: points shown on every box and stored, the
  // pick becomes the chosen next; while waiting only the choice.
  void selected_and_not_selected() {
    f_->views.controls.type = ov_play::play_shuffle;
    c_->islot_play_type_changed();
    QVERIFY(f_->views.nexts.enabled);
    c_->islot_play_new(f_->playlist.get(), 0);
    const QList<ov_playlist_item*> shown = f_->views.nexts.entries;
    QCOMPARE(shown.size(), 3);
    for (ov_playlist_item* i : shown) i->track()->add_score(1000);
    // Rusty: each of the two others loses 1, the pick gains 2.
    c_->islot_next_track_clicked(shown[0]);
    QCOMPARE(c_->chosen_next(), shown[0]);
    QCOMPARE(f_->views.nexts.effects,
             (QList<QPair<const ov_playlist_item*, int>>{{shown[1], -1}, {shown[2], -1}, {shown[0], 2}}));
    QCOMPARE(f_->stored_score(f_->playlist->index_of(shown[1])), 999);
    QCOMPARE(f_->stored_score(f_->playlist->index_of(shown[0])), 1002);
    c_->islot_next_track_clicked(shown[1]);  // waiting: chosen, nothing earned
    QCOMPARE(c_->chosen_next(), shown[1]);
    QCOMPARE(shown[1]->track()->score(), 999);
    c_->islot_next_track_double_clicked(shown[2]);  // not the chosen one: nothing
    QCOMPARE(row(), 0);
    c_->islot_next_track_double_clicked(shown[1]);
    QCOMPARE(row(), f_->playlist->index_of(shown[1]));
    QCOMPARE(c_->chosen_next(), nullptr);
  }

  // Like and dislike share two clicks per waiting time; each credited click
  // shows its points and the new rank.
  void like_and_dislike() {
    c_->islot_play_new(f_->playlist.get(), 0);
    c_->islot_button_like_clicked();
    c_->islot_button_dislike_clicked();
    c_->islot_button_like_clicked();
    QCOMPARE(f_->track(0)->count_l(), 2);
    QCOMPARE(f_->views.info.effects, (QList<int>{1, -1}));
    QCOMPARE(f_->views.info.rank_updates, 2);
  }

  // One listening second per wall-clock second; play through (Rusty: every
  // 60 seconds, 0 points) after each full period.
  void play_through_by_the_clock() {
    qint64 now = 1000;
    c_->set_clock([&now] { return now; });
    c_->islot_play_new(f_->playlist.get(), 0);
    c_->islot_pause();
    ov_track* t = f_->track(0);
    for (int s = 0; s < 90; ++s) {
      ++now;
      c_->islot_update_time_position();
      c_->islot_update_time_position();  // same second: not counted
    }
    QCOMPARE(t->count_t(), 1);
    QCOMPARE(t->played(), 90);
    QCOMPARE(c_->listening_seconds(), 30);
  }

  // The end of a track by play type, played out on the null device: the rows
  // shown in order (a prefix for the types that go on until stopped).
  void end_of_track() {
    const struct {
      ov_play::play_type type;
      int start;
      QList<int> rows;
      bool stops;
    } cases[] = {
        {ov_play::play_normal, 2, {2, 3}, true},           {ov_play::play_normal_repeat, 2, {2, 3, 0, 1}, false},
        {ov_play::play_repeat_track, 1, {1, 1, 1}, false}, {ov_play::play_shuffle, 0, {0}, true},  // each row once
        {ov_play::play_shuffle_repeat, 0, {0}, false},     {ov_play::play_random, 0, {0}, false}};
    for (const auto& c : cases) {
      build();
      f_->views.controls.type = c.type;
      c_->islot_play_new(f_->playlist.get(), c.start);
      if (c.stops) {
        QTRY_COMPARE_WITH_TIMEOUT(c_->state(), C::stopped, 10000);
        const QList<int> shown = shown_rows();
        QCOMPARE(shown.mid(0, c.rows.size()), c.rows);
        if (c.type == ov_play::play_shuffle) QCOMPARE(QSet<int>(shown.begin(), shown.end()).size(), 4);
        QCOMPARE(shown.size(), c.type == ov_play::play_shuffle ? 4 : c.rows.size());
      } else {
        QTRY_VERIFY_WITH_TIMEOUT(shown_rows().size() >= 8, 10000);
        c_->islot_stop();
        QCOMPARE(shown_rows().mid(0, c.rows.size()), c.rows);
        QCOMPARE(c_->state(), C::stopped);
      }
    }
  }

  // Go-next and go-previous from each state (no event runs in between); at
  // the ends of the list without repeat nothing happens.
  void step_in_each_state() {
    const struct {
      C::state_type from;
      bool forward;
      int row;
      C::state_type state;
    } cases[] = {{C::playing, true, 2, C::playing},
                 {C::paused, true, 2, C::stopped},
                 {C::stopped, true, 2, C::stopped},
                 {C::playing, false, 0, C::playing},
                 {C::paused, false, 0, C::stopped}};
    for (const auto& c : cases) {
      c_->islot_play_new(f_->playlist.get(), 1);
      if (c.from == C::paused) c_->islot_pause();
      if (c.from == C::stopped) c_->islot_stop();
      c.forward ? c_->islot_go_next() : c_->islot_go_previous();
      QCOMPARE(row(), c.row);
      QCOMPARE(c_->state(), c.state);
      QCOMPARE(c_->is_position_timer_active(), c.state == C::playing);
      c_->islot_play_new(f_->playlist.get(), c.forward ? 3 : 0);
      c_->islot_pause();
      c.forward ? c_->islot_go_next() : c_->islot_go_previous();
      QCOMPARE(row(), c.forward ? 3 : 0);
      QCOMPARE(c_->state(), C::paused);
    }
  }

  // A file that fails to open: stopped, the current item kept, the error
  // dialog shown once the slot finished its work.
  void failed_load_shows_error() {
    const QString path = f_->track(2)->tags().file_path();
    QVERIFY(QFile::remove(path));
    c_->islot_play_new(f_->playlist.get(), 2);
    QCOMPARE(c_->state(), C::stopped);
    QCOMPARE(row(), 2);
    QCOMPARE(f_->views.controls.errors, QStringList{QStringLiteral("Failed to open file.\n") + path});
    QCOMPARE(f_->views.controls.busy_at_error, QList<bool>{false});
    c_->islot_toggle_play_pause();
    QCOMPARE(f_->views.controls.errors.size(), 2);
  }

  // A "finished" sent before the user's command does not skip a track.
  void stale_finish_is_ignored() {
    c_->islot_play_new(f_->playlist.get(), 0);
    QTest::qSleep(300);  // the file has played out; its report waits in the queue
    c_->islot_play_new(f_->playlist.get(), 1);
    c_->islot_pause();
    QTest::qWait(300);
    QCOMPARE(row(), 1);
    QCOMPARE(c_->state(), C::paused);
    QCOMPARE(shown_rows(), (QList<int>{0, 1}));
  }

  void current_item_removed() {
    c_->islot_play_new(f_->playlist.get(), 1);
    f_->playlist->remove_track_at(1);
    QCOMPARE(c_->state(), C::idle);
    QCOMPARE(c_->selected_item(), nullptr);
    QCOMPARE(f_->views.info.cleared, 1);
  }

  // Destroyed with the line playing and reports queued: nothing fires later.
  void destroyed_while_playing() {
    f_->views.controls.type = ov_play::play_normal_repeat;
    c_->islot_play_new(f_->playlist.get(), 0);
    QTest::qSleep(100);
    c_.reset();
    QTest::qWait(200);
  }
};

QTEST_MAIN(test_controller_normal)
#include "test_controller_normal.moc"
