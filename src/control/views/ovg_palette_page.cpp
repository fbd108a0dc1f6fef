#include "ovg_palette_page.h"

#include <QBoxLayout>
#include <QWidget>

ovg_palette_page::ovg_palette_page() : widget_(new QWidget) {}

ovg_palette_page::~ovg_palette_page() = default;

void ovg_palette_page::add_slot(QBoxLayout* layout, QWidget* view) {
  if (view) slots_.append({layout, view});
}

void ovg_palette_page::arrange() {
  for (const slot& s : slots_) {
    if (!s.view || s.layout->indexOf(s.view) >= 0) continue;
    s.layout->addWidget(s.view);
    s.view->show();
  }
}

bool ovg_palette_page::holds(const QWidget* view) const {
  for (const slot& s : slots_)
    if (s.view == view) return s.layout->indexOf(const_cast<QWidget*>(view)) >= 0;
  return false;
}
