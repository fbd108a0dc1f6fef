// Loading with a score cache gives every track the values a full decipher
// of its stored field gives, whatever state the cache file is in.
#include "ov_database.h"
#include "ov_field_codec.h"
#include "ov_library.h"
#include "ov_log_capture.h"
#include "ov_schema.h"
#include "ov_score_cache.h"
#include "ov_test_mp3.h"

#include <QtTest>

namespace {

const QString seed = QStringLiteral("5c2d8e1f-0a4b-4c6d-9e7f-1a2b3c4d5e6f");
const QString other_seed = QStringLiteral("0f1e2d3c-4b5a-4968-8776-a5b4c3d2e1f0");
constexpr int row_count = 300;
// Rows 50, 100, ... store no score; rows 77, 154, 231 store text no key
// opens (rewritten as zeros by the first load). The rest decipher.
constexpr int readable_after_first_load = row_count - row_count / 50;

QString plain_of(int id) {
  // Row 7 holds a score above the largest one a track can reach.
  const qint64 score = id == 7 ? 123456789 : qint64(id) * 7919 % 99999999;
  return QStringLiteral("%1:%2:%3:%4:%5:%6:%7:%8")
      .arg(score)
      .arg(id % 5000)
      .arg(id % 31)
      .arg(id % 17)
      .arg(id % 13)
      .arg(id % 7)
      .arg(id % 5)
      .arg(id % 29);
}

QString path_of(int id) {
  return QStringLiteral("/music/a%1/t%2.mp3").arg(id % 7).arg(id);
}

enum class state {
  none,
  valid,
  zero_bytes,
  truncated,
  byte_changed,
  other_seed,
  other_library,
  rows_edited,
  id_reused,
  killed_with_old,
  killed_without_old,
  after_batch,
  unwritable,
};

}  // namespace

Q_DECLARE_METATYPE(state)

class test_score_cache : public QObject {
  Q_OBJECT

  QTemporaryDir files_;
  QString tone_;

  static void insert(ov_database& db, int id, const QString& path, const QString& s) {
    ov_statement st = db.prepare(
        QStringLiteral("INSERT INTO library (id, filepath, title, album, artist, track_no, length, timestamp_added, s) "
                       "VALUES (?, ?, 'title', 'album', 'artist', 1, 200, 1700000000, ?);"));
    st.bind_int(1, id);
    st.bind_text(2, path);
    st.bind_text(3, s);
    QVERIFY(st.step_done());
  }

  static void set_s(ov_database& db, int id, const QString& s) {
    QVERIFY(db.exec_write(QStringLiteral("UPDATE library SET s = '%1' WHERE id = %2;").arg(s).arg(id)));
  }

  static void build(ov_database& db, const QString& with_seed) {
    db.begin_bulk();
    for (int id = 1; id <= row_count; ++id) {
      QString s = encode_field(with_seed, plain_of(id), id);
      if (id % 50 == 0) s = QString();
      if (id % 77 == 0) s = QStringLiteral("01") + QString(96, QLatin1Char('7'));
      insert(db, id, path_of(id), s);
    }
    QVERIFY(db.end_bulk());
    db.set_id(row_count);
  }

  // The values of every row as deciphering its stored field gives them.
  struct deciphered {
    QHash<QString, ov_track::counters> values;
    int failures = 0;
  };
  static deciphered full_decipher(ov_database& db) {
    deciphered out;
    ov_statement st = db.prepare(QStringLiteral("SELECT id, filepath, s FROM library;"));
    while (st.step_row()) {
      const QString s = st.column_text(2);
      const QString plain = s.isEmpty() ? QString() : decode_field(seed, s, st.column_int(0));
      if (!s.isEmpty() && plain.isEmpty()) ++out.failures;
      ov_track t(st.column_int(0), 0, {});
      t.set_counters_text(plain);
      out.values.insert(st.column_text(1), t.all_counters());
    }
    return out;
  }

  static int load_and_store(ov_database& db, const QString& cache) {
    ov_group_map albums, artists;
    ov_library library(&db, &albums, &artists, seed, cache);
    library.store_score_cache();
    return library.cached_scores();
  }

  // A cache in the right form whose values are all wrong.
  static void forge(const QString& cache, const QString& with_seed, const QString& library) {
    std::vector<ov_score_cache::entry> entries;
    for (int id = 1; id <= row_count; ++id)
      entries.push_back({id, ov_score_cache::fingerprint(encode_field(seed, plain_of(id), id)), {42, 42, 42}});
    QVERIFY(ov_score_cache(std::move(entries)).write(cache, with_seed, library));
  }

  static void cut(const QString& file, qsizetype keep) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.resize(keep));
  }

