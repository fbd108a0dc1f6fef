#pragma once

#include <QList>
#include <QString>

class ov_database;
struct ov_command_line;

// The entry function's body for a command line that asks to run: start-up
// in its fixed order, the event loop and shutdown. Returns the process exit
// code.
int ov_startup_run(const ov_command_line& line, char* program);

// The answer to an option that is not known: "Unknown option: X" on stderr,
// in the stored language when the data directory has one (nothing is
// created or written). Returns the exit code, 2.
int ov_startup_refuse_option(const QString& option, char* program);

// The start-up check of the five handles (library, playlists, playlist
// items, presets, favorite engine): empty when all are usable, otherwise the
// text for the "Fatal" section.
QString ov_startup_check(const QList<ov_database*>& handles);

// The warning naming where the files of a lost seed were kept.
QString ov_seed_loss_warning(const QString& kept_dir);
// The message shown when scores could not be stored at exit.
QString ov_unstored_scores_text(int count);
// The warning shown at the first write of the run that failed.
QString ov_write_failure_text(const QString& file, const QString& reason);
// The warning shown when the data directory's file system is nearly full.
QString ov_low_space_text(const QString& dir, qint64 bytes_free);

// Puts the documents the user interface opens (doc/keys.txt, doc/keys_ja.txt,
// doc/orvantis_LICENSE.txt) into doc/ of the working directory when missing.
void ov_install_documents();
