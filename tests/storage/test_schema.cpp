#include "ov_schema.h"

#include <QtTest>

namespace {

const QStringList tables = {QStringLiteral("library"), QStringLiteral("playlists"), QStringLiteral("playlist_items"),
                            QStringLiteral("presets"), QStringLiteral("favorite_engine")};

QStringList column_texts(ov_database* db, const QString& sql) {
  QStringList out;
  ov_statement st = db->prepare(sql);
  while (st.step_row()) out << st.column_text(0);
  return out;
}
QList<int> versions(ov_database* db) {
  QList<int> out;
  ov_statement st = db->prepare(QStringLiteral("SELECT version FROM version;"));
  while (st.step_row()) out << st.column_int(0);
  return out;
}

}  // namespace

class test_schema : public QObject {
  Q_OBJECT

private slots:
  // The files an empty configuration directory gets: their columns (as
  // "name type"), unique indexes and version row.
  void empty_conf_gets_five_files_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QStringList>("indexes");
    QTest::newRow("library") << 0
                             << "id integer|filepath text|title text|album text|artist text|track_no integer|"
                                "length integer|timestamp_added integer|s text"
                             << QStringList{"idx_filepath", "idx_id"};
    QTest::newRow("playlists") << 1 << "id integer|name text|position integer" << QStringList{"idx_id"};
    QTest::newRow("playlist_items") << 2
                                    << "id integer|playlist_id integer|library_id integer|number integer|"
                                       "position integer"
                                    << QStringList{"idx_id"};
    QTest::newRow("presets") << 3
                             << "id integer|name text|position integer|fi_smin real|fi_smax real|fl_smin real|"
                                "fl_smax real|fo_smin real|fo_smax real|sp_smin real|sp_smax real|fl_rmin integer|"
                                "fl_rmax integer|sp_rmin integer|sp_rmax integer|fl_senabled integer|"
                                "sp_senabled integer|adjust_fade_length_enabled integer|"
                                "no_fade_on_begin_end_enabled integer|longer_on_high_scored_ones_enabled integer"
                             << QStringList{"idx_id"};
    QTest::newRow("favorite_engine") << 4 << "id integer|d1 text|d2 text|d3 text" << QStringList{"idx_id"};
  }
  void empty_conf_gets_five_files() {
    QFETCH(int, index);
    QFETCH(QString, columns);
    QFETCH(QStringList, indexes);
    QTemporaryDir dir;
    const QString conf = dir.filePath(QStringLiteral("conf"));
    ov_databases dbs = ov_open_databases(conf);
    const QList<ov_database*> all = dbs.in_order();
    QCOMPARE(all.size(), 5);
    ov_database* db = all[index];
    QVERIFY(db && db->is_ok());
    const QString& table = tables[index];
    QCOMPARE(db->table(), table);
    QCOMPARE(db->path(), conf + QLatin1Char('/') + table + QStringLiteral(".db"));
    QVERIFY(QFileInfo(db->path()).isFile());
    QCOMPARE(db->status_flags(), quint32(ov_database::not_existed | ov_database::created));
    QCOMPARE(
        column_texts(db, QStringLiteral("SELECT name || ' ' || lower(type) FROM pragma_table_info('%1');").arg(table))
            .join('|'),
        columns);
    QCOMPARE(column_texts(db, QStringLiteral("SELECT name FROM pragma_index_list('%1') WHERE \"unique\" "
                                             "ORDER BY name;")
                                  .arg(table)),
             indexes);
    QCOMPARE(versions(db), QList<int>{1});
    // The unique indexes hold: ids, and the library's paths (case counts).
    const QString insert = QStringLiteral("INSERT INTO %1 (id) VALUES (%2);").arg(table);
    QVERIFY(db->exec(insert.arg(1)));
    QVERIFY(!db->exec(insert.arg(1)));
    if (index == 0) {
      QVERIFY(db->exec(QStringLiteral("INSERT INTO library (id, filepath) VALUES (3, '/a.mp3');")));
      QVERIFY(!db->exec(QStringLiteral("INSERT INTO library (id, filepath) VALUES (4, '/a.mp3');")));
      QVERIFY(db->exec(QStringLiteral("INSERT INTO library (id, filepath) VALUES (4, '/A.mp3');")));
    }
  }

  void deleting_one_file_recreates_only_it() {
    QTemporaryDir dir;
    {
      ov_databases dbs = ov_open_databases(dir.path());
      for (ov_database* db : dbs.in_order())
        QVERIFY(db->exec(QStringLiteral("INSERT INTO %1 (id) VALUES (7);").arg(db->table())));
    }
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("presets.db"))));
    ov_databases dbs = ov_open_databases(dir.path());
    for (ov_database* db : dbs.in_order()) {
      const bool fresh = db->table() == QLatin1String("presets");
      QVERIFY(db->is_ok());
      QCOMPARE(db->status_flags(), fresh ? quint32(10) : quint32(0));
      QCOMPARE(db->next_id(), fresh ? 1 : 8);
      QCOMPARE(versions(db), QList<int>{1});
    }
  }

  void missing_table_reruns_all_statements() {
    QTemporaryDir dir;
    {
      ov_databases dbs = ov_open_databases(dir.path());
      QVERIFY(dbs.playlists->exec(QStringLiteral("DROP TABLE playlists;")));
    }
    ov_databases dbs = ov_open_databases(dir.path());
    QVERIFY(dbs.playlists->is_ok());
    QCOMPARE(dbs.playlists->status_flags(), quint32(0));
    // The version table was there already: its creation fails, the insert adds a row.
    QCOMPARE(versions(dbs.playlists.get()), QList<int>({1, 1}));
  }

  void unusable_conf_or_file() {
    QTemporaryDir dir;
    const QString conf = dir.filePath(QStringLiteral("conf"));
    QFile f(conf);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    {
      ov_databases none = ov_open_databases(conf);
      for (ov_database* db : none.in_order()) QVERIFY(!db);
    }
    // One unusable file leaves the others usable.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("library.db")));
    ov_databases dbs = ov_open_databases(dir.path());
    QVERIFY(!dbs.library->is_ok());
    QVERIFY(dbs.favorite_engine->is_ok());
  }
};

QTEST_GUILESS_MAIN(test_schema)
#include "test_schema.moc"
