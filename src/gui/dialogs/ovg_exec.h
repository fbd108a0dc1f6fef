#pragma once

class QDialog;

// Runs a dialog modally and returns its result. Every modal dialog of the
// program goes through here, so that automated runs of the real program
// (ORVANTIS_AUTOTEST=accept|reject, see ov_autotest.h) can read the texts of
// each dialog on stderr and have it close itself.
int ovg_exec(QDialog* dialog);
