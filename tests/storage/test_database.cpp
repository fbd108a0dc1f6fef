#include "ov_database.h"
#include "ov_id_counter.h"
#include "ov_schema.h"

#include <QtTest>

#include <algorithm>
#include <thread>
#include <vector>

class test_database : public QObject {
  Q_OBJECT

private slots:
  // The path as found: the flags, the messages and what the handle still does.
  void opening_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<quint32>("flags");
    QTest::addColumn<QString>("message");  // %1 is the path
    QTest::newRow("new file") << "new" << quint32(ov_database::not_existed | ov_database::created)
                              << "file %1 didn't exist.|created a new file.";
    QTest::newRow("directory") << "dir" << quint32(ov_database::not_regular) << "file %1 is not a regular file.";
    QTest::newRow("read-only file") << "readonly" << quint32(ov_database::not_writable) << "file %1 is not writable.";
    QTest::newRow("not a database") << "garbage" << quint32(ov_database::unknown_error)
                                    << "unknown error on opening a file %1";
    QTest::newRow("missing directory") << "missing/" << quint32(ov_database::not_existed | ov_database::open_failed)
                                       << "failed to open a file %1";
  }
  void opening() {
    QFETCH(QString, kind);
    QFETCH(quint32, flags);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(kind == QLatin1String("missing/") ? "missing/library.db" : "library.db");
    if (kind == QLatin1String("dir")) {
      QVERIFY(QDir().mkdir(path));
    } else if (kind == QLatin1String("readonly") || kind == QLatin1String("garbage")) {
      QFile f(path);
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(QByteArray(4096, 'x'));
      f.close();
      if (kind == QLatin1String("readonly")) {
        QVERIFY(f.setPermissions(QFile::ReadOwner));
        if (QFileInfo(path).isWritable()) QSKIP("running with rights that ignore file permissions");
      }
    }
    ov_database db(path, ov_creation_statements(QStringLiteral("library")), QStringLiteral("library"));
    QCOMPARE(db.status_flags(), flags);
    const QStringList messages = message.arg(path).split('|');
    const bool ok = kind == QLatin1String("new");
    QCOMPARE(db.is_ok(), ok);
    QCOMPARE(ok ? db.information_messages() : db.error_messages(), messages);
    QCOMPARE(db.table_exists(), ok);
    if (ok) {
      QVERIFY(db.error_messages().isEmpty());
      QCOMPARE(db.next_id(), 1);
      QCOMPARE(db.next_id(), 2);
    } else {
      QVERIFY(!db.prepare(QStringLiteral("SELECT 1;")) || flags == ov_database::unknown_error);
      QCOMPARE(db.max_id(), 0);
    }
  }

  void statements() {
    QTemporaryDir dir;
    ov_database db(dir.filePath(QStringLiteral("p.db")), ov_creation_statements(QStringLiteral("presets")),
                   QStringLiteral("presets"));
    QVERIFY(db.is_ok());
    QVERIFY(!db.prepare(QStringLiteral("SELECT nonsense FROM nowhere;")));
    ov_statement null_statement;
    QVERIFY(!null_statement.step_done());
    QVERIFY(!null_statement.step_row());
    QVERIFY(!null_statement.bind_int(1, 1));
    QCOMPARE(null_statement.column_text(0), QString(""));
    QVERIFY(!db.exec(QStringLiteral("not sql")));

    QVERIFY(db.exec(QStringLiteral("INSERT INTO presets (id, name, fi_smin, fl_senabled) VALUES (3, NULL, 1.5, 1);")));
    ov_statement st = db.prepare(QStringLiteral("SELECT id, name, fi_smin, fl_senabled, position FROM presets;"));
    QVERIFY(st.step_row());
    QCOMPARE(st.column_int(0), 3);
    QVERIFY(!st.column_text(1).isNull());
    QVERIFY(st.column_text(1).isEmpty());
    QCOMPARE(st.column_double(2), 1.5);
    QCOMPARE(st.column_int(3), 1);
    QCOMPARE(st.column_int(4), 0);
    QVERIFY(!st.step_row());

    // Binding a temporary text is safe: the statement keeps its own copy.
    ov_statement ins = db.prepare(QStringLiteral("INSERT INTO presets (id, name, fl_senabled) VALUES (?, ?, ?);"));
    QVERIFY(ins.bind_int(1, 4));
    QVERIFY(ins.bind_text(2, QStringLiteral("preset ") + QString::number(4) + QStringLiteral(" \u30d7\u30ea")));
    QVERIFY(ins.bind_bool(3, true));
    QVERIFY(ins.step_done());
    ov_statement sel = db.prepare(QStringLiteral("SELECT name, fl_senabled FROM presets WHERE id = 4;"));
    QVERIFY(sel.step_row());
    QCOMPARE(sel.column_text(0), QStringLiteral("preset 4 \u30d7\u30ea"));
    QCOMPARE(sel.column_int(1), 1);
  }

  void bulk_transaction() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("playlists.db"));
    ov_database db(path, ov_creation_statements(QStringLiteral("playlists")), QStringLiteral("playlists"));
    db.begin_bulk();
    for (int i = 0; i < 100; ++i)
      QVERIFY(db.exec(
          QStringLiteral("INSERT INTO playlists (id, name, position) VALUES (%1, 'p', %1);").arg(db.next_id())));
    db.end_bulk();
    // The connection is back at full synchronous writing after the batch.
    ov_statement level = db.prepare(QStringLiteral("PRAGMA synchronous;"));
    QVERIFY(level.step_row());
    QCOMPARE(level.column_int(0), 2);
    ov_database again(path, ov_creation_statements(QStringLiteral("playlists")), QStringLiteral("playlists"));
    QCOMPARE(again.max_id(), 100);
  }

  void id_counter_from_many_threads() {
    ov_id_counter counter(6);  // 6 used last
    std::vector<std::vector<int>> drawn(4);
    std::vector<std::thread> threads;
    for (auto& mine : drawn)
      threads.emplace_back([&counter, &mine] {
        for (int i = 0; i < 1000; ++i) mine.push_back(counter.next());
      });
    for (std::thread& t : threads) t.join();
    std::vector<int> all;
    for (const auto& mine : drawn) all.insert(all.end(), mine.begin(), mine.end());
    std::sort(all.begin(), all.end());
    for (size_t i = 0; i < all.size(); ++i) QCOMPARE(all[i], 7 + int(i));
  }
};

QTEST_GUILESS_MAIN(test_database)
#include "test_database.moc"
