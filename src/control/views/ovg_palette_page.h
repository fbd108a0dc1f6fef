#pragma once

#include "ov_adoptable.h"

#include <QList>
#include <QPointer>
#include <QStackedWidget>
#include <QWidget>

class QBoxLayout;

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
  ov_adoptable<QWidget> widget_;
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

// Lays a palette widget out with narrow margins: its header row (title and
// buttons) above the stack of its arrangements. The stack is as wide as the
// arrangement in view needs (arrangements fit by their layout, never by
// scrolling sideways) and as high when there is room, but may be lower with
// a vertical scroll bar, so a low window still shows the track table.
void ovg_lay_out_palette(QWidget* palette, QBoxLayout* header, QStackedWidget* stack);
