#include "ovg_pref_dialog_general.h"

#include "ovg_pref_dialog_frame.h"
#include "ovgp_general.h"

ovg_pref_dialog_general::ovg_pref_dialog_general(ovgp_general* page, QWidget* parent) : QDialog(parent) {
  ovg_build_pref_dialog(this, tr("Orvantis Preferences"), page->widget());
}
