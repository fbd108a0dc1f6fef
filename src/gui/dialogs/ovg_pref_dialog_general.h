#pragma once

#include <QDialog>

class ovgp_general;

// "Orvantis Preferences": the general page as the only (tab-less) tab.
class ovg_pref_dialog_general : public QDialog {
  Q_OBJECT

public:
  explicit ovg_pref_dialog_general(ovgp_general* page, QWidget* parent = nullptr);
};
