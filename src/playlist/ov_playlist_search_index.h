#pragma once

#include <QList>
#include <QString>

#include <vector>

class ov_playlist_item;

// The titles, albums and artists of a playlist's entries, case-folded into
// one contiguous text in row order (each field closed by U+0000), so that a
// full search pass is one scan of memory instead of a visit to every track.
// A word is found in a field exactly when QString::contains(word,
// Qt::CaseInsensitive) holds for that field.
class ov_playlist_search_index {
public:
  explicit ov_playlist_search_index(const QList<ov_playlist_item*>& items);

  // Simple case folding per code point, as Qt's case-insensitive search
  // does; the length in code units is kept.
  static QString folded(QStringView text);

  int row_count() const { return int(rows_.size()); }
  // Keeps the index in step with the list: a new last row, or a new order
  // given as the former row of each new row. A new order is only noted;
  // the next find rearranges the text once for all orders noted since.
  void append(const ov_playlist_item* item);
  void reorder(const std::vector<int>& former_rows);
  void remove_row(int row);

  // First row from first_row towards last_row (either direction, both
  // included) whose title, album or artist contains the folded word; -1
  // when none or when a bound lies outside the rows.
  int find(const QString& folded_word, int first_row, int last_row);

private:
  struct row_fields {
    qsizetype title, album, artist;  // starts; each field ends at its U+0000
  };
  static void write_row(row_fields& f, char16_t* begin, char16_t*& out, const ov_playlist_item* item);
  static qsizetype folded_size(const ov_playlist_item* item);
  qsizetype row_end(int row) const;
  int row_at(qsizetype position) const;
  bool row_matches(int row, QStringView word) const;
  int find_by_rows(QStringView word, int first_row, int last_row) const;
  void apply_order();

  QString text_;
  std::vector<row_fields> rows_;
  // Row of the text for each row of the list; empty when they agree.
  std::vector<int> pending_order_;
};
