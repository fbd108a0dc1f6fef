#include "ov_playlist_fixture.h"
#include "ov_random.h"
#include "ov_rank_table.h"
#include "ov_track_pool.h"
#include "ov_track_pool_remaining_queue.h"

#include <QSignalSpy>

#include <deque>

namespace {

// Hands out given raw values; between(lo, hi) then gives lo + (a * 65536 + b) % span.
class scripted_random final : public ov_random {
public:
  std::deque<int> raws;
  int raw() override {
    if (raws.empty()) return 0;
    const int v = raws.front();
    raws.pop_front();
    return v;
  }
  void next_between(int lo, int value) {
    raws.push_back(0);
    raws.push_back(value - lo);
  }
};

// Factors per rank 0..14 for selection types 1 high, 2 middle, 3 low, 4 random.
const int k_factors[5][15] = {
    {},
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
    {14, 13, 12, 11, 10, 9, 8, 15, 14, 13, 12, 11, 10, 9, 8},
    {15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1},
    {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
};

int lowest_score_of_rank(int rank) {
  return ov_rank_table::instance().lowest(rank);
}

}  // namespace

class test_track_pool : public QObject {
  Q_OBJECT

private slots:
  void factors_per_selection_type();
  void weighted_draw_walks_cumulative_weights();
  void entry_is_filed_by_rank_when_added();
  void candidates_equal_drawing_from_the_working_list();
  void ordered_steps();
  void shuffle_cycle_and_history_walk();
  void shuffle_back_from_first_draws_new();
  void choose_cases();
  void random_play_keeps_queue_and_history();
  void candidates_shuffle_take_history_after_current();
  void removing_entries_and_playlists();
};

void test_track_pool::factors_per_selection_type() {
  for (int type = 1; type <= 4; ++type)
    for (int k = 0; k < 15; ++k) QCOMPARE(ov_track_pool_remaining_queue::weight_factor(type, k), k_factors[type][k]);
  QCOMPARE(ov_track_pool_remaining_queue::weight_factor(0, 3), 1);  // unknown types draw evenly
}

void test_track_pool::weighted_draw_walks_cumulative_weights() {
  // Ranks 2 (two entries) and 5 (one entry). High scored: weights 2*3=6 and
  // 1*6=6, cumulative 6 and 12; low scored: 2*13=26 and 1*10=10, cumulative 26 and 36.
  ov_playlist_fixture f;
  auto p = f.playlist();
  p->add_track(f.add("r2a", lowest_score_of_rank(2)));
  p->add_track(f.add("r5", lowest_score_of_rank(5)));
  p->add_track(f.add("r2b", lowest_score_of_rank(2)));
  ov_track_pool_remaining_queue q(p->items());
  scripted_random script;
  ov_random_scope scope(&script);
  const struct {
    int type, r, index;
    const char* title;
  } cases[] = {{1, 1, 0, "r2a"}, {1, 6, 1, "r2b"},  {1, 7, 0, "r5"},
               {1, 12, 0, "r5"}, {3, 26, 1, "r2b"}, {3, 27, 0, "r5"}};
  for (const auto& c : cases) {
    q.set_selection_type(c.type);
    script.next_between(1, c.r);
    script.next_between(0, c.index);
    QCOMPARE(q.pick_weighted()->track()->tags().title(), QString::fromLatin1(c.title));
  }
  // take_weighted removes what it picked.
  q.set_selection_type(1);
  script.next_between(1, 7);
  script.next_between(0, 0);
  QCOMPARE(q.take_weighted()->track()->tags().title(), QString("r5"));
  QCOMPARE(q.size(), 2);
  ov_track_pool_remaining_queue empty;
  QVERIFY(!empty.pick_weighted());
  QVERIFY(!empty.take_weighted());
}

void test_track_pool::entry_is_filed_by_rank_when_added() {
  ov_playlist_fixture f;
  auto p = f.playlist();
  p->add_track(f.add("a", 5));
  p->add_track(f.add("b", 600));
  ov_track_pool_remaining_queue q(p->items());
  QCOMPARE(q.bucket(0).size(), 1);
  QCOMPARE(q.bucket(6).size(), 1);
  p->track_at(0)->add_score(500000);  // would be SS now
  QCOMPARE(q.bucket(14).size(), 0);
  q.add(p->item_at(0));  // a second filing, under the new rank
  QCOMPARE(q.bucket(14).size(), 1);
  q.remove(p->item_at(0));  // every occurrence goes
  QCOMPARE(q.size(), 1);
  QVERIFY(!q.contains(p->item_at(0)));
  q.add(nullptr);
  QCOMPARE(q.size(), 1);
}

void test_track_pool::candidates_equal_drawing_from_the_working_list() {
  // Working list: the extra entries, then the buckets: b, then a and c
  // (rank 0), then b again (rank 1).
  ov_playlist_fixture f;
  auto p = f.playlist();
  for (const char* t : {"a", "b", "c"}) p->add_track(f.add(QString::fromLatin1(t), t[0] == 'b' ? 20 : 0));
  ov_playlist_item* const a = p->item_at(0);
  ov_playlist_item* const b = p->item_at(1);
  ov_playlist_item* const c = p->item_at(2);
  ov_track_pool_remaining_queue q(p->items());
  scripted_random script;
  ov_random_scope scope(&script);
  for (int index : {3, 0, 1, 0}) script.next_between(0, index);
  // Five asked, four there: the same entry twice, then the list runs out.
  QCOMPARE(q.draw_candidates(5, {b}), (QList<ov_playlist_item*>{b, b, c, a}));
  QVERIFY(q.draw_candidates(0, {b}).isEmpty());
}

void test_track_pool::ordered_steps() {
  ov_playlist_fixture f;
  auto p = f.playlist();
  ov_track_pool pool;
  pool.set_playlist(p.get());
  QVERIFY(!pool.next_in_order());  // empty playlist
  for (const char* t : {"a", "b", "c"}) p->add_track(f.add(QString::fromLatin1(t)));
  QCOMPARE(pool.next_in_order(), p->item_at(0));
  QCOMPARE(p->status_at(0), 2);
  QVERIFY(pool.is_first_in_order());
  QCOMPARE(pool.next_in_order(), p->item_at(1));
  QCOMPARE(p->status_at(0), 1);
  QCOMPARE(pool.next_in_order(), p->item_at(2));
  QVERIFY(pool.is_last_in_order());
  QVERIFY(!pool.next_in_order());  // end of the playlist
  QCOMPARE(p->status_at(2), 1);
  QCOMPARE(pool.previous_in_order(), p->item_at(2));  // no current: the last
  QCOMPARE(pool.previous_in_order(), p->item_at(1));
  pool.start_at(0);
  QVERIFY(!pool.previous_in_order());
  pool.start_at(7);  // outside: nothing current
  QVERIFY(!pool.current());
}

void test_track_pool::shuffle_cycle_and_history_walk() {
  ov_playlist_fixture f;
  auto p = f.playlist();
  for (int i = 0; i < 6; ++i) p->add_track(f.add(QString::number(i), lowest_score_of_rank(i * 2)));
  ov_random_fixed fixed(5u);
  ov_random_scope scope(&fixed);
  ov_track_pool pool;
  pool.set_playlist(p.get());
  pool.set_selection_type(ov_track_pool::select_high_scored);
  pool.start_at(2);
  QVERIFY(pool.is_first_in_history());
  QSet<ov_playlist_item*> seen{p->item_at(2)};
  while (!pool.is_at_shuffle_end()) {
    ov_playlist_item* item = pool.next_shuffle();
    QVERIFY(item);
    QVERIFY(!seen.contains(item));
    seen.insert(item);
    QCOMPARE(item->status(), 2);
  }
  QCOMPARE(seen.size(), 6);
  const QList<ov_playlist_item*> history = pool.history();
  QCOMPARE(history.size(), 6);
  // Back through the history and forward again, without new draws.
  for (int i = 4; i >= 0; --i) QCOMPARE(pool.previous_shuffle(), history[i]);
  QVERIFY(pool.is_first_in_history());
  for (int i = 1; i < 6; ++i) QCOMPARE(pool.next_shuffle(), history[i]);
  QCOMPARE(pool.history(), history);
  QVERIFY(!pool.next_shuffle());  // cycle over
  QVERIFY(!pool.current());
  for (ov_playlist_item* item : p->items()) QCOMPARE(item->status(), 1);
}

void test_track_pool::shuffle_back_from_first_draws_new() {
  ov_playlist_fixture f;
  auto p = f.playlist();
  for (int i = 0; i < 3; ++i) p->add_track(f.add(QString::number(i)));
  ov_track_pool pool;
  pool.set_playlist(p.get());
  pool.start_at(1);
  ov_playlist_item* drawn = pool.previous_shuffle();
  QVERIFY(drawn && drawn != p->item_at(1));
  QCOMPARE(pool.history().last(), drawn);
  QCOMPARE(pool.history().size(), 2);
  QVERIFY(pool.previous_shuffle());  // from index 1 back to index 0
  QCOMPARE(pool.current(), p->item_at(1));
  pool.previous_shuffle();  // draws the last one
  QVERIFY(pool.remaining_queue()->is_empty());
  pool.start_at(0);
  for (int i = 0; i < 5; ++i) QVERIFY(pool.previous_shuffle());  // draw, back, draw, back, back
  QCOMPARE(pool.current(), p->item_at(0));
  QVERIFY(pool.remaining_queue()->is_empty());
  QVERIFY(!pool.previous_shuffle());  // nothing to draw: current kept, status 1
  QCOMPARE(pool.current(), p->item_at(0));
  QCOMPARE(pool.current()->status(), 1);
}

void test_track_pool::choose_cases() {
  ov_playlist_fixture f;
  auto p = f.playlist();
  for (int i = 0; i < 6; ++i) p->add_track(f.add(QString::number(i)));
  auto item = [&](int r) { return p->item_at(r); };
  ov_random_fixed fixed(11u);
  ov_random_scope scope(&fixed);
  ov_track_pool pool;
  pool.set_playlist(p.get());

  pool.choose(item(1));  // no current: nothing
  QVERIFY(!pool.current());

  // At the end of the history: appended and taken from the queue.
  pool.start_at(0);
  pool.choose(item(3));
  QCOMPARE(pool.history(), (QList<ov_playlist_item*>{item(0), item(3)}));
  QVERIFY(!pool.remaining_queue()->contains(item(3)));
  QCOMPARE(item(0)->status(), 1);
  QCOMPARE(item(3)->status(), 2);
  pool.choose(item(5));
  // Back to the middle, then choose the entry that follows: it just plays.
  pool.previous_shuffle();
  pool.previous_shuffle();
  QCOMPARE(pool.current(), item(0));
  pool.choose(item(3));
  QCOMPARE(pool.current(), item(3));
  QCOMPARE(pool.history(), (QList<ov_playlist_item*>{item(0), item(3), item(5)}));
  // In the middle with another entry: it replaces the next one, which goes back.
  pool.previous_shuffle();
  pool.choose(item(2));
  QCOMPARE(pool.history(), (QList<ov_playlist_item*>{item(0), item(2), item(5)}));
  QVERIFY(pool.remaining_queue()->contains(item(3)));
  QVERIFY(!pool.remaining_queue()->contains(item(2)));
  QCOMPARE(item(3)->status(), 1);
  QCOMPARE(pool.current(), item(2));
  // A later history entry chosen from further back moves up.
  pool.previous_shuffle();
  pool.choose(item(5));
  QCOMPARE(pool.history(), (QList<ov_playlist_item*>{item(0), item(5)}));
  QVERIFY(pool.remaining_queue()->contains(item(2)));
  // The current entry itself: it stays current, the history unchanged.
  pool.choose(item(5));
  QCOMPARE(pool.current(), item(5));
  QCOMPARE(pool.history().size(), 2);
  QCOMPARE(item(5)->status(), 2);
}

void test_track_pool::random_play_keeps_queue_and_history() {
  ov_playlist_fixture f;
  auto p = f.playlist();
  p->add_track(f.add("only"));
  ov_track_pool pool;
  pool.set_playlist(p.get());
  pool.start_at(0);
  // May return the entry already playing (here the only one).
  QCOMPARE(pool.next_random(), p->item_at(0));
  QCOMPARE(pool.next_random(), p->item_at(0));
  QCOMPARE(p->status_at(0), 2);
  QCOMPARE(pool.history().size(), 1);
  QCOMPARE(pool.whole_queue()->size(), 1);
  QCOMPARE(pool.candidates_random(3), QList<ov_playlist_item*>{p->item_at(0)});
}

void test_track_pool::candidates_shuffle_take_history_after_current() {
  ov_playlist_fixture f;
  auto p = f.playlist();
  for (int i = 0; i < 4; ++i) p->add_track(f.add(QString::number(i)));
  ov_track_pool pool;
  pool.set_playlist(p.get());
  pool.start_at(0);
  pool.next_shuffle();
  pool.next_shuffle();
  pool.next_shuffle();  // the queue is empty now
  QVERIFY(pool.is_at_shuffle_end());
  QVERIFY(pool.candidates_shuffle(5).isEmpty());
  pool.previous_shuffle();
  pool.previous_shuffle();  // at history index 1: indexes 2 and 3 follow
  const QList<ov_playlist_item*> c = pool.candidates_shuffle(5);
  QCOMPARE(QSet<ov_playlist_item*>(c.begin(), c.end()),
           (QSet<ov_playlist_item*>{pool.history()[2], pool.history()[3]}));
  pool.next_random();  // current may not be in the history: the whole history
  if (!pool.history().contains(pool.current())) QCOMPARE(pool.candidates_shuffle(9).size(), 4);
}

void test_track_pool::removing_entries_and_playlists() {
  ov_playlist_fixture f;
  auto p = f.playlist();
  for (int i = 0; i < 5; ++i) p->add_track(f.add(QString::number(i)));
  ov_track_pool pool;
  pool.set_playlist(p.get());
  QSignalSpy removed(&pool, &ov_track_pool::esignal_current_track_removed);
  pool.start_at(1);
  pool.next_shuffle();
  ov_playlist_item* playing = pool.current();
  ov_playlist_item* first = p->item_at(1);

  // A new entry joins both queues.
  p->add_track(f.add("new"));
  QVERIFY(pool.remaining_queue()->contains(p->item_at(5)));
  QVERIFY(pool.whole_queue()->contains(p->item_at(5)));

  // Removing another entry: gone from history and queues, no signal.
  p->remove_track_at(p->index_of(first));
  QCOMPARE(removed.count(), 0);
  QCOMPARE(pool.history(), QList<ov_playlist_item*>{playing});
  QCOMPARE(pool.whole_queue()->size(), 5);

  // Removing the playing entry: signal, nothing current, never handed out again.
  p->remove_track_at(p->index_of(playing));
  QCOMPARE(removed.count(), 1);
  QVERIFY(!pool.current());
  QVERIFY(pool.history().isEmpty());
  QCOMPARE(pool.whole_queue()->size(), 4);
  for (int i = 0; i < 10; ++i) QVERIFY(pool.next_random() != nullptr);
  QCOMPARE(removed.count(), 1);

  // The playlist is removed: signal, nothing current, queues emptied.
  ov_playlist_item* current = pool.current();
  p->mark_as_deleted();
  QCOMPARE(removed.count(), 2);
  QCOMPARE(current->status(), 1);
  QVERIFY(!pool.current());
  QVERIFY(pool.whole_queue()->is_empty());
  QVERIFY(!pool.next_shuffle());
  QVERIFY(pool.candidates_random(3).isEmpty());
  // Another playlist's removal is not this pool's business.
  auto other = f.playlist(2);
  pool.set_playlist(other.get());
  p->mark_as_deleted();
  QCOMPARE(removed.count(), 2);
  pool.set_playlist(nullptr);
  QCOMPARE(pool.playlist(), other.get());
  // A playlist destroyed under the pool leaves nothing behind to hand out.
  other->add_track(f.add("x"));
  pool.start_at(0);
  other.reset();
  QVERIFY(!pool.current());
  QVERIFY(!pool.next_random());
  QVERIFY(!pool.next_shuffle());
  QVERIFY(!pool.next_in_order());
}

QTEST_GUILESS_MAIN(test_track_pool)
#include "test_track_pool.moc"
