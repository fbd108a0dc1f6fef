#pragma once

#include "ove_playback.h"

#include <QMap>
#include <QObject>
#include <QStringList>

class ov_playline;

// Drives the ovplay command-line harness: plays files one after another
// through one play line, either whole or through the medley phases, and
// prints one line per state change and per phase report.
class ovplay_runner : public QObject {
  Q_OBJECT
public:
  struct options {
    int volume = -1;  // line volume for whole-file play; -1 leaves it at 100
    int global_volume = 100;
    int start = -1;                                  // ms; -1: from the beginning
    int fade_in = -1, flatline = -1, fade_out = -1;  // ms; any of them makes it a medley
    QStringList files;
  };

  // Parses the arguments (without the program name); false on a usage error.
  static bool parse(const QStringList& args, options* out, QString* error);
  static QString usage();

  explicit ovplay_runner(const options& o);
  ~ovplay_runner() override;

  // Starts the first file; the exit code arrives through finished().
  void start();

signals:
  void finished(int exit_code);

private:
  bool medley() const;
  void next_file();
  void on_state(ove_playback::status old_state, ove_playback::status new_state);
  void on_fadein(int id);
  void on_flatline(int id);
  void on_fadeout(int id);
  void on_play_finished(int id);
  void print(const QString& line);

  options options_;
  ov_playline* line_;
  int index_ = -1;
};
