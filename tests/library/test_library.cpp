#include "ov_database.h"
#include "ov_field_codec.h"
#include "ov_library.h"
#include "ov_log_capture.h"
#include "ov_schema.h"
#include "ov_test_env.h"
#include "ov_test_mp3.h"

#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

#include <sqlite3.h>

namespace {

const QString seed = QStringLiteral("6b1e2c4f-93a0-4d57-8e21-0c9f7d3a5b64");

struct stored {
  int id;
  QString filepath;
  QString s;
};

}  // namespace

class test_library : public QObject {
  Q_OBJECT

  QTemporaryDir files_;
  QString tone_;

  // A tagged copy of the generated tone at dir/name.
  QString make_file(const QString& dir, const QString& name, const QString& title, const QString& album,
                    const QString& artist, unsigned track = 0) {
    QDir().mkpath(files_.filePath(dir));
    const QString path = files_.filePath(dir + QLatin1Char('/') + name);
    QFile::remove(path);
    if (!QFile::copy(tone_, path)) return QString();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (!ov_test::set_tags(path, title, album, artist, track)) return QString();
    return path;
  }

  static std::unique_ptr<ov_database> open_db(const QString& dir) {
    return ov_open_database(dir, QStringLiteral("library"));
  }

  static QList<stored> rows(ov_database* db) {
    QList<stored> out;
    ov_statement st = db->prepare(QStringLiteral("SELECT id, filepath, s FROM library ORDER BY id;"));
    while (st.step_row()) out << stored{st.column_int(0), st.column_text(1), st.column_text(2)};
    return out;
  }

  static void insert_row(ov_database* db, int id, const QString& path, const QString& s, const QString& album = {},
                         const QString& artist = {}) {
    ov_statement st = db->prepare(
        QStringLiteral("INSERT INTO library (id, filepath, title, album, artist, track_no, length, timestamp_added, s) "
                       "VALUES (?, ?, 'title', ?, ?, 3, 200, 1700000000, ?);"));
    st.bind_int(1, id);
    st.bind_text(2, path);
    st.bind_text(3, album);
    st.bind_text(4, artist);
    if (!s.isNull()) st.bind_text(5, s);
    QVERIFY(st.step_done());
  }

private slots:
  void initTestCase() {
    tone_ = files_.filePath(QStringLiteral("tone.mp3"));
    QVERIFY(ov_test::make_tone_mp3(tone_, {.seconds = 2.5}));
  }

  void add_reload_round_trip() {
    QTemporaryDir conf;
    const QString a = make_file("rt", "a.mp3", "Song A", "Album", "Artist", 1);
    const QString b = make_file("rt", "b.mp3", "Song B", "", "", 2);
    QStringList expected_paths{a, b};
    {
      auto db = open_db(conf.path());
      ov_group_map albums, artists;
      ov_library lib(db.get(), &albums, &artists, seed);
      QCOMPARE(lib.paths().size(), 0);
      lib.add_music_file(a, 1700000001);
      lib.add_music_file(b, 1700000002);
      lib.add_music_file(a, 1700000003);  // known path: nothing happens
      QCOMPARE(lib.paths(), expected_paths);

      const QList<stored> r = rows(db.get());
      QCOMPARE(r.size(), 2);
      QCOMPARE(r[0].id, 1);
      QCOMPARE(r[1].id, 2);
      QCOMPARE(decode_field(seed, r[0].s, 1), QStringLiteral("0:0:0:0:0:0:0:0"));

      ov_track* ta = lib.track_by_path(a);
      QVERIFY(ta && !ta->is_dirty());
      QCOMPARE(lib.track_by_id(1), ta);
      QVERIFY(lib.contains(ta));
      ta->add_score(1234);
      for (auto bump : {&ov_track::increment_played, &ov_track::increment_played, &ov_track::increment_count_n,
                        &ov_track::increment_count_s, &ov_track::increment_count_ns, &ov_track::increment_count_l,
                        &ov_track::increment_count_dl, &ov_track::increment_count_t})
        (ta->*bump)();
      lib.write_score(ta);
      QVERIFY(!ta->is_dirty());
      lib.track_by_path(b)->add_score(-5);
      lib.track_by_path(b)->increment_count_t();
      lib.write_all_scores();
      QVERIFY(!lib.track_by_path(b)->is_dirty());
    }
    auto db = open_db(conf.path());
    QCOMPARE(db->next_id(), 3);
    ov_group_map albums, artists;
    ov_log_capture log;
    ov_library lib(db.get(), &albums, &artists, seed);
    QCOMPARE(lib.score_failures(), 0);
    QVERIFY(log.lines().isEmpty());
    QCOMPARE(lib.paths(), expected_paths);
    const ov_track* ta = lib.track_by_id(1);
    QVERIFY(ta);
    QCOMPARE(ta->counters_text(), QStringLiteral("1234:2:1:1:1:1:1:1"));
    QCOMPARE(ta->timestamp_added(), 1700000001);
    QCOMPARE((QStringList{ta->tags().title(), ta->tags().album(), ta->tags().artist()}),
             (QStringList{"Song A", "Album", "Artist"}));
    QCOMPARE(ta->tags().track_number(), 1u);
    QCOMPARE(ta->tags().length(), 2);
    QVERIFY(!ta->is_dirty());
    QCOMPARE(lib.track_by_id(2)->counters_text(), QStringLiteral("0:0:0:0:0:0:0:1"));
    QVERIFY(ta->album_group() && ta->artist_group());
    QVERIFY(!lib.track_by_id(2)->album_group() && !lib.track_by_id(2)->artist_group());
  }

