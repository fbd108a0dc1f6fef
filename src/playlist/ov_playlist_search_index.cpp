#include "ov_playlist_search_index.h"

#include "ov_playlist_item.h"
#include "ov_track.h"

#include <algorithm>
#include <numeric>

namespace {

// Writes the folded text at out and returns the position after it.
char16_t* write_folded(char16_t* out, QStringView text) {
  const char16_t* in = text.utf16();
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = in[i];
    if (c < 128) {
      *out++ = c >= 'A' && c <= 'Z' ? char16_t(c + 32) : c;
    } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(in[i + 1])) {
      const char32_t f = QChar::toCaseFolded(QChar::surrogateToUcs4(c, in[i + 1]));
      if (QChar::requiresSurrogates(f)) {
        *out++ = QChar::highSurrogate(f);
        *out++ = QChar::lowSurrogate(f);
      } else {
        *out++ = char16_t(f);
        *out++ = char16_t(0xffff);
      }
      ++i;
    } else {
      *out++ = QChar::toCaseFolded(c);
    }
  }
  return out;
}

const ov_tag_data* tags_of(const ov_playlist_item* item) {
  const ov_track* t = item->track();
  return t ? &t->tags() : nullptr;
}

}  // namespace

QString ov_playlist_search_index::folded(QStringView text) {
  QString out(text.size(), Qt::Uninitialized);
  write_folded(reinterpret_cast<char16_t*>(out.data()), text);
  return out;
}

qsizetype ov_playlist_search_index::folded_size(const ov_playlist_item* item) {
  const ov_tag_data* t = tags_of(item);
  return 3 + (t ? t->title().size() + t->album().size() + t->artist().size() : 0);
}

void ov_playlist_search_index::write_row(row_fields& f, char16_t* begin, char16_t*& out, const ov_playlist_item* item) {
  const ov_tag_data* t = tags_of(item);
  f.title = out - begin;
  if (t) out = write_folded(out, t->title());
  *out++ = 0;
  f.album = out - begin;
  if (t) out = write_folded(out, t->album());
  *out++ = 0;
  f.artist = out - begin;
  if (t) out = write_folded(out, t->artist());
  *out++ = 0;
}

ov_playlist_search_index::ov_playlist_search_index(const QList<ov_playlist_item*>& items) {
  const qsizetype n = items.size();
  // Entries, tracks and texts lie scattered in memory: fetch each of them a
  // few rows ahead, in the order they are reached.
  constexpr qsizetype ahead = 12;
  auto prefetch = [&](qsizetype i) {
    if (i + 3 * ahead < n) __builtin_prefetch(items[i + 3 * ahead]);
    if (i + 2 * ahead < n) __builtin_prefetch(items[i + 2 * ahead]->track());
    if (i + ahead < n)
      if (const ov_tag_data* t = tags_of(items[i + ahead])) {
        __builtin_prefetch(t->title().constData());
        __builtin_prefetch(t->album().constData());
        __builtin_prefetch(t->artist().constData());
      }
  };
  // One pass: the text grows as needed and is cut to size at the end.
  text_ = QString(std::max<qsizetype>(n * 48, 64), Qt::Uninitialized);
  rows_.resize(size_t(n));
  qsizetype used = 0;
  for (qsizetype i = 0; i < n; ++i) {
    prefetch(i);
    const qsizetype need = folded_size(items[i]);
    if (used + need > text_.size()) text_.resize(std::max(text_.size() * 2, used + need));
    char16_t* const begin = reinterpret_cast<char16_t*>(text_.data());
    char16_t* out = begin + used;
    write_row(rows_[size_t(i)], begin, out, items[i]);
    used = out - begin;
  }
  text_.resize(used);
}

void ov_playlist_search_index::append(const ov_playlist_item* item) {
  if (!pending_order_.empty()) pending_order_.push_back(int(rows_.size()));
  const qsizetype at = text_.size();
  text_.resize(at + folded_size(item));
  char16_t* const begin = reinterpret_cast<char16_t*>(text_.data());
  char16_t* out = begin + at;
  rows_.emplace_back();
  write_row(rows_.back(), begin, out, item);
}

