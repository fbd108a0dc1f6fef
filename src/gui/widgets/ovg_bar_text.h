#pragma once

#include <QProgressBar>

class QColor;
class QPainter;

// Writes text centred in area over a bar that is filled from the left up to
// fill_right (exclusive): the part of the text over the fill in one colour,
// the rest in the other, so the text reads whatever the fill.
void ovg_draw_bar_text(QPainter* painter, const QRect& area, int fill_right, const QString& text,
                       const QColor& over_fill, const QColor& over_rest);

// A progress bar whose text reads at every value: the style draws the groove
// and the chunk, the text goes over them in the palette's highlighted-text
// colour over the chunk and its text colour over the groove.
class ovg_progress_bar : public QProgressBar {
  Q_OBJECT

public:
  explicit ovg_progress_bar(QWidget* parent = nullptr);

  // Sets the value as setValue does but repaints only what the change moves:
  // the end of the chunk and the text. setValue repaints the whole bar at
  // once, and the style strokes a wide bar in fills that Qt spreads over its
  // thread pool, waking those threads on every tick of a countdown.
  void set_value_in_place(int value);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  // Where the chunk ends (exclusive) and where the text goes: the parts of
  // the bar whose look follows the value.
  int fill_edge() const;
  QRect text_area() const;
};