  void load_counts_and_rewrites_unreadable_scores() {
    QTemporaryDir conf;
    auto db = open_db(conf.path());
    // Inserted out of id order: loading goes by id.
    insert_row(db.get(), 9, "/m/nine.mp3", encode_field(seed, "7:0:0:0:0:0:0:0", 9));
    insert_row(db.get(), 2, "/m/two.mp3", QStringLiteral("01deadbeefdeadbeef"));
    insert_row(db.get(), 5, "/m/five.mp3", QString());                      // NULL
    insert_row(db.get(), 6, "/m/six.mp3", QStringLiteral(""));              // empty
    insert_row(db.get(), 7, "/m/seven.mp3", encode_field(seed, "3:1", 8));  // another row's key
    insert_row(db.get(), 8, "/m/eight.mp3", encode_field(seed, "12:x:3", 8));
    insert_row(db.get(), 11, "/m/eleven.mp3",
               encode_field(QStringLiteral("00000000-0000-0000-0000-000000000000"), "1:1:1:1:1:1:1:1", 11));

    ov_group_map albums, artists;
    ov_log_capture log;
    ov_library lib(db.get(), &albums, &artists, seed);
    QCOMPARE(lib.paths(), QStringList({"/m/two.mp3", "/m/five.mp3", "/m/six.mp3", "/m/seven.mp3", "/m/eight.mp3",
                                       "/m/nine.mp3", "/m/eleven.mp3"}));
    QCOMPARE(lib.score_failures(), 3);
    const QString prefix =
        QStringLiteral("WARNING\tloading libary data\tfailed to load score data, they has been filled with 0.  file=");
    QCOMPARE(log.lines(), QStringList({prefix + "/m/two.mp3", prefix + "/m/seven.mp3", prefix + "/m/eleven.mp3"}));

    QCOMPARE(lib.track_by_id(9)->score(), 7);
    QCOMPARE(lib.track_by_id(8)->counters_text(), QStringLiteral("12:0:3:0:0:0:0:0"));
    for (int id : {2, 5, 6, 7, 11}) {
      QCOMPARE(lib.track_by_id(id)->counters_text(), QStringLiteral("0:0:0:0:0:0:0:0"));
      QVERIFY(!lib.track_by_id(id)->is_dirty());
    }
    // Failed rows were written again, readable now; empty ones were left alone.
    for (const stored& r : rows(db.get())) {
      if (r.id == 5 || r.id == 6)
        QVERIFY(r.s.isEmpty());
      else
        QVERIFY2(!decode_field(seed, r.s, r.id).isEmpty(), qPrintable(r.filepath));
    }
    ov_library again(db.get(), &albums, &artists, seed);
    QCOMPARE(again.score_failures(), 0);

    // A lost seed: every stored field fails once and is rewritten under the new one.
    const QString other = QStringLiteral("11111111-2222-3333-4444-555555555555");
    ov_library lost(db.get(), &albums, &artists, other);
    QCOMPARE(lost.score_failures(), 5);
    ov_library after(db.get(), &albums, &artists, other);
    QCOMPARE(after.score_failures(), 0);
    QCOMPARE(after.track_by_id(9)->score(), 0);
  }

