#pragma once

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

class ov_database;

// The entry function's body: start-up in its fixed order, the event loop and
// shutdown. Returns the process exit code.
int ov_startup_run(int& argc, char** argv);

// The files and directories named on a command line (arguments after the
// program), made absolute against start_dir: options and the values of Qt's
// own options are left out; after "--" every argument is a path.
QStringList ov_command_line_paths(const QStringList& args, const QDir& start_dir);

// The start-up check of the five handles (library, playlists, playlist
// items, presets, favorite engine): empty when all are usable, otherwise the
// text for the "Fatal" section.
QString ov_startup_check(const QList<ov_database*>& handles);

// The warning naming where the files of a lost seed were kept.
QString ov_seed_loss_warning(const QString& kept_dir);
// The message shown when scores could not be stored at exit.
QString ov_unstored_scores_text(int count);

// Puts the documents the user interface opens (doc/keys.txt, doc/keys_ja.txt,
// doc/orvantis_LICENSE.txt) into doc/ of the working directory when missing.
void ov_install_documents();
