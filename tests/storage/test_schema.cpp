#include "ov_schema.h"

#include <QtTest>

namespace {

const QStringList tables = {QStringLiteral("library"), QStringLiteral("playlists"), QStringLiteral("playlist_items"),
                            QStringLiteral("presets"), QStringLiteral("favorite_engine")};

// Every "sql" text of sqlite_master, by object name.
QMap<QString, QString> master(ov_database* db) {
  QMap<QString, QString> out;
  ov_statement st = db->prepare(QStringLiteral("SELECT name, sql FROM sqlite_master;"));
  while (st.step_row()) out.insert(st.column_text(0), st.column_text(1));
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
  void creation_statements_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("expected");
    const QString idx = QStringLiteral("CREATE UNIQUE INDEX idx_id on %1(id);");
    const QString ver = QStringLiteral("CREATE TABLE version (version integer);");
    const QString ins = QStringLiteral("INSERT INTO version (version)  VALUES (1);");
    QTest::newRow("library") << "library"
                             << QStringList{
                                    "CREATE TABLE library(id integer,  filepath text,  title text,  album text,  "
                                    "artist text,  track_no integer,  length integer,  timestamp_added integer,  "
                                    "s text);",
                                    idx.arg("library"), "CREATE UNIQUE INDEX idx_filepath on library (filepath);",
                                    ver, ins};
    QTest::newRow("playlists") << "playlists"
                               << QStringList{"CREATE TABLE playlists(id integer,  name text,  position integer);",
                                              idx.arg("playlists"), ver, ins};
    QTest::newRow("playlist_items")
        << "playlist_items"
        << QStringList{"CREATE TABLE playlist_items(id integer,  playlist_id integer,  library_id integer,  "
                       "number integer,  position integer);",
                       idx.arg("playlist_items"), ver, ins};
    QTest::newRow("presets")
        << "presets"
        << QStringList{"CREATE TABLE presets(id integer,  name text,  position integer,  fi_smin real,  "
                       "fi_smax real,  fl_smin real,  fl_smax real,  fo_smin real,  fo_smax real,  sp_smin real,  "
                       "sp_smax real,  fl_rmin integer,  fl_rmax integer,  sp_rmin integer,  sp_rmax integer,  "
                       "fl_senabled integer,  sp_senabled integer,  adjust_fade_length_enabled integer,  "
                       "no_fade_on_begin_end_enabled integer,  longer_on_high_scored_ones_enabled integer);",
                       idx.arg("presets"), ver, ins};
    QTest::newRow("favorite_engine")
        << "favorite_engine"
        << QStringList{"CREATE TABLE favorite_engine(id integer,  d1 text,  d2 text,  d3 text);",
                       idx.arg("favorite_engine"), ver, ins};
  }
  void creation_statements() {
    QFETCH(QString, table);
    QFETCH(QStringList, expected);
    QCOMPARE(ov_creation_statements(table), expected);
  }

  void empty_conf_gets_five_files() {
    QTemporaryDir dir;
    const QString conf = dir.filePath(QStringLiteral("conf"));
    ov_databases dbs = ov_open_databases(conf);
    QVERIFY(QFileInfo(conf).isDir());
    const QList<ov_database*> all = dbs.in_order();
    QCOMPARE(all.size(), 5);
    for (int i = 0; i < 5; ++i) {
      ov_database* db = all[i];
      QVERIFY(db);
      QCOMPARE(db->table(), tables[i]);
      QCOMPARE(db->path(), conf + QLatin1Char('/') + tables[i] + QStringLiteral(".db"));
      QVERIFY(QFileInfo(db->path()).isFile());
      QVERIFY(db->is_ok());
      QCOMPARE(db->status_flags(), quint32(10));
      const QMap<QString, QString> m = master(db);
      QCOMPARE(m.value(tables[i]), ov_creation_statements(tables[i]).first().chopped(1));
      QVERIFY(m.contains(QStringLiteral("idx_id")));
      QCOMPARE(m.contains(QStringLiteral("idx_filepath")), i == 0);
      QCOMPARE(versions(db), QList<int>{1});
      QCOMPARE(db->next_id(), 1);
    }
  }

  void unique_indexes_data() {
    QTest::addColumn<QString>("table");
    for (const QString& t : tables) QTest::newRow(qPrintable(t)) << t;
  }
  void unique_indexes() {
    QFETCH(QString, table);
    QTemporaryDir dir;
    ov_databases dbs = ov_open_databases(dir.path());
    ov_database* db = dbs.in_order()[tables.indexOf(table)];
    const QString insert = QStringLiteral("INSERT INTO %1 (id) VALUES (%2);").arg(table);
    QVERIFY(db->exec(insert.arg(1)));
    QVERIFY(!db->exec(insert.arg(1)));
    QVERIFY(db->exec(insert.arg(2)));
    if (table == QLatin1String("library")) {
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

  void conf_that_is_a_file_gives_no_handles() {
    QTemporaryDir dir;
    const QString conf = dir.filePath(QStringLiteral("conf"));
    QFile f(conf);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    ov_databases dbs = ov_open_databases(conf);
    for (ov_database* db : dbs.in_order()) QVERIFY(!db);
  }

  void library_db_as_directory_is_fatal() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("library.db")));
    ov_databases dbs = ov_open_databases(dir.path());
    QVERIFY(!dbs.library->is_ok());
    QCOMPARE(dbs.library->error_messages(),
             QStringList{QStringLiteral("file ") + dir.filePath(QStringLiteral("library.db")) +
                         QStringLiteral(" is not a regular file.")});
    QVERIFY(dbs.favorite_engine->is_ok());
  }
};

QTEST_GUILESS_MAIN(test_schema)
#include "test_schema.moc"