  void groups_and_removal() {
    QTemporaryDir conf;
    auto db = open_db(conf.path());
    insert_row(db.get(), 1, "/d1/a.mp3", QString(), "Album", "Artist");
    insert_row(db.get(), 2, "/d1/b.mp3", QString(), "Album", "Artist");
    insert_row(db.get(), 3, "/d2/c.mp3", QString(), "Album", "Other");
    insert_row(db.get(), 4, "/d2/d.mp3", QString(), "", "");
    ov_group_map albums, artists;
    ov_library lib(db.get(), &albums, &artists, seed);
    QCOMPARE(albums.size(), size_t(2));
    QCOMPARE(artists.size(), size_t(2));
    ov_track_group* d1 = albums.at(QStringLiteral("Album|_|_|_|/d1")).get();
    ov_track_group* d2 = albums.at(QStringLiteral("Album|_|_|_|/d2")).get();
    QCOMPARE(d1->name, QStringLiteral("Album"));
    QCOMPARE(d1->directory, QStringLiteral("/d1"));
    QCOMPARE(d1->tracks, QList<ov_track*>({lib.track_by_id(1), lib.track_by_id(2)}));
    QCOMPARE(d2->tracks, QList<ov_track*>({lib.track_by_id(3)}));
    QCOMPARE(artists.at(QStringLiteral("Artist"))->tracks.size(), 2);
    QCOMPARE(lib.track_by_id(1)->album_group(), d1);
    QVERIFY(!lib.track_by_id(4)->album_group());
    QVERIFY(!lib.track_by_id(4)->artist_group());

    QVERIFY(!lib.remove_track(QStringLiteral("/nowhere.mp3")));
    std::unique_ptr<ov_track> removed = lib.remove_track(QStringLiteral("/d1/a.mp3"));
    QVERIFY(removed);
    QCOMPARE(removed->id(), 1);
    QVERIFY(!lib.contains(removed.get()));
    QVERIFY(!lib.contains_path(QStringLiteral("/d1/a.mp3")));
    QVERIFY(!lib.track_by_id(1));
    QCOMPARE(lib.paths(), QStringList({"/d1/b.mp3", "/d2/c.mp3", "/d2/d.mp3"}));
    QCOMPARE(d1->tracks, QList<ov_track*>({lib.track_by_id(2)}));
    QCOMPARE(artists.at(QStringLiteral("Artist"))->tracks, QList<ov_track*>({lib.track_by_id(2)}));
    QCOMPARE(rows(db.get()).size(), 3);
    // Scores of a removed track are no longer written.
    removed->add_score(5);
    lib.write_score(removed.get());
    QVERIFY(removed->is_dirty());
  }

