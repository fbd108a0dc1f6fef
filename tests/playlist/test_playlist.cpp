#include "ov_playlist_fixture.h"
#include "ov_playlist_search_index.h"
#include "ov_playlist_store.h"

#include <QSignalSpy>

class test_playlist : public QObject {
  Q_OBJECT

private slots:
  void add_numbers_stores_and_renews();
  void remove_rows_and_tracks();
  void sort_toggle_rules_data();
  void sort_toggle_rules();
  void sort_keys_and_stability_data();
  void sort_keys_and_stability();
  void positions_survive_reload();
  void entries_of_gone_tracks_are_skipped();
  void search_data();
  void search();
  void search_follows_list_changes();
  void search_matches_qt_case_folding();
  void move_rows_keeps_relative_order();
  void closed_database_skips_writes();
};

void test_playlist::add_numbers_stores_and_renews() {
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

void test_playlist::remove_rows_and_tracks() {
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

void test_playlist::sort_toggle_rules_data() {
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
  QTest::newRow("count columns") << QList<int>{10, 11, 12, 13, 14, 15} << QStringList{"a", "b", "c", "d"} << 0 << false;
  QTest::newRow("outside") << QList<int>{-1, 17} << QStringList{"a", "b", "c", "d"} << 0 << false;
  QTest::newRow("count column keeps last") << QList<int>{7, 12, 7} << QStringList{"c", "a", "d", "b"} << 2 << false;
}

void test_playlist::sort_toggle_rules() {
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

void test_playlist::sort_keys_and_stability_data() {
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

void test_playlist::sort_keys_and_stability() {
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

void test_playlist::positions_survive_reload() {
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

void test_playlist::entries_of_gone_tracks_are_skipped() {
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

void test_playlist::search_data() {
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

void test_playlist::search() {
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

void test_playlist::search_follows_list_changes() {
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

void test_playlist::search_matches_qt_case_folding() {
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

void test_playlist::move_rows_keeps_relative_order() {
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

void test_playlist::closed_database_skips_writes() {
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

QTEST_GUILESS_MAIN(test_playlist)
#include "test_playlist.moc"
