#pragma once

#include <QList>
#include <QPointer>
#include <QScrollArea>
#include <QStackedWidget>
#include <QWidget>

class QBoxLayout;
class QStackedWidget;

// One arrangement of a play mode's views: a page with a layout slot per
// view. arrange() puts each view into its slot unless the slot already holds
// it, so the same widgets move between the arrangements of their mode.
class ovg_palette_page {
public:
  ovg_palette_page();
  ~ovg_palette_page();
  ovg_palette_page(const ovg_palette_page&) = delete;
  ovg_palette_page& operator=(const ovg_palette_page&) = delete;

  QWidget* widget() const { return widget_; }
  // A null view gets no slot.
  void add_slot(QBoxLayout* slot, QWidget* view);
  void arrange();
  bool holds(const QWidget* view) const;

private:
  struct slot {
    QBoxLayout* layout;
    QPointer<QWidget> view;
  };
  QPointer<QWidget> widget_;
  QList<slot> slots_;
};

// The arrangements of a palette, one shown at a time. Its size hints are
// those of the page in view, so a smaller arrangement gives its room back to
// the window instead of keeping the largest page's size.
class ovg_palette_stack : public QStackedWidget {
  Q_OBJECT

public:
  explicit ovg_palette_stack(QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
};

// Holds a palette's arrangements: as wide as the arrangement in view needs
// (arrangements fit by their layout, never by scrolling sideways) and as
// high when there is room, but free to be lower with a vertical scroll bar,
// so a low window still shows the track table.
class ovg_palette_scroll : public QScrollArea {
  Q_OBJECT

public:
  static constexpr int min_height = 96;

  explicit ovg_palette_scroll(QWidget* content, QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Lays a palette widget out: its header row (title and buttons) above the
// stack of its arrangements in an ovg_palette_scroll, with narrow margins.
void ovg_lay_out_palette(QWidget* palette, QBoxLayout* header, QStackedWidget* stack);
