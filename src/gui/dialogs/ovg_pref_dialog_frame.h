#pragma once

class QDialog;
class QString;
class QWidget;

// Lays out a preferences dialog: the page as the only, tab-less tab, and OK
// (accept) and Cancel (reject) below it.
void ovg_build_pref_dialog(QDialog* dialog, const QString& title, QWidget* page);