private slots:
  void initTestCase() {
    tone_ = files_.filePath(QStringLiteral("tone.mp3"));
    QVERIFY(ov_test::make_tone_mp3(tone_));
  }

  void load_equals_full_decipher_data() {
    QTest::addColumn<state>("cache_state");
    QTest::addColumn<int>("cached");
    QTest::newRow("no cache") << state::none << 0;
    QTest::newRow("valid") << state::valid << readable_after_first_load;
    QTest::newRow("zero bytes") << state::zero_bytes << 0;
    QTest::newRow("truncated") << state::truncated << 0;
    QTest::newRow("one byte changed") << state::byte_changed << 0;
    QTest::newRow("other seed") << state::other_seed << 0;
    QTest::newRow("other library") << state::other_library << 0;
    QTest::newRow("rows edited behind it") << state::rows_edited << readable_after_first_load - 4;
    QTest::newRow("row deleted, id reused") << state::id_reused << readable_after_first_load - 1;
    QTest::newRow("killed mid-write, old cache") << state::killed_with_old << readable_after_first_load - 1;
    QTest::newRow("killed mid-write, no cache") << state::killed_without_old << 0;
    QTest::newRow("written after a batch") << state::after_batch << readable_after_first_load + 2;
    QTest::newRow("folder not writable") << state::unwritable << 0;
  }

  void load_equals_full_decipher() {
    QFETCH(state, cache_state);
    QFETCH(int, cached);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("conf")));
    std::unique_ptr<ov_database> db = ov_open_database(dir.filePath(QStringLiteral("conf")), QStringLiteral("library"));
    build(*db, seed);
    const QString cache = dir.filePath(QStringLiteral("cache/library_scores.bin"));
    const QString library = QFileInfo(db->path()).canonicalFilePath();

    switch (cache_state) {
      case state::none:
        break;
      case state::valid:
        QCOMPARE(load_and_store(*db, cache), 0);
        break;
      case state::zero_bytes:
        load_and_store(*db, cache);
        cut(cache, 0);
        break;
      case state::truncated:
        load_and_store(*db, cache);
        cut(cache, QFileInfo(cache).size() - 1);
        break;
      case state::byte_changed: {
        load_and_store(*db, cache);
        QFile f(cache);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 1);
        QVERIFY(f.seek(0));
        QCOMPARE(f.write(bytes), bytes.size());
        break;
      }
      case state::other_seed:
        forge(cache, other_seed, library);
        break;
      case state::other_library:
        forge(cache, seed, dir.filePath(QStringLiteral("elsewhere/library.db")));
        break;
      case state::rows_edited:
        load_and_store(*db, cache);
        set_s(*db, 5, encode_field(seed, QStringLiteral("900:1:2:3:4:5:6:7"), 5));
        set_s(*db, 6, QStringLiteral("01") + QString(96, QLatin1Char('3')));
        set_s(*db, 8, QString());
        set_s(*db, 9, encode_field(seed, plain_of(10), 10));  // another row's field
        break;
      case state::id_reused:
        load_and_store(*db, cache);
        QVERIFY(db->exec_write(QStringLiteral("DELETE FROM library WHERE id = 12;")));
        insert(*db, 12, QStringLiteral("/music/new.mp3"), encode_field(seed, QStringLiteral("5:6:7:8:9:10:11:12"), 12));
        break;
      case state::killed_with_old:
      case state::killed_without_old: {
        load_and_store(*db, cache);
        set_s(*db, 3, encode_field(seed, QStringLiteral("77:0:0:0:0:0:0:1"), 3));
        QFile whole(cache);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QFile stray(cache + QStringLiteral(".a1B2c3"));
        QVERIFY(stray.open(QIODevice::WriteOnly));
        stray.write(whole.read(whole.size() / 2));
        if (cache_state == state::killed_without_old) QVERIFY(QFile::remove(cache));
        break;
      }
      case state::after_batch: {
        ov_group_map albums, artists;
        ov_library first(db.get(), &albums, &artists, seed, cache);
        QStringList added;
        for (const QString& name : {QStringLiteral("x.mp3"), QStringLiteral("y.mp3")}) {
          added << files_.filePath(name);
          QVERIFY(QFile::copy(tone_, added.last()));
          QVERIFY(QFile::setPermissions(added.last(), QFile::ReadOwner | QFile::WriteOwner));
          QVERIFY(ov_test::set_tags(added.last(), name, QString(), QString()));
        }
        first.add_music_files(added, 1700000000);
        QCOMPARE(first.paths().size(), row_count + 2);
        break;  // the library waits for the write as it goes
      }
      case state::unwritable: {
        QFile blocker(dir.filePath(QStringLiteral("cache")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        ov_log_capture log;
        load_and_store(*db, cache);
        QVERIFY(log.lines().last().startsWith(QStringLiteral("INFO\tscore cache\tcould not write the cache")));
        break;
      }
    }

    const deciphered expected = full_decipher(*db);
    ov_group_map albums, artists;
    ov_library loaded(db.get(), &albums, &artists, seed, cache);
    QCOMPARE(loaded.cached_scores(), cached);
    QCOMPARE(loaded.score_failures(), expected.failures);
    QCOMPARE(loaded.paths().size(), expected.values.size());
    for (auto it = expected.values.cbegin(); it != expected.values.cend(); ++it) {
      const ov_track* t = loaded.track_by_path(it.key());
      QVERIFY2(t, qPrintable(it.key()));
      QVERIFY2(t->all_counters() == it.value(), qPrintable(it.key()));
    }
  }
};

QTEST_GUILESS_MAIN(test_score_cache)
#include "test_score_cache.moc"
