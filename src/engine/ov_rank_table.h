#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The fifteen score ranks F .. SS. Built once on first use and only read
// afterwards; every lookup searches in index order and takes the first rank
// whose range holds the score.
class ov_rank_table {
public:
  struct rank {
    int index = 0;
    QString name;
    QString icon_word;
    int lowest = 0;   // inclusive
    int highest = 0;  // inclusive
    QString icon_path() const { return QStringLiteral(":/icons/rank-") + icon_word + QStringLiteral(".png"); }
  };

  static const ov_rank_table& instance();

  int count() const { return ranks_.size(); }
  // Null when the index is outside the table.
  const rank* at(int index) const;

  // Rank index of a score clamped to 0..99999999 first; 0 when no rank holds it.
  int index_of(int score) const;
  // Rank index of the score as given; 0 when no rank holds it.
  int rank_index(int score) const;
  // Empty text when no rank holds the score.
  QString name_of(int score) const;
  QString icon_of(int score) const;
  // Null image when no rank holds the score; loaded on first request.
  QImage image_of(int score) const;
  // The highest score of the rank with this name; 0 for an unknown name.
  int highest_score_of(const QString& name) const;

  // Per-index accessors; empty text, 0 or a null image outside the table.
  QString name(int index) const;
  int lowest(int index) const;
  int highest(int index) const;
  QString icon_path(int index) const;
  QImage image(int index) const;

  static constexpr int lowest_score = 0;
  static constexpr int highest_score = 99999999;

private:
  ov_rank_table();
  void add(const QString& name, const QString& icon_word, int lowest, int highest);
  const rank* find_by_score(int score) const;

  QList<rank> ranks_;
};
