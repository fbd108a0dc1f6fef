#include "ov_database.h"
#include "ov_library.h"
#include "ov_log_capture.h"
#include "ov_playlist.h"
#include "ov_playlist_flows.h"
#include "ov_playlist_store.h"
#include "ov_schema.h"
#include "ov_test_mp3.h"
#include "ov_track.h"

#include <QProcess>
#include <QThread>
#include <QtTest>

#include <unistd.h>

#include <memory>

namespace {

const QString seed = QStringLiteral("0f1e2d3c-4b5a-6978-8796-a5b4c3d2e1f0");

// Real library.db, playlists.db and playlist_items.db in a directory, with
// the library and the playlists loaded from them as at start-up.
struct session {
  explicit session(const QString& conf)
      : library_db(ov_open_database(conf, QStringLiteral("library"))),
        playlists_db(ov_open_database(conf, QStringLiteral("playlists"))),
        items_db(ov_open_database(conf, QStringLiteral("playlist_items"))),
        library(library_db.get(), &albums, &artists, seed),
        playlists(ov_playlist_store::load_all(&library, playlists_db.get(), items_db.get(), &owner)) {}

  ov_playlist* all() const { return playlists.at(0); }
  ov_playlist* add_playlist() {
    return ov_playlist_flows::create_playlist(playlists, &library, playlists_db.get(), items_db.get(), &owner);
  }
  ov_flow_result add(const QStringList& paths, ov_playlist* selected, const ov_flow_progress& progress = {}) {
    return ov_playlist_flows::add_files(&library, all(), selected, ov_playlist_flows::expand_paths(paths), 1700000000,
                                        progress);
  }
  // Library ids of a playlist's entries in row order, and as stored.
  static QList<int> ids(const ov_playlist* p) {
    QList<int> out;
    for (int r = 0; r < p->count(); ++r) out << p->track_at(r)->id();
    return out;
  }
  QList<int> stored_ids(const ov_playlist* p) const {
    QList<int> out;
    ov_statement st = items_db->prepare(
        QStringLiteral("SELECT library_id FROM playlist_items WHERE playlist_id = ? ORDER BY position ASC, id ASC;"));
    st.bind_int(1, p->id());
    while (st.step_row()) out << st.column_int(0);
    return out;
  }
  int library_rows() const {
    ov_statement st = library_db->prepare(QStringLiteral("SELECT COUNT(*) FROM library;"));
    return st.step_row() ? st.column_int(0) : -1;
  }

  QObject owner;
  std::unique_ptr<ov_database> library_db, playlists_db, items_db;
  ov_group_map albums, artists;
  ov_library library;
  QList<ov_playlist*> playlists;
};

}  // namespace

class test_playlist_flows : public QObject {
  Q_OBJECT

  QTemporaryDir files_;
  QString tone_;
  int made_ = 0;

  // A directory of count tagged MP3 files.
  QString make_dir(int count) {
    const QString dir = files_.filePath(QStringLiteral("d%1").arg(made_));
    QDir().mkpath(dir);
    for (int i = 0; i < count; ++i) {
      const QString path = dir + QStringLiteral("/t%1.mp3").arg(i, 2, 10, QLatin1Char('0'));
      QFile::copy(tone_, path);
      QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
      ov_test::set_tags(path, QStringLiteral("Title %1").arg(made_++), QStringLiteral("Album"),
                        QStringLiteral("Artist"));
    }
    return dir;
  }

private slots:
  void initTestCase() {
    tone_ = files_.filePath(QStringLiteral("tone.mp3"));
    QVERIFY(ov_test::make_tone_mp3(tone_, {.seconds = 0.3, .rate = 22050, .channels = 1}));
  }