  // Another connection holds the file locked: statements cannot complete.
  void locked_file_keeps_scores_dirty_and_refuses_adds() {
    QTemporaryDir conf;
    auto db = open_db(conf.path());
    // The lock is held until released below: waiting for it only costs time.
    db->set_busy_patience(0);
    ov_group_map albums, artists;
    ov_library lib(db.get(), &albums, &artists, seed);
    const QString a = make_file("lock", "a.mp3", "a", "", "");
    const QString b = make_file("lock", "b.mp3", "b", "", "");
    lib.add_music_file(a, 1);
    ov_track* t = lib.track_by_path(a);
    QVERIFY(t);

    sqlite3* other = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(conf.filePath("library.db")).constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr), SQLITE_OK);
    t->add_score(77);
    lib.write_score(t);
    QVERIFY(t->is_dirty());
    ov_log_capture log;
    lib.add_music_file(b, 2);
    QVERIFY(!lib.contains_path(b));
    QCOMPARE(lib.paths(), QStringList{a});
    const QStringList lines = log.lines();
    QCOMPARE(lines.size(), 2);
    // The statement's own line names the SQL and SQLite's reason.
    QVERIFY2(lines[0].startsWith("WARNING\tdatabase\tfailed to write: INSERT INTO  library") &&
                 lines[0].contains("error=database is locked"),
             qPrintable(lines[0]));
    QCOMPARE(lines[1],
             "WARNING\tadding music file\tFailed to store the file in the library. skipping this file.  file=" + b);
    QVERIFY(!lib.write_all_scores());
    QCOMPARE(lib.unstored_scores(), 1);
    QCOMPARE(sqlite3_exec(other, "COMMIT;", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);

    QVERIFY(lib.write_all_scores());
    QCOMPARE(lib.unstored_scores(), 0);
    QVERIFY(!t->is_dirty());
    QCOMPARE(decode_field(seed, rows(db.get()).first().s, t->id()), QStringLiteral("77:0:0:0:0:0:0:0"));
    lib.add_music_file(b, 3);
    QVERIFY(lib.contains_path(b));
  }

  void handle_not_ok_does_nothing() {
    QTemporaryDir conf;
    QVERIFY(QDir(conf.path()).mkdir(QStringLiteral("library.db")));
    auto db = open_db(conf.path());
    QVERIFY(!db->is_ok());
    ov_group_map albums, artists;
    ov_library lib(db.get(), &albums, &artists, seed);
    QVERIFY(lib.paths().isEmpty());
    lib.add_music_file(make_file("nok", "a.mp3", "a", "", ""), 1);
    QVERIFY(lib.paths().isEmpty());
  }

  // Ids are taken in list order as reads start (unreadable files keep theirs);
  // known and repeated paths take none; rows, tracks and warnings follow the list.
  void batch_add_in_list_order() {
    QStringList paths;
    for (int i = 0; i < 10; ++i)
      paths << make_file("batch", QStringLiteral("f%1.mp3").arg(i), QStringLiteral("T%1").arg(i), "", "");
    const QString zeros = files_.filePath(QStringLiteral("batch/zeros.mp3"));
    QVERIFY(ov_test::write_file(zeros, QByteArray(2000, '\0')));
    const QString missing = files_.filePath(QStringLiteral("batch/missing.mp3"));
    const QStringList good = paths;
    paths.insert(3, zeros);
    paths.insert(5, missing);
    paths.insert(8, good[1]);  // twice in the list

    QTemporaryDir conf;
    auto db = open_db(conf.path());
    ov_group_map albums, artists;
    ov_library lib(db.get(), &albums, &artists, seed);
    lib.add_music_file(good[0], 5);  // already there before the batch
    ov_log_capture log;
    QList<qsizetype> progress;
    lib.add_music_files(paths, 9, [&](qsizetype done) {
      progress << done;
      return true;
    });
    QCOMPARE(progress.size(), paths.size());
    QCOMPARE(progress.last(), paths.size());
    const QString reading = QStringLiteral("WARNING\treading tags\t");
    const QString adding =
        QStringLiteral("WARNING\tadding music file\tFailed to load tag data. skipping this file.  file=");
    QCOMPARE(log.lines(), QStringList({reading + "Failed to find MPEG audio.  file=" + zeros, adding + zeros,
                                       reading + "Failed to open file.  file=" + missing, adding + missing}));
    QCOMPARE(lib.paths(), good);
    const QList<int> ids{1, 2, 3, 5, 7, 8, 9, 10, 11, 12};
    const QList<stored> r = rows(db.get());
    QCOMPARE(r.size(), 10);
    for (int i = 0; i < 10; ++i) {
      const ov_track* t = lib.track_by_path(good[i]);
      QCOMPARE(t->id(), ids[i]);
      QCOMPARE(t->tags().title(), QStringLiteral("T%1").arg(i));
      QCOMPARE(t->timestamp_added(), i ? 9 : 5);
      QCOMPARE(r[i].filepath, good[i]);
      QCOMPARE(decode_field(seed, r[i].s, ids[i]), QStringLiteral("0:0:0:0:0:0:0:0"));
    }
  }

  void collects_mp3_files() {
    QTemporaryDir root;
    QDir d(root.path());
    for (const char* name :
         {"a.mp3", "B.MP3", "c.txt", "d.mp3.bak", "sub/e.Mp3", "sub/deeper/f.mp3", ".g.mp3", ".hidden_dir/h.mp3"})
      QVERIFY(ov_test::write_file(d.filePath(name)));
    // A name whose bytes are not UTF-8 text.
    const QByteArray unreadable = QFile::encodeName(root.path()) + "/sub/\xff\xfe.mp3";
    const int fd = ::open(unreadable.constData(), O_CREAT | O_WRONLY, 0600);
    QVERIFY(fd >= 0);
    ::close(fd);
    QVERIFY(QFile::link(root.path(), d.filePath("sub/loop")));  // a link back to the top
    ov_log_capture log;
    const QStringList found = collect_mp3_files(root.path());
    const QString top = root.path() + QLatin1Char('/');
    QCOMPARE(QSet<QString>(found.begin(), found.begin() + 2), QSet<QString>({top + "a.mp3", top + "B.MP3"}));
    QCOMPARE(found.mid(2, 1), QStringList{top + "sub/e.Mp3"});
    QCOMPARE(found.mid(3), QStringList{top + "sub/deeper/f.mp3"});
    QCOMPARE(log.lines(), (QStringList{"WARNING\tadding music file\tSkipped a name that is not valid text.  file=" +
                                           QString::fromLatin1(unreadable.toPercentEncoding("/")),
                                       "INFO\tadding music file\tSkipped 2 hidden entries below " + root.path()}));
    QVERIFY(collect_mp3_files(root.filePath("missing")).isEmpty());
  }

  void track_score_limits() {
    ov_track t(1, 0, ov_tag_data::from_values("p", "", "", "", 0, 0));
    t.add_score(-10);
    QCOMPARE(t.score(), 0);
    QVERIFY(t.is_dirty());
    t.add_score(99999990);
    t.add_score(50);
    QCOMPARE(t.score(), 99999999);
    t.add_score(2147483647);
    QCOMPARE(t.score(), 99999999);
  }
};

QTEST_GUILESS_MAIN(test_library)
#include "test_library.moc"
