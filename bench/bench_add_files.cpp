// Adding files to the library: 2,000 generated, distinctly tagged MP3 files
// (FLAC files with the argument "flac") added in one bulk transaction,
// against a bare TagLib read of the same files.
#include "ov_database.h"
#include "ov_field_codec.h"
#include "ov_library.h"
#include "ov_schema.h"
#include "ov_tag_data.h"
#include "ov_test_formats.h"
#include "ov_test_mp3.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <taglib/fileref.h>
#include <taglib/tag.h>

#include <time.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int file_count = 2000;
const QString seed = QStringLiteral("3c1d5e7f-2a4b-4c6d-8e0f-a1b2c3d4e5f6");

double cpu_seconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + ts.tv_nsec / 1e9;
}

double g_cpu = 0;  // CPU time (all threads) of the last bare_read or add_all

double bare_read(const QStringList& files) {
  const double cpu0 = cpu_seconds();
  QElapsedTimer timer;
  timer.start();
  qint64 sink = 0;
  for (const QString& f : files) {
    const TagLib::FileRef ref(QFile::encodeName(f).constData(), true, TagLib::AudioProperties::Average);
    if (ref.isNull() || !ref.tag()) continue;
    sink += ref.tag()->title().size() + ref.tag()->album().size() + ref.tag()->artist().size() + ref.tag()->track();
    if (ref.audioProperties()) sink += ref.audioProperties()->lengthInSeconds();
  }
  const double s = timer.nsecsElapsed() / 1e9;
  g_cpu = cpu_seconds() - cpu0;
  if (sink == 0) std::printf("(no tags read)\n");
  return s;
}

double add_all(const QStringList& files, const QString& dir, bool batch, int* added) {
  QFile::remove(dir + QStringLiteral("/library.db"));
  ov_database db(dir + QStringLiteral("/library.db"), ov_creation_statements(QStringLiteral("library")),
                 QStringLiteral("library"));
  ov_group_map albums, artists;
  ov_library lib(&db, &albums, &artists, seed);
  QElapsedTimer timer;
  const double cpu0 = cpu_seconds();
  timer.start();
  db.begin_bulk();
  if (batch)
    lib.add_music_files(files, 1700000000);
  else
    for (const QString& f : files) lib.add_music_file(f, 1700000000);
  db.end_bulk();
  const double s = timer.nsecsElapsed() / 1e9;
  g_cpu = cpu_seconds() - cpu0;
  *added = int(lib.paths().size());
  return s;
}

QString loadavg() {
  QFile f(QStringLiteral("/proc/loadavg"));
  return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QStringLiteral("?\n");
}

template <typename F>
double time_each(const QStringList& files, F f) {
  QElapsedTimer timer;
  timer.start();
  for (const QString& p : files) f(p);
  return timer.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir tmp;
  const QString music = tmp.filePath(QStringLiteral("music"));
  QDir().mkpath(music);
  const bool flac = argc > 1 && QByteArray(argv[1]) == "flac";
  const QString extension = flac ? QStringLiteral(".flac") : QStringLiteral(".mp3");
  const QString source = tmp.filePath(QStringLiteral("tone") + extension);
  ov_test::tone t;
  t.seconds = 2.0;
  if (flac ? !ov_test::encode_audio(QStringLiteral("flac"), source, ov_test::tone_pcm(t), t.rate, t.channels)
           : !ov_test::make_tone_mp3(source, t)) {
    std::printf("the encoder failed\n");
    return 1;
  }
  QStringList files;
  for (int i = 0; i < file_count; ++i) {
    const QString sub = music + QStringLiteral("/d%1").arg(i / 100);
    QDir().mkpath(sub);
    const QString path = sub + QStringLiteral("/track%1").arg(i, 4, 10, QLatin1Char('0')) + extension;
    QFile::copy(source, path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    const QString title = QStringLiteral("Title %1").arg(i), album = QStringLiteral("Album %1").arg(i / 10),
                  artist = QStringLiteral("Artist %1").arg(i / 50);
    if (flac)
      ov_test::set_common_tags(path, title, album, artist, unsigned(i % 10 + 1));
    else
      ov_test::set_tags(path, title, album, artist, unsigned(i % 10 + 1));
    files << path;
  }
  std::printf("files: %d generated, %lld bytes each before tags\n", file_count, QFileInfo(source).size());

  bare_read(files);  // warm the page cache
  double best_bare = 1e9, best_add = 1e9, best_batch = 1e9;
  int added = 0, added_batch = 0;
  for (int round = 0; round < 3; ++round) {
    const double b = bare_read(files);
    const double b_cpu = g_cpu;
    const double a = add_all(files, tmp.path(), false, &added);
    const double a_cpu = g_cpu;
    const double m = add_all(files, tmp.path(), true, &added_batch);
    const double m_cpu = g_cpu;
    best_bare = std::min(best_bare, b);
    best_add = std::min(best_add, a);
    best_batch = std::min(best_batch, m);
    std::printf(
        "round %d: bare TagLib read %.3f s (CPU %.3f s); add_music_file each %.3f s (CPU %.3f s, %d added); "
        "add_music_files %.3f s (CPU %.3f s, %d added)\n",
        round + 1, b, b_cpu, a, a_cpu, added, m, m_cpu, added_batch);
  }
  std::printf("bare TagLib FileRef read:          %6.0f files/s (%.1f us/file)\n", file_count / best_bare,
              best_bare * 1e6 / file_count);
  std::printf("add_music_file per file, bulk:     %6.0f files/s (%.1f us/file), ratio to bare read %.2f\n",
              file_count / best_add, best_add * 1e6 / file_count, best_add / best_bare);
  std::printf("add_music_files (read-ahead), bulk: %6.0f files/s (%.1f us/file), ratio to bare read %.2f\n",
              file_count / best_batch, best_batch * 1e6 / file_count, best_batch / best_bare);
  std::printf("target: ratio <= 1.30\n");

  // Where the time of one add goes.
  const double tags = time_each(files, [](const QString& p) { (void)ov_tag_data::from_file(p); });
  int id = 0;
  const double codec =
      time_each(files, [&id](const QString&) { (void)encode_field(seed, QStringLiteral("0:0:0:0:0:0:0:0"), ++id); });
  std::printf("load average: %s", qPrintable(loadavg()));
  std::printf("parts per file: tag data with the audio check %.1f us, encode_field %.1f us\n", tags * 1e6 / file_count,
              codec * 1e6 / file_count);
  return added == file_count && added_batch == file_count ? 0 : 1;
}
