#include "ovg_table_palette.h"

#include <QAbstractItemView>
#include <QPalette>

namespace {

struct role_colours {
  QPalette::ColorRole role;
  const char* active;
  const char* inactive;
};

constexpr role_colours colours[] = {
    {QPalette::Text, "#f4f4f4", "#f4f4f4"},
    {QPalette::Base, "#454e50", "#454e50"},
    {QPalette::AlternateBase, "#585858", "#585858"},
    {QPalette::Highlight, "#a5c8d0", "#5c7880"},
    {QPalette::HighlightedText, "#111111", "#f4f4f4"},
};

}  // namespace

void ovg_apply_table_palette(QAbstractItemView* view) {
  QPalette palette = view->palette();
  for (const role_colours& c : colours) {
    palette.setColor(QPalette::Active, c.role, QColor(QString::fromLatin1(c.active)));
    palette.setColor(QPalette::Inactive, c.role, QColor(QString::fromLatin1(c.inactive)));
  }
  view->setPalette(palette);
}