  void directory_dropped_on_user_playlist() {
    QTemporaryDir conf;
    const QString dir = make_dir(12);
    QList<qsizetype> calls;
    {
      session s(conf.path());
      ov_playlist* user = s.add_playlist();
      ov_log_capture log(true);
      const ov_flow_result r = s.add({dir}, user, [&](qsizetype done) {
        calls << done;
        return true;
      });
      QCOMPARE(r.done, 12);
      QVERIFY(!r.cancelled);
      QCOMPARE(s.all()->count(), 12);
      QCOMPARE(s.ids(user), s.ids(s.all()));
      const QStringList lines = log.messages();
      QCOMPARE(lines.value(0), QStringLiteral("adding files by drag & drop"));
      QCOMPARE(lines.value(1), QStringLiteral("adding 12 files by drag & drop"));
      QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^adding /"))).size(), 12);
    }
    QCOMPARE(calls.size(), 12);  // one call after each file
    QVERIFY(calls.contains(5) && calls.contains(10));
    session again(conf.path());
    QCOMPARE(again.library.paths().size(), 12);
    QCOMPARE(again.ids(again.playlists.at(1)), again.ids(again.all()));
    QCOMPARE(again.stored_ids(again.playlists.at(1)), again.ids(again.all()));
  }

  void path_spellings_give_one_track() {
    QTemporaryDir conf;
    const QString dir = make_dir(1);
    const QString clean = dir + QStringLiteral("/t00.mp3");
    const QString old_cwd = QDir::currentPath();
    QDir::setCurrent(files_.path());
    const QString relative = QDir(files_.path()).relativeFilePath(clean);
    session s(conf.path());
    ov_playlist* user = s.add_playlist();
    s.add({dir + QStringLiteral("/./t00.mp3"), dir + QStringLiteral("//t00.mp3"),
           dir + QStringLiteral("/../") + QFileInfo(dir).fileName() + QStringLiteral("/t00.mp3"), relative,
           QStringLiteral("./") + relative},
          user);
    QDir::setCurrent(old_cwd);
    // A list that did not come through expand_paths is cleaned as well.
    ov_playlist_flows::add_files(&s.library, s.all(), user, {dir + QStringLiteral("/sub/../t00.mp3")}, 0, {});
    QCOMPARE(s.library.paths(), QStringList{QDir::cleanPath(clean)});
    QCOMPARE(s.all()->count(), 1);
    QCOMPARE(user->count(), 6);  // every drop of the file lands on the playlist
    QCOMPARE(s.library_rows(), 1);
  }

  void removing_rows_2_5_7() {
    QTemporaryDir conf;
    session s(conf.path());
    s.add({make_dir(9)}, s.all());
    ov_playlist* user = s.add_playlist();
    QList<ov_track*> tracks;
    for (int r = 0; r < s.all()->count(); ++r) tracks << s.all()->track_at(r);
    QCOMPARE(ov_playlist_flows::copy_tracks(user, 1, tracks, {}).done, 9);
    QList<int> expected = s.ids(user);
    for (int row : {7, 5, 2}) expected.removeAt(row);
    const ov_flow_result r = ov_playlist_flows::remove_rows(user, {5, 2, 7, 5, 42}, {});
    QCOMPARE(r.done, 3);
    QCOMPARE(s.ids(user), expected);
    QCOMPARE(s.stored_ids(user), expected);
    QCOMPARE(ov_playlist_flows::remove_rows(s.all(), {0}, {}).done, 0);  // never from the library playlist
    QCOMPARE(s.all()->count(), 9);
  }

