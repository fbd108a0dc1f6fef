#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <vector>

// A derived copy of deciphered score fields, so that a start does not run
// one key schedule per library row. Each entry holds a row id, a fingerprint
// of the enciphered text the row stored and the eight values that text
// deciphers to. The file is authenticated as a whole with an HMAC-SHA256
// keyed by the seed and names the library file it was made from: a file that
// is missing, cut short, edited, of another format, seed or library reads as
// empty, and then every row is deciphered. Deleting it costs only time.
class ov_score_cache {
public:
  using values = std::array<qint32, 8>;
  struct entry {
    qint32 id = 0;
    quint64 fingerprint = 0;
    values counters{};
  };

  ov_score_cache() = default;
  // Entries must be sorted by id, each id once.
  explicit ov_score_cache(std::vector<entry> entries) : entries_(std::move(entries)) {}

  // The fingerprint of a stored enciphered text (never 0).
  static quint64 fingerprint(QStringView stored);

  // The file at path when it is intact and was written for this seed and
  // library; otherwise an empty cache, with one INFO line telling why.
  static ov_score_cache read(const QString& path, const QString& seed, const QString& library);
  // Replaces the file at path atomically (creating its folder); on failure
  // the old file stays, one INFO line tells why and the result is false.
  bool write(const QString& path, const QString& seed, const QString& library) const;

  // The entry of a row id, or null.
  const entry* find(qint32 id) const;
  size_t size() const { return entries_.size(); }

private:
  std::vector<entry> entries_;
};
