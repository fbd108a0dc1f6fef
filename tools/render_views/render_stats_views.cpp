#include "ov_database.h"
#include "ov_field_codec.h"
#include "ov_library.h"
#include "ov_schema.h"
#include "ov_stats_fixture.h"
#include "ovg_statistics_window.h"

#include <QApplication>
#include <QDateTime>
#include <QTemporaryDir>
#include <QTranslator>

#include <memory>

namespace {

const QString seed = QStringLiteral("render-views-seed");

// 400 tracks of 40 albums by 12 artists, most of them low in the ranks; a
// listening history of the last 200 days with a few grade-ups.
void fill(ov_database* library_db, ov_database* history_db) {
  library_db->begin_bulk();
  for (int id = 1; id <= 400; ++id) {
    ov_statement st = library_db->prepare(
        QStringLiteral("INSERT INTO library (id, filepath, title, album, artist, track_no, length, timestamp_added, s) "
                       "VALUES (?, ?, ?, ?, ?, 1, 200, 1700000000, ?);"));
    const int score = id % 50 == 0 ? 600000 + id : id % 7 == 0 ? id * 37 : id % 3 == 0 ? id / 4 : id % 19;
    st.bind_int(1, id);
    st.bind_text(2, QStringLiteral("/music/a%1/b%2/%3.mp3").arg(id % 12).arg(id % 40).arg(id));
    st.bind_text(3, id % 9 == 0
                        ? QStringLiteral("A rather long title of track number %1 (extended live version)").arg(id)
                        : QStringLiteral("Track %1").arg(id));
    st.bind_text(4, QStringLiteral("Album %1").arg(id % 40));
    st.bind_text(5, QStringLiteral("Artist %1").arg(id % 12));
    st.bind_text(6, encode_field(seed, QStringLiteral("%1:0:0:0:0:0:0:0").arg(score), id));
    (void)st.write();
  }
  library_db->end_bulk();
  const qint64 now = QDateTime::currentSecsSinceEpoch();
  history_db->begin_bulk();
  ov_statement play = history_db->prepare(QStringLiteral("INSERT INTO plays VALUES (?, ?, ?, ?);"));
  ov_statement award = history_db->prepare(QStringLiteral("INSERT INTO awards VALUES (?, ?, ?, ?, ?);"));
  for (int i = 0; i < 3000; ++i) {
    const qint64 time = now - qint64(200) * 86400 + qint64(i) * 200 * 86400 / 3000;
    if ((i / 40) % 5 == 3) continue;  // days without listening
    play.bind_int64(1, time);
    play.bind_int(2, 1 + (i * 37) % 420);  // ids above 400 were removed
    play.bind_int(3, 60 + i % 180);
    play.bind_int(4, i % 4 == 0 ? 2 : 1);
    (void)play.write();
    play.reset();
    award.bind_int64(1, time);
    award.bind_int(2, 1 + i % 400);
    award.bind_int(3, 1 + i % 5);
    award.bind_int(4, i % 5 == 3 ? -2 : 1 + i / 600);
    award.bind_int(5, i / 700);
    (void)award.write();
    award.reset();
  }
  history_db->end_bulk();
}

void save(ovg_statistics_window& window, const QString& out_dir, const QString& name) {
  QApplication::processEvents();
  window.grab().save(out_dir + QStringLiteral("/stats_") + name + QStringLiteral(".png"));
}

}  // namespace

void ov_render_stats_views(const QString& out_dir) {
  QTemporaryDir dir;
  std::unique_ptr<ov_database> library_db = ov_open_database(dir.path(), QStringLiteral("library"));
  std::unique_ptr<ov_database> history_db = ov_stats_test::open_history(dir.path());
  fill(library_db.get(), history_db.get());
  ov_group_map albums, artists;
  ov_library library(library_db.get(), &albums, &artists, seed);
  {
    ovg_statistics_window window(&library, history_db.get());
    window.show();
    window.finish_history_read();
    for (int i = 0; i < ov_chart_count; ++i) {
      window.show_chart(ov_chart(i));
      save(window, out_dir, QString::number(i));
    }
  }
  QTranslator japanese;
  if (japanese.load(QStringLiteral(":/tr/ov_jp.qm")) && QCoreApplication::installTranslator(&japanese)) {
    ovg_statistics_window window(&library, history_db.get());
    window.show();
    window.finish_history_read();
    for (ov_chart chart : {ov_chart::ranks, ov_chart::top_tracks, ov_chart::listening_days}) {
      window.show_chart(chart);
      save(window, out_dir, QStringLiteral("ja_%1").arg(int(chart)));
    }
    QCoreApplication::removeTranslator(&japanese);
  }
  QTemporaryDir empty_dir;
  std::unique_ptr<ov_database> empty_db = ov_open_database(empty_dir.path(), QStringLiteral("library"));
  ov_group_map no_albums, no_artists;
  ov_library empty(empty_db.get(), &no_albums, &no_artists, seed);
  ovg_statistics_window window(&empty, nullptr);
  window.show();
  save(window, out_dir, QStringLiteral("empty_ranks"));
  window.show_chart(ov_chart::listening_days);
  save(window, out_dir, QStringLiteral("empty_days"));
}