  void library_removal_reaches_every_playlist() {
    QTemporaryDir conf;
    {
      session s(conf.path());
      s.add({make_dir(6)}, s.all());
      ov_playlist* a = s.add_playlist();
      ov_playlist* b = s.add_playlist();
      QList<ov_track*> t;
      for (int r = 0; r < 6; ++r) t << s.all()->track_at(r);
      ov_playlist_flows::copy_tracks(a, 1, {t[1], t[2], t[3]}, {});
      ov_playlist_flows::copy_tracks(b, 2, {t[3], t[0], t[3], t[5], t[1]}, {});
      const int gone1 = t[1]->id(), gone3 = t[3]->id();
      const ov_flow_result r = ov_playlist_flows::remove_from_library(&s.library, s.playlists, {t[3], t[1], t[3]}, {});
      QCOMPARE(r.done, 3);
      for (const ov_playlist* p : s.playlists) {
        QVERIFY(!s.ids(p).contains(gone1) && !s.ids(p).contains(gone3));
        QCOMPARE(s.stored_ids(p), s.ids(p));
      }
      QCOMPARE(s.ids(b), (QList<int>{t[0]->id(), t[5]->id()}));
      QCOMPARE(s.library.paths().size(), 4);
      QCOMPARE(s.library_rows(), 4);
    }
    session again(conf.path());
    QCOMPARE(again.all()->count(), 4);
    QCOMPARE(again.playlists.at(1)->count(), 1);
    QCOMPARE(again.playlists.at(2)->count(), 2);
  }

  // Cancelling the adding flow: test_mainwindow.
  void cancel_removal_part_way() {
    QTemporaryDir conf;
    {
      session s(conf.path());
      ov_playlist* user = s.add_playlist();
      s.add({make_dir(10)}, user);
      QList<ov_track*> tracks;
      for (int row = user->count() - 1; row >= 0; --row) tracks << user->track_at(row);
      const ov_flow_result r = ov_playlist_flows::remove_from_library(&s.library, s.playlists, tracks,
                                                                      [](qsizetype done) { return done < 3; });
      QCOMPARE(r.done, 3);
      QVERIFY(r.cancelled);
    }
    session again(conf.path());
    QCOMPARE(again.library.paths().size(), 7);
    QCOMPARE(again.library_rows(), 7);
    QCOMPARE(again.all()->count(), 7);
    QCOMPARE(again.ids(again.playlists.at(1)), again.ids(again.all()));
    QCOMPARE(again.stored_ids(again.playlists.at(1)), again.ids(again.all()));
  }

  // A long add commits about once a second: another connection (or the
  // next run after a kill) sees the files added so far, with their entries.
  void long_add_commits_as_it_goes() {
    QTemporaryDir conf;
    const QString dir = make_dir(4);
    session s(conf.path());
    const auto reader = ov_open_database(conf.path(), QStringLiteral("library"));
    int seen_at_3 = -1;
    const ov_flow_result r = s.add({dir}, nullptr, [&](qsizetype done) {
      if (done == 1) QThread::msleep(1100);  // the first chunk falls due at the next file
      if (done == 3) {
        ov_statement st = reader->prepare(QStringLiteral("SELECT COUNT(*) FROM library;"));
        seen_at_3 = st.step_row() ? st.column_int(0) : -1;
      }
      return true;
    });
    QCOMPARE(r.done, 4);
    QCOMPARE(seen_at_3, 2);
    QCOMPARE(s.library_rows(), 4);
    QCOMPARE(s.stored_ids(s.all()), s.ids(s.all()));
  }