void ov_playlist_search_index::reorder(const std::vector<int>& former_rows) {
  if (pending_order_.empty()) {
    pending_order_ = former_rows;
    return;
  }
  std::vector<int> composed(former_rows.size());
  for (size_t i = 0; i < former_rows.size(); ++i) composed[i] = pending_order_[size_t(former_rows[i])];
  pending_order_ = std::move(composed);
}

void ov_playlist_search_index::remove_row(int row) {
  if (pending_order_.empty()) {
    pending_order_.resize(rows_.size());
    std::iota(pending_order_.begin(), pending_order_.end(), 0);
  }
  if (row >= 0 && size_t(row) < pending_order_.size()) pending_order_.erase(pending_order_.begin() + row);
  // An empty order would read as "in step": keep the index consistent at once.
  if (pending_order_.empty()) {
    text_.clear();
    rows_.clear();
  }
}

void ov_playlist_search_index::apply_order() {
  if (pending_order_.empty()) return;
  const std::vector<int> former_rows = std::move(pending_order_);
  pending_order_.clear();
  QString text(text_.size(), Qt::Uninitialized);
  std::vector<row_fields> rows(former_rows.size());
  const char16_t* const from = reinterpret_cast<const char16_t*>(text_.constData());
  char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
  char16_t* out = begin;
  constexpr size_t ahead = 8;
  for (size_t i = 0; i < former_rows.size(); ++i) {
    if (i + ahead < former_rows.size()) __builtin_prefetch(from + rows_[size_t(former_rows[i + ahead])].title);
    const int old = former_rows[i];
    const row_fields& f = rows_[size_t(old)];
    const qsizetype length = row_end(old) - f.title;
    const qsizetype shift = (out - begin) - f.title;
    rows[i] = row_fields{f.title + shift, f.album + shift, f.artist + shift};
    std::copy_n(from + f.title, length, out);
    out += length;
  }
  text_ = std::move(text);
  rows_ = std::move(rows);
}

qsizetype ov_playlist_search_index::row_end(int row) const {
  return size_t(row) + 1 < rows_.size() ? rows_[size_t(row) + 1].title : text_.size();
}

int ov_playlist_search_index::row_at(qsizetype position) const {
  const auto it = std::upper_bound(rows_.begin(), rows_.end(), position,
                                   [](qsizetype p, const row_fields& f) { return p < f.title; });
  return int(it - rows_.begin()) - 1;
}

bool ov_playlist_search_index::row_matches(int row, QStringView word) const {
  const row_fields& f = rows_[size_t(row)];
  const QStringView text(text_);
  return text.sliced(f.title, f.album - 1 - f.title).contains(word) ||
         text.sliced(f.album, f.artist - 1 - f.album).contains(word) ||
         text.sliced(f.artist, row_end(row) - 1 - f.artist).contains(word);
}

int ov_playlist_search_index::find_by_rows(QStringView word, int first_row, int last_row) const {
  const int step = first_row <= last_row ? 1 : -1;
  for (int row = first_row;; row += step) {
    if (row_matches(row, word)) return row;
    if (row == last_row) return -1;
  }
}

int ov_playlist_search_index::find(const QString& folded_word, int first_row, int last_row) {
  if (first_row < 0 || first_row >= row_count() || last_row < 0 || last_row >= row_count()) return -1;
  apply_order();
  const QStringView word(folded_word);
  if (word.isEmpty()) return first_row;
  // A word holding the field end mark could span two fields: test field by field.
  if (word.contains(QChar(0))) return find_by_rows(word, first_row, last_row);
  const QStringView text(text_);
  if (first_row <= last_row) {
    const qsizetype from = rows_[size_t(first_row)].title, to = row_end(last_row);
    const qsizetype at = text.first(to).indexOf(word, from);
    return at < 0 ? -1 : row_at(at);
  }
  const qsizetype from = rows_[size_t(last_row)].title, to = row_end(first_row);
  if (to - from < word.size()) return -1;
  const qsizetype at = text.sliced(from, to - from).lastIndexOf(word);
  return at < 0 ? -1 : row_at(from + at);
}
