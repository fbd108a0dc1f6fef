#include "ov_model.h"
#include "ov_model_playlist.h"
#include "ov_playlist_fixture.h"
#include "ov_playlist_search_index.h"
#include "ov_playlist_store.h"
#include "ov_random.h"
#include "ov_rank_table.h"
#include "ov_scripted_random.h"
#include "ov_track_pool.h"
#include "ov_track_pool_remaining_queue.h"
#include "ovd_track.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTranslator>

namespace {

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

class test_playlist : public QObject {
  Q_OBJECT

private slots:
  void add_numbers_stores_and_renews() {
    ov_playlist_fixture f;
    auto p = f.playlist(3);
    QSignalSpy added(p.get(), &ov_playlist::esignal_track_added);
    QSignalSpy changed(p.get(), &ov_playlist::esignal_number_of_tracks_changed);
    // A track outside the library (or none) is refused without a trace.
    ov_track stray(99, 0, ov_tag_data::from_values("/x.mp3", "x", "", "", 0, 0));
    p->add_track(&stray);
    p->add_track(nullptr);
    QVERIFY(f.stored("id", 3).isEmpty());
    for (const char* t : {"a", "b", "c"}) p->add_track(f.add(QString::fromLatin1(t)));
    QCOMPARE(added.count(), 3);
    QCOMPARE(changed.count(), 3);
    QCOMPARE(p->item_at(0)->number(), 1);
    QCOMPARE(p->item_at(2)->number(), 3);
    QCOMPARE(f.stored("number", 3), (QList<int>{1, 2, 3}));
    QCOMPARE(f.stored("position", 3), (QList<int>{0, 1, 2}));
    QCOMPARE(f.stored("library_id", 3), (QList<int>{1, 2, 3}));
    // Entry ids come from the items database's counter and are unique.
    QVERIFY(p->item_at(0)->id() != p->item_at(1)->id());

    for (int r = 0; r < 3; ++r) p->renew_number(r);
    QCOMPARE(p->item_at(0)->number(), 0);
    QCOMPARE(f.stored("number", 3), (QList<int>{0, 1, 2}));
    p->renew_number(3);  // outside: nothing
    // The highest number stays; the next entry continues after it.
    p->add_track(f.add("d"));
    QCOMPARE(p->item_at(3)->number(), 4);
  }
  void remove_rows_and_tracks() {
    ov_playlist_fixture f;
    auto p = f.playlist();
    ov_track* a = f.add("a");
    ov_track* b = f.add("b");
    for (ov_track* t : {a, b, a, b, a}) p->add_track(t);
    QSignalSpy removed(p.get(), &ov_playlist::esignal_track_removed);
    QSignalSpy changed(p.get(), &ov_playlist::esignal_number_of_tracks_changed);

    p->remove_track_at(5);
    p->remove_track_at(-1);
    QCOMPARE(removed.count(), 0);
    QCOMPARE(changed.count(), 0);

    const int gone_id = p->item_at(1)->id();
    p->remove_track_at(1);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!f.stored("id", 1).contains(gone_id));
    QCOMPARE(f.stored("position", 1), (QList<int>{0, 2, 3, 4}));  // gaps stay

    p->remove_tracks_of(a);
    QCOMPARE(removed.count(), 4);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(ov_playlist_fixture::titles(*p), QStringList{"b"});
    QCOMPARE(f.stored("library_id", 1), (QList<int>{b->id()}));
    p->remove_tracks_of(a);  // nothing matches: still one notice
    QCOMPARE(changed.count(), 3);

    // Unsorted: a reload keeps the add order despite the gaps.
    p->add_track(a);
    auto again = f.playlist();
    QCOMPARE(ov_playlist_fixture::titles(*again), (QStringList{"b", "a"}));

