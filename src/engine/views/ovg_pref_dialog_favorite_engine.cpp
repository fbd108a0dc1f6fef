#include "ovg_pref_dialog_favorite_engine.h"

#include "ovg_pref_dialog_frame.h"
#include "ovgp_favorite_engine.h"

ovg_pref_dialog_favorite_engine::ovg_pref_dialog_favorite_engine(ovgp_favorite_engine* page, QWidget* parent)
    : QDialog(parent) {
  ovg_build_pref_dialog(this, tr("Pref (Favorite Engine)"), page->widget());
  resize(980, 560);
}
