// Loading every playlist at once gives each playlist the entries, in the
// order, that loading it alone gives.
#include "ov_playlist_fixture.h"
#include "ov_playlist_store.h"

#include <QtTest>

class test_playlist_load : public QObject {
  Q_OBJECT

  static QList<int> entry_ids(const ov_playlist& p) {
    QList<int> out;
    for (int r = 0; r < p.count(); ++r) out << p.item_at(r)->id();
    return out;
  }

private slots:
  void all_at_once_equals_one_by_one_data() {
    QTest::addColumn<QString>("items");
    QTest::addColumn<int>("checked");
    QTest::addColumn<QList<int>>("expected");
    // Ties, gaps, a missing and a text position, a gone track, a playlist id
    // out of the int range, and ids stored as text and as a fraction.
    QTest::newRow("damaged")
        << QStringLiteral(
               "(1, 1, 1, 1, 5), (2, 1, 2, 2, 2), (3, 1, 3, 3, 2), (4, 1, 4, 4, NULL), (5, 1, 5, 5, 'x'), "
               "(6, 1, 99, 6, 0), (7, 2, 6, 1, 2), (8, 2, 1, 2, 2), (9, 2, 2, 3, 2), (10, 0, 3, 1, 0), "
               "(11, 0, 1, 2, 1), (12, 4294967297, 1, 1, 0), (13, '3', 4, 1, 1), (14, 3.5, 5, 1, 0), "
               "(15, 3, 2, 2, 0)")
        << 3 << QList<int>{15, 13};
    // Whole positions only, but tied within a playlist.
    QTest::newRow("ties") << QStringLiteral("(1, 1, 1, 1, 2), (2, 1, 2, 2, 1), (3, 1, 3, 3, 2), (4, 2, 4, 1, 0)") << 2
                          << QList<int>{4};
    // Distinct whole positions, stored out of order and across playlists.
    QTest::newRow("clean")
        << QStringLiteral(
               "(1, 1, 1, 1, 3), (2, 1, 2, 2, 1), (3, 2, 3, 1, 2), (4, 1, 3, 3, 2), (5, 2, 4, 2, 1), (6, 0, 1, 1, 1), "
               "(7, 0, 2, 2, 0)")
        << 1 << QList<int>{2, 4, 1};
  }

  void all_at_once_equals_one_by_one() {
    QFETCH(QString, items);
    QFETCH(int, checked);
    QFETCH(QList<int>, expected);
    ov_playlist_fixture f;
    for (int i = 0; i < 6; ++i) f.add(QStringLiteral("t%1").arg(i));
    QVERIFY(f.playlists_db->exec_write(QStringLiteral(
        "INSERT INTO playlists (id, name, position) VALUES (1, 'one', 1), (2, 'two', 2), (3, 'three', 3);")));
    QVERIFY(f.items_db->exec_write(
        QStringLiteral("INSERT INTO playlist_items (id, playlist_id, library_id, number, position) VALUES ") + items +
        QLatin1Char(';')));
    QObject owner;
    const QList<ov_playlist*> all =
        ov_playlist_store::load_all(&f.library, f.playlists_db.get(), f.items_db.get(), &owner);
    QCOMPARE(all.size(), 4);
    for (ov_playlist* loaded : all) {
      const ov_playlist alone(&f.library, f.items_db.get(), loaded->id(), loaded->name(), loaded->position());
      QCOMPARE(entry_ids(*loaded), entry_ids(alone));
      QCOMPARE(loaded->highest_number(), alone.highest_number());
    }
    QCOMPARE(entry_ids(*all[checked]), expected);
  }
};

QTEST_GUILESS_MAIN(test_playlist_load)
#include "test_playlist_load.moc"
