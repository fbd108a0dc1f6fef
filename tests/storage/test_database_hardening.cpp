#include "ov_database.h"
#include "ov_log_capture.h"
#include "ov_schema.h"

#include <QtTest>

#include <sqlite3.h>

// A database file that is not ours stays untouched; ids never overflow;
// failed writes are logged with SQLite's own message.
class test_database_hardening : public QObject {
  Q_OBJECT

  static void run_sql(const QString& file, const char* sql) {
    sqlite3* db = nullptr;
    QVERIFY(sqlite3_open(QFile::encodeName(file).constData(), &db) == SQLITE_OK);
    QVERIFY2(sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK, sqlite3_errmsg(db));
    sqlite3_close(db);
  }
  static QByteArray bytes(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

private slots:
  void foreign_file_is_refused_unchanged_data() {
    QTest::addColumn<QByteArray>("sql");
    QTest::addColumn<bool>("ours");
    QTest::newRow("library table with other columns")
        << QByteArray("CREATE TABLE library(id integer, x text);") << false;
    QTest::newRow("a view named library")
        << QByteArray("CREATE TABLE t(a); CREATE VIEW library AS SELECT a AS id FROM t;") << false;
    QTest::newRow("only foreign tables") << QByteArray("CREATE TABLE songs(a); INSERT INTO songs VALUES (1);") << false;
    QTest::newRow("only our version table") << QByteArray("CREATE TABLE version (version integer);") << true;
  }
  void foreign_file_is_refused_unchanged() {
    QFETCH(QByteArray, sql);
    QFETCH(bool, ours);
    QTemporaryDir conf;
    const QString file = ov_database_path(conf.path(), QStringLiteral("library"));
    run_sql(file, sql.constData());
    const QByteArray before = bytes(file);
    const auto db = ov_open_database(conf.path(), QStringLiteral("library"));
    QCOMPARE(db->is_ok(), ours);
    if (ours) return;
    QCOMPARE(db->status_flags(), quint32(ov_database::foreign));
    QCOMPARE(db->error_messages(),
             QStringList{QStringLiteral("file ") + file + QStringLiteral(" holds other data than this program's.")});
    QCOMPARE(bytes(file), before);
  }

  // Ids stay ints; once the largest int is taken, new ids are the lowest
  // free ones.
  void ids_never_overflow_data() {
    QTest::addColumn<QList<qint64>>("stored");
    QTest::addColumn<QList<int>>("next");
    QTest::newRow("existing ids out of order") << QList<qint64>{1, 9, 5} << QList<int>{10, 11};
    QTest::newRow("largest int taken") << QList<qint64>{1, 2, 4, 2147483647} << QList<int>{3, 5, 6};
    QTest::newRow("64-bit id beside small ones") << QList<qint64>{1, 4294967297LL} << QList<int>{2, 3};
    QTest::newRow("only a 64-bit id") << QList<qint64>{1099511627776LL} << QList<int>{1, 2};
    QTest::newRow("below the largest") << QList<qint64>{2, 2147483646} << QList<int>{2147483647, 1, 3};
  }
  void ids_never_overflow() {
    QFETCH(QList<qint64>, stored);
    QFETCH(QList<int>, next);
    QTemporaryDir conf;
    {
      const auto db = ov_open_database(conf.path(), QStringLiteral("playlists"));
      for (const qint64 id : stored) {
        ov_statement st = db->prepare(QStringLiteral("INSERT INTO playlists (id, name) VALUES (?, 'p');"));
        QVERIFY(st.bind_int64(1, id));
        QVERIFY(st.write());
      }
    }
    const auto db = ov_open_database(conf.path(), QStringLiteral("playlists"));
    QCOMPARE(db->status_flags(), quint32(0));
    QVERIFY(db->information_messages().isEmpty());
    QList<int> drawn;
    for (qsizetype i = 0; i < next.size(); ++i) drawn << db->next_id();
    QCOMPARE(drawn, next);
  }

  void failed_write_is_logged_with_sqlite_message() {
    QTemporaryDir conf;
    ov_log_capture log;
    const auto db = ov_open_database(conf.path(), QStringLiteral("playlists"));
    QVERIFY(db->exec_write(QStringLiteral("INSERT INTO playlists (id, name) VALUES (1, 'a');")));
    QVERIFY(!db->exec_write(QStringLiteral("INSERT INTO playlists (id, name) VALUES (1, 'b');")));
    ov_statement bad = db->prepare(QStringLiteral("UPDATE nowhere SET x = 1;"));
    QVERIFY(!bad.write());
    const QStringList lines = log.lines();
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith(QStringLiteral("WARNING\tdatabase\tfailed to write: INSERT INTO playlists (id, name) "
                                                "VALUES (1, 'b');  error=UNIQUE constraint failed: playlists.id")),
             qPrintable(lines[0]));
    QVERIFY2(lines[1].contains(QStringLiteral("UPDATE nowhere SET x = 1;  error=no such table: nowhere")),
             qPrintable(lines[1]));
  }
};

QTEST_GUILESS_MAIN(test_database_hardening)
#include "test_database_hardening.moc"