  // The disk fills up during an add: nothing of the failed commit stays in
  // memory or on disk, no entry points at a track that was not stored, and
  // the result says how many files were added. Needs a small tmpfs (root).
  void full_disk_stops_the_add() {
    QTemporaryDir conf;
    if (::geteuid() != 0 || QProcess::execute(QStringLiteral("mount"),
                                              {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                               QStringLiteral("size=256k"), QStringLiteral("tmpfs"), conf.path()}) != 0)
      QSKIP("needs a small tmpfs, which only root can mount");
    struct unmount {
      QString dir;
      ~unmount() { QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), dir}); }
    } unmount_at_end{conf.path()};
    const QString first = make_dir(1);
    const QString more = make_dir(30);
    {
      session s(conf.path());
      QCOMPARE(s.add({first}, nullptr).done, 1);
      // Whatever space is left goes to a filler file.
      QFile filler(conf.filePath(QStringLiteral("filler")));
      QVERIFY(filler.open(QIODevice::WriteOnly));
      const QByteArray block(4096, 'x');
      while (filler.write(block) == block.size() && filler.flush()) {
      }
      const ov_flow_result r = s.add({more}, nullptr);
      QVERIFY(r.stopped);
      QVERIFY(r.disk_full);
      QCOMPARE(r.added, 0);
      QCOMPARE(r.not_added, 30);
      QCOMPARE(ov_playlist_flows::stopped_text(r),
               QStringLiteral("Adding stopped: the disk is full. 0 files added, 30 not added."));
      QCOMPARE(s.library.paths().size(), 1);
      QCOMPARE(s.all()->count(), 1);
      filler.close();  // fails to write its last buffer, so the file is removed by name
      QVERIFY(QFile::remove(filler.fileName()));
    }
    session again(conf.path());
    QCOMPARE(again.library_rows(), 1);
    QCOMPARE(again.stored_ids(again.all()), again.ids(again.all()));
    QCOMPARE(again.add({more}, nullptr).added, 30);
  }

  void renew_and_move_entries() {
    QTemporaryDir conf;
    session s(conf.path());
    s.add({make_dir(5)}, s.all());
    ov_playlist* all = s.all();
    const QList<int> before = s.ids(all);
    ov_log_capture log(true);
    QCOMPARE(ov_playlist_flows::move_tracks(all, {3, 0}, 5), (QList<int>{3, 4}));
    QCOMPARE(log.messages(), (QStringList{QStringLiteral("index taken: 3"), QStringLiteral("index taken: 0")}));
    QCOMPARE(s.ids(all), (QList<int>{before[1], before[2], before[4], before[0], before[3]}));
    QVERIFY(all->is_sorted());
    QCOMPARE(ov_playlist_flows::renew_numbers(all, {0, 1, 2, 3, 4}, {}).done, 5);
    for (int r = 0; r < 5; ++r) QCOMPARE(all->item_at(r)->number(), r);
  }

  void playlists_created_moved_and_removed() {
    QTemporaryDir conf;
    QStringList names;
    {
      session s(conf.path());
      for (const QString& name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}) {
        ov_playlist* p = s.add_playlist();
        QCOMPARE(p->name(), ov_playlist_flows::new_playlist_name());
        p->set_name(name);
        ov_playlist_flows::rename_playlist(s.playlists_db.get(), p);
      }
      QVERIFY(!ov_playlist_flows::move_playlist(s.playlists, s.playlists_db.get(), 0, 2));
      QVERIFY(!ov_playlist_flows::move_playlist(s.playlists, s.playlists_db.get(), 3, 0));
      QVERIFY(ov_playlist_flows::move_playlist(s.playlists, s.playlists_db.get(), 3, 1));  // c a b
      QVERIFY(!ov_playlist_flows::remove_playlist(s.playlists, s.playlists_db.get(), 0).removed);
      QVERIFY(!ov_playlist_flows::remove_playlist(s.playlists, s.playlists_db.get(), 4).removed);
      auto gone = ov_playlist_flows::remove_playlist(s.playlists, s.playlists_db.get(), 3);  // the last: b
      QCOMPARE(gone.removed->name(), QStringLiteral("b"));
      QCOMPARE(gone.select_row, 2);
      QCOMPARE(s.add_playlist()->id(), 4);
    }
    session again(conf.path());
    for (const ov_playlist* p : again.playlists) names << p->name();
    QCOMPARE(names, (QStringList{ov_playlist::library_playlist_name(), QStringLiteral("c"), QStringLiteral("a"),
                                 ov_playlist_flows::new_playlist_name()}));
  }
};

QTEST_GUILESS_MAIN(test_playlist_flows)
#include "test_playlist_flows.moc"
