#include "ov_score_cache.h"

#include "ov_blowfish.h"
#include "ov_log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <gcrypt.h>

#include <algorithm>
#include <cstring>

namespace {

const QString log_tag = QStringLiteral("score cache");

// Layout, little-endian: magic, version, length and UTF-8 bytes of the
// library file's name, entry count, entries (id, fingerprint, eight values),
// then the HMAC-SHA256 of everything before it.
constexpr char magic[8] = {'O', 'V', 'S', 'C', 'O', 'R', 'E', 'S'};
constexpr quint32 format_version = 1;
constexpr qsizetype entry_size = 4 + 8 + 8 * 4;
constexpr qsizetype mac_size = 32;

// The HMAC key: the seed, with a word that keeps it apart from the field keys.
QByteArray mac_key(const QString& seed) {
  return QByteArrayLiteral("score cache:") + seed.toUtf8();
}

QByteArray mac_of(const QString& seed, const char* data, qsizetype size) {
  ov_blowfish::init_library();
  gcry_mac_hd_t h = nullptr;
  if (gcry_mac_open(&h, GCRY_MAC_HMAC_SHA256, 0, nullptr) != 0) return QByteArray();
  const QByteArray key = mac_key(seed);
  QByteArray out(mac_size, '\0');
  size_t length = size_t(out.size());
  const bool ok = gcry_mac_setkey(h, key.constData(), size_t(key.size())) == 0 &&
                  gcry_mac_write(h, data, size_t(size)) == 0 && gcry_mac_read(h, out.data(), &length) == 0 &&
                  length == size_t(mac_size);
  gcry_mac_close(h);
  return ok ? out : QByteArray();
}

template <typename T>
void put(QByteArray& out, T value) {
  const T le = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&le), sizeof le);
}

// Reads a little-endian value at *at and moves past it; false past the end.
template <typename T>
bool take(const QByteArray& in, qsizetype* at, T* value) {
  if (in.size() - *at < qsizetype(sizeof(T))) return false;
  *value = qFromLittleEndian<T>(in.constData() + *at);
  *at += qsizetype(sizeof(T));
  return true;
}

ov_score_cache ignored(const QString& path, const QString& why) {
  ov_log_write(ov_log::INFO, log_tag,
               QStringLiteral("ignored the cache (%1); every score is deciphered.  file=").arg(why) + path);
  return ov_score_cache();
}

}  // namespace

quint64 ov_score_cache::fingerprint(QStringView stored) {
  ov_blowfish::init_library();
  unsigned char digest[32];
  gcry_md_hash_buffer(GCRY_MD_SHA256, digest, stored.data(), size_t(stored.size()) * sizeof(char16_t));
  const quint64 value = qFromLittleEndian<quint64>(digest);
  return value == 0 ? 1 : value;  // 0 means "not known" to the callers
}

ov_score_cache ov_score_cache::read(const QString& path, const QString& seed, const QString& library) {
  QFile file(path);
  if (!file.exists()) return ov_score_cache();
  if (!file.open(QIODevice::ReadOnly)) return ignored(path, QStringLiteral("cannot be opened"));
  const QByteArray data = file.readAll();
  if (data.size() < qsizetype(sizeof magic) + mac_size) return ignored(path, QStringLiteral("too short"));
  const qsizetype body = data.size() - mac_size;
  const QByteArray mac = mac_of(seed, data.constData(), body);
  if (mac.isEmpty() || std::memcmp(mac.constData(), data.constData() + body, size_t(mac_size)) != 0)
    return ignored(path, QStringLiteral("damaged, or written with another seed"));

  qsizetype at = qsizetype(sizeof magic);
  quint32 version = 0, name_size = 0, count = 0;
  if (std::memcmp(data.constData(), magic, sizeof magic) != 0 || !take(data, &at, &version) ||
      version != format_version)
    return ignored(path, QStringLiteral("another format"));
  if (!take(data, &at, &name_size) || body - at < qsizetype(name_size) ||
      QString::fromUtf8(data.constData() + at, qsizetype(name_size)) != library)
    return ignored(path, QStringLiteral("made for another library file"));
  at += qsizetype(name_size);
  if (!take(data, &at, &count) || body - at != qsizetype(count) * entry_size)
    return ignored(path, QStringLiteral("wrong length"));

  std::vector<entry> entries(count);
  for (entry& e : entries) {
    take(data, &at, &e.id);
    take(data, &at, &e.fingerprint);
    for (qint32& v : e.counters) take(data, &at, &v);
  }
  const bool ordered = std::adjacent_find(entries.cbegin(), entries.cend(), [](const entry& a, const entry& b) {
                         return a.id >= b.id;
                       }) == entries.cend();
  if (!ordered) return ignored(path, QStringLiteral("entries out of order"));
  return ov_score_cache(std::move(entries));
}

bool ov_score_cache::write(const QString& path, const QString& seed, const QString& library) const {
  const QByteArray name = library.toUtf8();
  QByteArray data;
  data.reserve(qsizetype(sizeof magic) + 12 + name.size() + qsizetype(entries_.size()) * entry_size + mac_size);
  data.append(magic, sizeof magic);
  put(data, format_version);
  put(data, quint32(name.size()));
  data.append(name);
  put(data, quint32(entries_.size()));
  for (const entry& e : entries_) {
    put(data, e.id);
    put(data, e.fingerprint);
    for (qint32 v : e.counters) put(data, v);
  }
  const QByteArray mac = mac_of(seed, data.constData(), data.size());

  QString why;
  if (mac.isEmpty()) {
    why = QStringLiteral("no HMAC");
  } else {
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || file.write(mac) != mac.size() ||
        !file.commit())
      why = file.errorString();
  }
  if (why.isEmpty()) return true;
  ov_log_write(ov_log::INFO, log_tag, QStringLiteral("could not write the cache: %1  file=").arg(why) + path);
  return false;
}

const ov_score_cache::entry* ov_score_cache::find(qint32 id) const {
  const auto it =
      std::lower_bound(entries_.cbegin(), entries_.cend(), id, [](const entry& e, qint32 v) { return e.id < v; });
  return it != entries_.cend() && it->id == id ? &*it : nullptr;
}
