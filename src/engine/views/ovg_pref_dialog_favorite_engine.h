#pragma once

#include <QDialog>

class ovgp_favorite_engine;

// "Pref (Favorite Engine)": the skill page as the only (tab-less) tab, with
// OK and Cancel.
class ovg_pref_dialog_favorite_engine : public QDialog {
  Q_OBJECT

public:
  explicit ovg_pref_dialog_favorite_engine(ovgp_favorite_engine* page, QWidget* parent = nullptr);
};
