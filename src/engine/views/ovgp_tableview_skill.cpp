#include "ovgp_tableview_skill.h"

#include "ovgp_model_skill.h"

#include <QHeaderView>
#include <QKeyEvent>

ovgp_tableview_skill::ovgp_tableview_skill(QWidget* parent) : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setShowGrid(false);
  setAlternatingRowColors(true);
  setTabKeyNavigation(false);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(20);
}

void ovgp_tableview_skill::fit_columns() {
  QHeaderView* header = horizontalHeader();
  header->setSectionResizeMode(ovgp_model_skill::column_check, QHeaderView::Fixed);
  header->resizeSection(ovgp_model_skill::column_check, 24);
  header->setSectionResizeMode(ovgp_model_skill::column_name, QHeaderView::Stretch);
  header->setSectionResizeMode(ovgp_model_skill::column_size, QHeaderView::Fixed);
  header->resizeSection(ovgp_model_skill::column_size, 44);
}

void ovgp_tableview_skill::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  emit esignal_current_changed(this, current.row());
}

void ovgp_tableview_skill::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
    if (currentIndex().isValid()) emit esignal_space_pushed(currentIndex().row());
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}
