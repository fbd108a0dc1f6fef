#include "ov_database.h"
#include "ov_log_capture.h"
#include "ov_medley_preset_store.h"
#include "ov_schema.h"
#include "ov_statement.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class test_medley_presets : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::unique_ptr<ov_database> open() { return ov_open_database(dir_.path(), QStringLiteral("presets")); }
  QList<QPair<int, int>> stored_id_positions(ov_database& db) {
    QList<QPair<int, int>> rows;
    ov_statement s = db.prepare(QStringLiteral("SELECT id, position FROM presets ORDER BY position;"));
    while (s.step_row()) rows << qMakePair(s.column_int(0), s.column_int(1));
    return rows;
  }

private slots:
  void init() { QFile::remove(ov_database_path(dir_.path(), QStringLiteral("presets"))); }

  void empty_table_gives_the_six_built_ins_and_writes_them() {
    const QStringList names = {"Default", "Long", "Short", "Sabi Medley", "Game Soundtrack", "Random Half"};
    {
      auto db = open();
      const auto first = ov_medley_preset_store(db.get()).load();
      QVERIFY(first.defaults_loaded);
      QStringList got;
      for (const auto& p : first.presets) got << p.name;
      QCOMPARE(got, names);
      QCOMPARE(db->next_id(), 7);
    }
    auto db = open();
    const auto second = ov_medley_preset_store(db.get()).load();
    QVERIFY(!second.defaults_loaded);
    QCOMPARE(second.presets, ov_medley_preset::built_in());
    QCOMPARE(second.presets[2].values().flatline_max, 20000);
    QVERIFY(!second.presets[1].fl_senabled && second.presets[2].adjust_fade_length_enabled);
  }

  void id_zero_loads_as_default_and_ids_continue_after_the_largest() {
    auto db = open();
    ov_medley_preset_store store(db.get());
    ov_medley_preset renamed;
    renamed.name = QStringLiteral("X");
    ov_medley_preset later;
    later.id = 9;
    later.name = QStringLiteral("Mine");
    later.position = 1;
    QVERIFY(store.insert(later));
    QVERIFY(store.insert(renamed));
    const auto loaded = store.load();
    QVERIFY(!loaded.defaults_loaded);
    QCOMPARE(loaded.presets.size(), 2);
    QCOMPARE(loaded.presets[0].name, QStringLiteral("Default"));
    QCOMPARE(loaded.presets[1].name, QStringLiteral("Mine"));
    QCOMPARE(db->next_id(), 10);
  }

  void save_deletes_removed_and_stores_list_positions() {
    auto db = open();
    ov_medley_preset_store store(db.get());
    QList<ov_medley_preset> list = store.load().presets;
    list.move(4, 1);
    list.removeAt(4);  // "Sabi Medley", id 3
    QVERIFY(store.save(list, {3}));
    const QList<QPair<int, int>> expected = {{0, 0}, {4, 1}, {1, 2}, {2, 3}, {5, 4}};
    QCOMPARE(stored_id_positions(*db), expected);
    QCOMPARE(store.load().presets, list);
  }

  void without_database_the_built_ins_stand_in() {
    const auto loaded = ov_medley_preset_store(nullptr).load();
    QVERIFY(loaded.defaults_loaded);
    QCOMPARE(loaded.presets.size(), 6);
    QList<ov_medley_preset> list = loaded.presets;
    QVERIFY(!ov_medley_preset_store(nullptr).save(list, {}));
  }

  void seconds_become_tenths_rounded_half_away_from_zero_data() {
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("ms");
    QTest::newRow("whole") << 7.0 << 7000;
    QTest::newRow("tenth") << 2.5 << 2500;
    QTest::newRow("half up") << 0.25 << 300;
    QTest::newRow("below half") << 12.34 << 12300;
    QTest::newRow("tiny") << 0.04 << 0;
    QTest::newRow("negative half") << -0.25 << -300;
  }
  void seconds_become_tenths_rounded_half_away_from_zero() {
    QFETCH(double, seconds);
    QFETCH(int, ms);
    QCOMPARE(ov_medley_seconds_to_ms(seconds), ms);
  }

  void writes_are_logged_with_the_description() {
    ov_log_capture log(true);
    auto db = open();
    ov_medley_preset_store store(db.get());
    QList<ov_medley_preset> list = store.load().presets;
    QVERIFY(store.save(list, {42}));
    const QString text = log.messages().join('\n');
    QVERIFY(text.contains("preset inserted: ovgp_medley_preset:  id= 3,  name= Sabi Medley,  position= 3"));
    QVERIFY(text.contains("preset inserted or replaced: ovgp_medley_preset:  id= 5,  name= Random Half,  position= 5"));
    QVERIFY(text.contains("preset deleted id= 42"));
  }

  void failed_write_is_reported_by_the_database_and_the_store() {
    auto db = open();
    ov_medley_preset_store store(db.get());
    QVERIFY(db->exec(QStringLiteral("DROP TABLE presets;")));
    ov_log_capture log;
    QVERIFY(!store.remove(42));
    const QStringList lines = log.lines();
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith("WARNING\tdatabase\tfailed to write: DELETE FROM presets  WHERE  id = ?;"),
             qPrintable(lines[0]));
    QCOMPARE(lines[1], QStringLiteral("WARNING\tmainwindow\tpreset delete failed id= 42"));
  }
};

QTEST_GUILESS_MAIN(test_medley_presets)
#include "test_medley_presets.moc"
