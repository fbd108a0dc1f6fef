#pragma once

#include "ov_adoptable.h"

#include <QList>
#include <QPointer>
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