    // remove_all_items clears the table only.
    p->remove_all_items();
    QCOMPARE(p->count(), 2);
    QVERIFY(f.stored("id", 1).isEmpty());
    QSignalSpy deleted(p.get(), &ov_playlist::esignal_marked_as_deleted);
    p->mark_as_deleted();
    QCOMPARE(deleted.count(), 1);
    QCOMPARE(deleted.at(0).at(0).value<ov_playlist*>(), p.get());
  }
  void sort_toggle_rules_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("emitted");
    QTest::addColumn<bool>("ascending");
    // Scores of "a".."d" are 30, 10, 40, 20; titles are ascending already.
    QTest::newRow("score once") << QList<int>{7} << QStringList{"b", "d", "a", "c"} << 1 << true;
    QTest::newRow("score twice") << QList<int>{7, 7} << QStringList{"c", "a", "d", "b"} << 2 << false;
    QTest::newRow("score thrice") << QList<int>{7, 7, 7} << QStringList{"b", "d", "a", "c"} << 3 << true;
    QTest::newRow("rank then score") << QList<int>{1, 7} << QStringList{"b", "d", "a", "c"} << 2 << true;
    QTest::newRow("desc then other") << QList<int>{7, 7, 2} << QStringList{"a", "b", "c", "d"} << 3 << true;
    QTest::newRow("column 0") << QList<int>{0} << QStringList{"a", "b", "c", "d"} << 0 << false;
    QTest::newRow("count columns") << QList<int>{10, 11, 12, 13, 14, 15} << QStringList{"a", "b", "c", "d"} << 0
                                   << false;
    QTest::newRow("outside") << QList<int>{-1, 17} << QStringList{"a", "b", "c", "d"} << 0 << false;
    QTest::newRow("count column keeps last") << QList<int>{7, 12, 7} << QStringList{"c", "a", "d", "b"} << 2 << false;
  }
  void sort_toggle_rules() {
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, expected);
    QFETCH(int, emitted);
    QFETCH(bool, ascending);
    ov_playlist_fixture f;
    auto p = f.playlist();
    const int scores[] = {30, 10, 40, 20};
    for (int i = 0; i < 4; ++i) p->add_track(f.add(QString(QChar('a' + i)), scores[i]));
    QSignalSpy sorted(p.get(), &ov_playlist::esignal_sorted);
    for (int c : clicks) p->sort_by_column(c);
    QCOMPARE(ov_playlist_fixture::titles(*p), expected);
    QCOMPARE(sorted.count(), emitted);
    QCOMPARE(p->is_sorted(), emitted > 0);
    QCOMPARE(p->last_sort_ascending(), ascending);
    if (emitted == 0) QCOMPARE(p->last_sort_column(), -1);
  }
  void sort_keys_and_stability_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("ascending");
    QTest::addColumn<QStringList>("descending");
    // Entries t0..t5 in add order; their keys are in sort_keys_and_stability.
    // Ties keep their relative order in both directions.
    QTest::newRow("rank") << 1 << QStringList{"t1", "t4", "t0", "t3", "t2", "t5"}
                          << QStringList{"t5", "t2", "t0", "t3", "t1", "t4"};
    QTest::newRow("score") << 7 << QStringList{"t1", "t4", "t0", "t3", "t2", "t5"}
                           << QStringList{"t5", "t2", "t0", "t3", "t1", "t4"};
    QTest::newRow("title") << 2 << QStringList{"t0", "t1", "t2", "t3", "t4", "t5"}
                           << QStringList{"t5", "t4", "t3", "t2", "t1", "t0"};
    QTest::newRow("number") << 3 << QStringList{"t5", "t1", "t3", "t0", "t2", "t4"}
                            << QStringList{"t4", "t2", "t0", "t1", "t3", "t5"};
    QTest::newRow("album, code units") << 4 << QStringList{"t2", "t4", "t0", "t1", "t3", "t5"}
                                       << QStringList{"t5", "t3", "t0", "t1", "t4", "t2"};
    QTest::newRow("artist") << 5 << QStringList{"t3", "t0", "t2", "t5", "t1", "t4"}
                            << QStringList{"t1", "t4", "t5", "t0", "t2", "t3"};
    QTest::newRow("length") << 6 << QStringList{"t4", "t1", "t2", "t0", "t3", "t5"}
                            << QStringList{"t5", "t0", "t3", "t2", "t1", "t4"};
    QTest::newRow("played") << 8 << QStringList{"t0", "t2", "t4", "t1", "t3", "t5"}
                            << QStringList{"t5", "t1", "t3", "t0", "t2", "t4"};
    QTest::newRow("entry number") << 9 << QStringList{"t0", "t1", "t2", "t3", "t4", "t5"}
                                  << QStringList{"t5", "t4", "t3", "t2", "t1", "t0"};
    QTest::newRow("added, unsigned") << 16 << QStringList{"t1", "t3", "t5", "t0", "t2", "t4"}
                                     << QStringList{"t0", "t2", "t4", "t1", "t3", "t5"};
  }
  void sort_keys_and_stability() {
    QFETCH(int, column);
    QFETCH(QStringList, ascending);
    QFETCH(QStringList, descending);
    ov_playlist_fixture f;
    auto p = f.playlist();
    struct row {
      const char *album, *artist;
      int score;
      quint32 number;
      int length, played, added;
    };
    // "B" < "Ba" < "a" in code-unit order; an added time of -5 is a large
    // unsigned one.
    const row rows[] = {
        {"a", "m", 30, 5, 100, 0, -5},   {"a", "z", 10, 2, 50, 3, 1000}, {"B", "m", 40, 7, 60, 0, -5},
        {"b", "k", 30, 2, 100, 3, 1000}, {"Ba", "z", 10, 9, 5, 0, -5},   {"c", "y", 99999, 0, 200, 8, 1000},
    };
    for (int i = 0; i < 6; ++i) {
      const row& r = rows[i];
      p->add_track(
          f.add({QStringLiteral("t%1").arg(i), r.album, r.artist, r.score, r.number, r.length, r.played, r.added}));
    }
    p->sort_by_column(column);
    QCOMPARE(ov_playlist_fixture::titles(*p), ascending);
    p->sort_by_column(column);
    QCOMPARE(ov_playlist_fixture::titles(*p), descending);
    QVERIFY(!p->last_sort_ascending());
  }
  void positions_survive_reload() {
    ov_playlist_fixture f;
    auto p = f.playlist();
    for (const char* t : {"c", "a", "d", "b"}) p->add_track(f.add(QString::fromLatin1(t)));
    p->remove_track_at(0);
    p->sort_by_column(2);
    p->sort_by_column(2);
    QVERIFY(p->is_sorted());
    QCOMPARE(ov_playlist_fixture::titles(*f.playlist()), (QStringList{"a", "d", "b"}));  // not stored yet
    p->store_positions();
    QCOMPARE(f.stored("position", 1), (QList<int>{0, 1, 2}));
    auto reloaded = f.playlist();
    QCOMPARE(ov_playlist_fixture::titles(*reloaded), (QStringList{"d", "b", "a"}));
    QVERIFY(!reloaded->is_sorted());
    QCOMPARE(reloaded->item_at(0)->number(), p->item_at(0)->number());
    QCOMPARE(reloaded->item_at(0)->id(), p->item_at(0)->id());
    // Another playlist's entries are untouched by this one's positions.
    auto other = f.playlist(2);
    other->add_track(f.library.track_by_id(1));
    p->store_positions();
    QCOMPARE(f.stored("position", 2), (QList<int>{0}));
  }
  void entries_of_gone_tracks_are_skipped() {
    ov_playlist_fixture f;
    auto p = f.playlist();
    ov_track* a = f.add("a");
    ov_track* b = f.add("b");
    p->add_track(a);
    p->add_track(b);
    p->add_track(a);
    const std::unique_ptr<ov_track> gone = f.library.remove_track(b->tags().file_path());
    QVERIFY(gone);
    auto reloaded = f.playlist();
    QCOMPARE(ov_playlist_fixture::titles(*reloaded), (QStringList{"a", "a"}));
    QCOMPARE(reloaded->highest_number(), 3);  // the skipped row still counts
    QCOMPARE(f.stored("id", 1).size(), 3);    // and stays in the table
    reloaded->add_track(a);
    QCOMPARE(reloaded->item_at(2)->number(), 4);
  }
  void search_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("expected");
    // Rows: 0 "Blue Sky"/"Night"/"Ann", 1 "Red"/"Blue Album"/"Bob", 2 "Green"/"x"/"BLUEGRASS", 3 "Plain"/"y"/"z".
    QTest::newRow("next from -1") << "blue" << true << -1 << 0;
    QTest::newRow("next skips current") << "BLUE" << true << 0 << 1;
    QTest::newRow("artist match") << "grass" << true << 1 << 2;
    QTest::newRow("no wrap forward") << "blue" << true << 2 << -1;
    QTest::newRow("previous from count") << "blue" << false << 4 << 2;
    QTest::newRow("previous album") << "album" << false << 2 << 1;
    QTest::newRow("no wrap backward") << "plain" << false << 3 << -1;
    QTest::newRow("previous from 0") << "blue" << false << 0 << -1;
    QTest::newRow("next past the end") << "blue" << true << 7 << -1;
    QTest::newRow("empty word") << "" << true << -1 << -1;
    QTest::newRow("across fields") << "skynight" << true << -1 << -1;
    QTest::newRow("across rows") << "anbob" << true << -1 << -1;
    QTest::newRow("whole title") << "blue sky" << true << -1 << 0;
  }
  void search() {
    QFETCH(QString, word);
    QFETCH(bool, forward);
    QFETCH(int, current);
    QFETCH(int, expected);
    ov_playlist_fixture f;
    auto p = f.playlist();
    p->add_track(f.add({"Blue Sky", "Night", "Ann"}));
    p->add_track(f.add({"Red", "Blue Album", "Bob"}));
    p->add_track(f.add({"Green", "x", "BLUEGRASS"}));
    p->add_track(f.add({"Plain", "y", "z"}));
    QCOMPARE(forward ? p->search_next(word, current) : p->search_previous(word, current), expected);
  }
  void search_follows_list_changes() {
    ov_playlist_fixture f;
    auto p = f.playlist();
    for (const char* t : {"delta", "alpha", "charlie", "bravo"}) p->add_track(f.add(QString::fromLatin1(t)));
    QCOMPARE(p->search_next("alpha", -1), 1);  // builds the index
    p->sort_by_column(2);
    QCOMPARE(p->search_next("alpha", -1), 0);
    QCOMPARE(p->search_next("delta", -1), 3);
    p->sort_by_column(2);  // two orders noted before the next search
    p->sort_by_column(9);
    QCOMPARE(p->search_next("charlie", -1), 2);
    p->add_track(f.add("echo"));
    QCOMPARE(p->search_previous("echo", p->count()), 4);
    p->remove_track_at(0);
    QCOMPARE(p->search_next("echo", -1), 3);
    QCOMPARE(p->search_next("delta", -1), -1);
    p->move_rows({3}, 0);
    QCOMPARE(p->search_next("echo", -1), 0);
    QCOMPARE(p->search_previous("bravo", p->count()), 3);
    p->remove_tracks_of(p->track_at(0));
    QCOMPARE(p->search_next("echo", -1), -1);
    // Removals and additions noted on top of an order not yet applied.
    p->sort_by_column(2);  // alpha, bravo, charlie
    p->remove_track_at(0);
    p->add_track(f.add("foxtrot"));
    p->remove_track_at(1);
    QCOMPARE(p->search_next("bravo", -1), 0);
    QCOMPARE(p->search_next("foxtrot", -1), 1);
    QCOMPARE(p->search_next("charlie", -1), -1);
    p->remove_track_at(0);
    p->remove_track_at(0);
    QCOMPARE(p->search_next("foxtrot", -1), -1);
    p->add_track(f.add("golf"));
    QCOMPARE(p->search_next("golf", -1), 0);
  }
  void search_matches_qt_case_folding() {
    // Kelvin sign, long s, final sigma, dotted capital I, sharp s, Deseret
    // (surrogate pairs), fullwidth letters and a lone surrogate.
    const QStringList texts = QString::fromUtf8(
                                  "\u212Aelvin|Stra\u00DFe|\u017Fun|\u039F\u0394\u03A5\u03A3\u03A3\u0395\u038E\u03A3|"
                                  "\u0130stanbul|\U00010400\U00010401 x|\uFF21\uFF22\uFF23|Caf\u00C9 \u00E9t\u00E9")
                                  .split('|') +
                              QStringList{QString(QChar(0xd800)) + "abc"};
    const QStringList words = QString::fromUtf8(
                                  "k|K|\u212A|ss|\u00DF|\u1E9E|s|sun|\u03C3|\u03C2|i|i\u0307|\U00010428|\U00010429 X|"
                                  "\uFF41\uFF42|abc|caf\u00E9|\u00C9T\u00C9")
                                  .split('|') +
                              QStringList{QString(QChar(0xd800))};
    ov_playlist_fixture f;
    auto p = f.playlist();
    for (const QString& t : texts) p->add_track(f.add({t, "", ""}));
    for (const QString& w : words) {
      int expected = -1;
      for (int r = 0; r < texts.size() && expected < 0; ++r)
        if (texts[r].contains(w, Qt::CaseInsensitive)) expected = r;
      QCOMPARE(p->search_next(w, -1), expected);
    }
  }
  void move_rows_keeps_relative_order() {
    ov_playlist_fixture f;
    auto p = f.playlist();
    for (const char* t : {"a", "b", "c", "d", "e"}) p->add_track(f.add(QString::fromLatin1(t)));
    QCOMPARE(p->move_rows({3, 1}, 0), (QList<int>{0, 1}));
    QCOMPARE(ov_playlist_fixture::titles(*p), (QStringList{"b", "d", "a", "c", "e"}));
    QVERIFY(p->is_sorted());
    // Target below the taken rows is lowered by one per taken row above it.
    QCOMPARE(p->move_rows({0, 1}, 4), (QList<int>{2, 3}));
    QCOMPARE(ov_playlist_fixture::titles(*p), (QStringList{"a", "c", "b", "d", "e"}));
    QCOMPARE(p->move_rows({9}, 0), QList<int>{});
  }
  void closed_database_skips_writes() {
    ov_playlist_fixture f;
    QDir(f.dir.path()).mkdir("blocked.db");
    ov_database blocked(f.dir.filePath("blocked.db"), ov_creation_statements("playlist_items"), "playlist_items");
    QVERIFY(!blocked.is_ok());
    ov_playlist p(&f.library, &blocked, 1, "x", 1);
    QSignalSpy added(&p, &ov_playlist::esignal_track_added);
    QSignalSpy removed(&p, &ov_playlist::esignal_track_removed);
    p.add_track(f.add("a"));
    p.add_track(f.add("b"));
    p.renew_number(1);
    p.sort_by_column(2);
    p.store_positions();
    p.remove_track_at(0);
    p.remove_all_items();
    QCOMPARE(added.count(), 2);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(p.count(), 1);
    QCOMPARE(p.item_at(0)->number(), 1);
    ov_playlist_store::insert(&blocked, &p);
    ov_playlist_store::insert(nullptr, &p);
    const QList<ov_playlist*> only_library = ov_playlist_store::load_all(&f.library, nullptr, &blocked);
    QCOMPARE(only_library.size(), 1);
    qDeleteAll(only_library);
  }

  void factors_per_selection_type() {
    for (int type = 1; type <= 4; ++type)
      for (int k = 0; k < 15; ++k) QCOMPARE(ov_track_pool_remaining_queue::weight_factor(type, k), k_factors[type][k]);
    QCOMPARE(ov_track_pool_remaining_queue::weight_factor(0, 3), 1);  // unknown types draw evenly
  }
  void weighted_draw_walks_cumulative_weights() {
    // Ranks 2 (two entries) and 5 (one entry). High scored: weights 2*3=6 and
    // 1*6=6, cumulative 6 and 12; low scored: 2*13=26 and 1*10=10, cumulative 26 and 36.
    ov_playlist_fixture f;
    auto p = f.playlist();
    p->add_track(f.add("r2a", lowest_score_of_rank(2)));
    p->add_track(f.add("r5", lowest_score_of_rank(5)));
    p->add_track(f.add("r2b", lowest_score_of_rank(2)));
    ov_track_pool_remaining_queue q(p->items());
    ov_scripted_random script;
    ov_random_scope scope(&script);
    const struct {
      int type, r, index;
      const char* title;
    } cases[] = {{1, 1, 0, "r2a"}, {1, 6, 1, "r2b"},  {1, 7, 0, "r5"},
                 {1, 12, 0, "r5"}, {3, 26, 1, "r2b"}, {3, 27, 0, "r5"}};
    for (const auto& c : cases) {
      q.set_selection_type(c.type);
      script.queue_draws({c.r - 1, c.index});
      QCOMPARE(q.pick_weighted()->track()->tags().title(), QString::fromLatin1(c.title));
    }
    // take_weighted removes what it picked.
    q.set_selection_type(1);
    script.queue_draws({7 - 1, 0});
    QCOMPARE(q.take_weighted()->track()->tags().title(), QString("r5"));
    QCOMPARE(q.size(), 2);
    ov_track_pool_remaining_queue empty;
    QVERIFY(!empty.pick_weighted());
    QVERIFY(!empty.take_weighted());
  }
  void entry_is_filed_by_rank_when_added() {
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
  void candidates_equal_drawing_from_the_working_list() {
    // Working list: the extra entries, then the buckets: b, then a and c
    // (rank 0), then b again (rank 1).
    ov_playlist_fixture f;
    auto p = f.playlist();
    for (const char* t : {"a", "b", "c"}) p->add_track(f.add(QString::fromLatin1(t), t[0] == 'b' ? 20 : 0));
    ov_playlist_item* const a = p->item_at(0);
    ov_playlist_item* const b = p->item_at(1);
    ov_playlist_item* const c = p->item_at(2);
    ov_track_pool_remaining_queue q(p->items());
    ov_scripted_random script;
    ov_random_scope scope(&script);
    script.queue_draws({3, 0, 1, 0});
    // Five asked, four there: the same entry twice, then the list runs out.
    QCOMPARE(q.draw_candidates(5, {b}), (QList<ov_playlist_item*>{b, b, c, a}));
    QVERIFY(q.draw_candidates(0, {b}).isEmpty());
  }
  void ordered_steps() {
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
  void shuffle_cycle_and_history_walk() {
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
  void shuffle_back_from_first_draws_new() {
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
  void choose_cases() {
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
  void random_play_keeps_queue_and_history() {
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
  void candidates_shuffle_take_history_after_current() {
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
  void removing_entries_and_playlists() {
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

  void catalogue_columns() {
    const ovd_track& c = ovd_track::instance();
    QCOMPARE(c.column_count(), 17);
    for (int i = 0; i < 17; ++i) {
      QCOMPARE(c.columns()[i].number, i);
      // Only the count and added columns start hidden; their menu entries stay enabled.
      QCOMPARE(c.is_visible_by_default(i), i <= 9);
      QCOMPARE(c.is_toggleable(i), !(i <= 2 || i == 7));
    }
    QCOMPARE(c.tooltip(9), QString("# - Order Number in this playlist"));
    QCOMPARE(c.tooltip(16), c.title(16));
  }
  void models_pass_the_model_tester() {
    ov_playlist_fixture f;
    QList<ov_playlist*> lists = {f.playlist(0).release(), f.playlist(1).release()};
    for (int i = 0; i < 4; ++i)
      lists[0]->add_track(f.add({QString::number(i), "al", "ar", i * 1000, quint32(i), 61 * i}));
    ov_model tracks;
    QAbstractItemModelTester track_tester(&tracks, QAbstractItemModelTester::FailureReportingMode::QtTest);
    tracks.set_playlist(lists[0]);
    tracks.reset();
    lists[0]->item_at(1)->set_status(2);
    lists[0]->sort_by_column(7);
    tracks.refresh_all();
    ov_model_playlist playlists(&lists);
    QAbstractItemModelTester playlist_tester(&playlists, QAbstractItemModelTester::FailureReportingMode::QtTest);
    playlists.set_playing_playlist(lists[1]);
    playlists.setData(playlists.index(1, 1), "renamed");
    lists.append(f.playlist(2).release());
    playlists.reset();
    lists[0]->remove_track_at(0);
    tracks.reset();
    qDeleteAll(lists);
  }
  void track_display_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QVariant>("expected");
    // The track: "T"/"Al"/"Ar", no. 4, 187 s long, score 123456789 (kept as
    // 99999999), played 3723 s, counts 1..6, added 1000000000, entry number 1.
    QTest::newRow("status ordinary") << 0 << QVariant(QString());
    QTest::newRow("rank") << 1 << QVariant(99999999);
    QTest::newRow("title") << 2 << QVariant(QString("T"));
    QTest::newRow("track number") << 3 << QVariant(4u);
    QTest::newRow("album") << 4 << QVariant(QString("Al"));
    QTest::newRow("artist") << 5 << QVariant(QString("Ar"));
    QTest::newRow("length 3:07") << 6 << QVariant(QString("3:07"));
    QTest::newRow("score") << 7 << QVariant(99999999);
    QTest::newRow("played 1:02:03") << 8 << QVariant(QString("1:02:03"));
    QTest::newRow("entry number") << 9 << QVariant(1);
    for (int i = 0; i < 6; ++i) QTest::addRow("count %d", 10 + i) << 10 + i << QVariant(i + 1);
    QTest::newRow("added")
        << 16 << QVariant(QDateTime::fromSecsSinceEpoch(1000000000).toLocalTime().toString("yyyy-MM-dd hh:mm:ss"));
    QTest::newRow("outside") << 17 << QVariant();
  }
  void track_display() {
    QFETCH(int, column);
    QFETCH(QVariant, expected);
    ov_playlist_fixture f;
    auto p = f.playlist();
    ov_track* t = f.add({"T", "Al", "Ar", 99999999, 4, 187, 3723, 1000000000});
    t->add_score(5);
    for (int i = 0; i < 1; ++i) t->increment_count_n();
    for (int i = 0; i < 2; ++i) t->increment_count_s();
    for (int i = 0; i < 3; ++i) t->increment_count_ns();
    for (int i = 0; i < 4; ++i) t->increment_count_l();
    for (int i = 0; i < 5; ++i) t->increment_count_dl();
    for (int i = 0; i < 6; ++i) t->increment_count_t();
    p->add_track(t);
    ov_model m;
    m.set_playlist(p.get());
    const QVariant got = m.data(m.index(0, column));
    QCOMPARE(got.toString(), expected.toString());
    QCOMPARE(got.isValid(), expected.isValid());
  }
  void untagged_title_is_the_file_name() {
    ov_playlist_fixture f;
    auto p = f.playlist();
    ov_track* t = f.add(QString());  // the fixture's files are /music/<id>.mp3
    p->add_track(t);
    ov_model m;
    m.set_playlist(p.get());
    QCOMPARE(m.data(m.index(0, 2)).toString(), QString::number(t->id()));
  }
  void track_marks_and_header() {
    ov_playlist_fixture f;
    auto p = f.playlist();
    for (int played : {59, 3600, 245}) p->add_track(f.add({"t", "", "", 0, 0, 0, played}));
    ov_model m;
    QCOMPARE(m.rowCount(), 0);
    QVERIFY(!m.data(m.index(0, 0)).isValid());
    m.set_playlist(p.get());
    QCOMPARE(m.columnCount(), 17);
    // Played time gains an hour field (length texts: test_tag_data).
    for (auto [row, text] : {std::pair{0, "0:59"}, {1, "1:00:00"}, {2, "4:05"}})
      QCOMPARE(m.data(m.index(row, 8)).toString(), QString(text));

    const QString marks[] = {">", "=", "-"};
    for (int status = 2; status <= 4; ++status) {
      p->item_at(1)->set_status(status);
      QCOMPARE(m.data(m.index(1, 0)).toString(), marks[status - 2]);
    }

    QCOMPARE(m.headerData(2, Qt::Horizontal).toString(), QString("Title"));
    QCOMPARE(m.headerData(10, Qt::Horizontal, Qt::ToolTipRole).toString(), QString("C(N) - Count(Play Newly)"));

    // The "#" column shows the stored number, 0 after renewing row 0.
    p->renew_number(0);
    QCOMPARE(m.data(m.index(0, 9)).toInt(), 0);
  }
  void track_refreshes() {
    ov_playlist_fixture f;
    auto p = f.playlist();
    for (int i = 0; i < 3; ++i) p->add_track(f.add(QString::number(i), 3 - i));
    ov_model m;
    m.set_playlist(p.get());
    QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
    m.refresh_all();
    QCOMPARE(changed.last().at(1).toModelIndex(), m.index(2, 16));
    p->sort_by_column(7);  // the model refreshes everything
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.last().at(0).toModelIndex(), m.index(0, 0));
    QCOMPARE(changed.last().at(1).toModelIndex(), m.index(2, 16));
    auto other = f.playlist(2);
    m.set_playlist(other.get());  // the old playlist is no longer followed
    p->sort_by_column(7);
    QCOMPARE(changed.count(), 2);
  }
  void playlist_model() {
    ov_playlist_fixture f;
    auto library =
        std::make_unique<ov_playlist>(&f.library, f.items_db.get(), 0, ov_playlist::library_playlist_name(), 0);
    auto mine = f.playlist(1);
    QList<ov_playlist*> lists = {library.get(), mine.get()};
    ov_model_playlist m(&lists);
    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(m.playlist_at(1), mine.get());
    QVERIFY(!m.playlist_at(2));

    const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    // Only a user playlist's name is editable.
    for (int r = 0; r < 2; ++r)
      for (int c = 0; c < 2; ++c) QCOMPARE(m.flags(m.index(r, c)), r && c ? base | Qt::ItemIsEditable : base);

    QCOMPARE(m.headerData(1, Qt::Horizontal).toString(), QString("Playlist"));

    QCOMPARE(m.data(m.index(0, 1)).toString(), QString("LIBRARY (all tracks)"));
    QCOMPARE(m.data(m.index(1, 1), Qt::EditRole).toString(), QString("list 1"));
    QVERIFY(!m.data(m.index(1, 0), Qt::EditRole).isValid());

    QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
    m.set_playing_playlist(mine.get());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.last().at(1).toModelIndex(), m.index(1, 0));
    QCOMPARE(m.data(m.index(1, 0)).toString(), QString(">"));
    QCOMPARE(m.data(m.index(0, 0)).toString(), QString());

    QSignalSpy finished(&m, &ov_model_playlist::esignal_edit_finished);
    QSignalSpy renamed(mine.get(), &ov_playlist::esignal_name_changed);
    QVERIFY(!m.setData(m.index(0, 1), "no"));
    QCOMPARE(library->name(), QString("LIBRARY (all tracks)"));
    QVERIFY(!m.setData(m.index(1, 1), "no", Qt::DisplayRole));
    QVERIFY(m.setData(m.index(1, 1), "list 1"));  // same name
    QCOMPARE(finished.count(), 1);
    QCOMPARE(renamed.count(), 0);
    QVERIFY(m.setData(m.index(1, 1), "Road trip"));
    QCOMPARE(finished.count(), 2);
    QCOMPARE(renamed.count(), 1);
    QCOMPARE(mine->name(), QString("Road trip"));
  }
  void japanese_texts() {
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(":/tr/ov_jp.qm")));
    QCoreApplication::installTranslator(&translator);
    ovd_track catalogue;
    QCOMPARE(catalogue.title(2), QString::fromUtf8("タイトル"));
    QCOMPARE(catalogue.tooltip(15), QString::fromUtf8("C(T) - 最後まで聴いた回数"));
    QCOMPARE(ov_playlist::library_playlist_name(), QString::fromUtf8("ライブラリ (全トラック)"));
    QList<ov_playlist*> none;
    QCOMPARE(ov_model_playlist(&none).headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("プレイリスト"));
    QCoreApplication::removeTranslator(&translator);
  }
};

QTEST_MAIN(test_playlist)
#include "test_playlist.moc"
