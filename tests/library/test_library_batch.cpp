#include "ov_library.h"
#include "ov_track.h"

#include <QtTest>

// The batch removal of the library store, on hand-made tracks.
class test_library_batch : public QObject {
  Q_OBJECT

private slots:
  void remove_tracks_in_one_pass() {
    ov_group_map albums, artists;
    ov_library lib(nullptr, &albums, &artists, QStringLiteral("seed"));
    QList<ov_track*> t;
    for (int id = 1; id <= 6; ++id) {
      const QString path = QStringLiteral("/m/%1.mp3").arg(id);
      t << lib.register_track(std::make_unique<ov_track>(
          id, 0, ov_tag_data::from_values(path, QStringLiteral("t"), QStringLiteral("A"), QStringLiteral("B"), 1, 60)));
    }
    QList<ov_track*> seen;
    QList<qsizetype> done;
    // t[4] twice: the second time it is passed over; the batch stops after 4.
    const auto removed = lib.remove_tracks(
        {t[4], t[1], t[4], t[0], t[2]}, [&](ov_track* x) { seen << x; },
        [&](qsizetype n) {
          done << n;
          return n < 4;
        });
    QCOMPARE(seen, (QList<ov_track*>{t[4], t[1], t[0]}));
    QCOMPARE(done, (QList<qsizetype>{1, 2, 3, 4}));
    QCOMPARE(removed.size(), size_t(3));
    QCOMPARE(lib.paths(),
             (QStringList{QStringLiteral("/m/3.mp3"), QStringLiteral("/m/4.mp3"), QStringLiteral("/m/6.mp3")}));
    QVERIFY(!lib.contains(t[0]) && !lib.track_by_id(2) && !lib.contains_path(QStringLiteral("/m/5.mp3")));
    QCOMPARE(albums.begin()->second->tracks, (QList<ov_track*>{t[2], t[3], t[5]}));
    QCOMPARE(artists.begin()->second->tracks.size(), 3);
    QVERIFY(!removed[0]->album_group() && !removed[0]->artist_group());
  }

  // Path spellings through the adding flow: test_playlist_flows.
  void clean_file_path_boundaries() {
    QCOMPARE(ov_clean_file_path(QString()), QString());
    QCOMPARE(ov_clean_file_path(QStringLiteral("./a//b/../c.mp3")), QDir::currentPath() + QStringLiteral("/a/c.mp3"));
  }
};

QTEST_GUILESS_MAIN(test_library_batch)
#include "test_library_batch.moc"
