#include "ovg_dialog_favorite_engine_upgraded_tableview.h"

#include <QHeaderView>

ovg_dialog_favorite_engine_upgraded_tableview::ovg_dialog_favorite_engine_upgraded_tableview(QWidget* parent)
    : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setShowGrid(false);
  setAlternatingRowColors(true);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(20);
  horizontalHeader()->setStretchLastSection(false);
}

void ovg_dialog_favorite_engine_upgraded_tableview::currentChanged(const QModelIndex& current,
                                                                   const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  emit esignal_current_changed(current.row());
}
