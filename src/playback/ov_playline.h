#pragma once

#include <QMap>
#include <QObject>
#include <QString>

#include <memory>

class ov_playback_normal;
class ov_playline_fader;
class ov_track;

// One line of sound as the play controllers see it: a playback object and
// four faders (fade-in, fade-out, flatline, quick fade-out) that move its
// line volume. Every fader start gets a new id, so a controller can tell a
// current phase report from a stale one.
class ov_playline : public QObject {
  Q_OBJECT
public:
  static constexpr int quick_fadeout_length = 500;

  ov_playline();
  ~ov_playline() override;

  bool load(ov_track* track);
  // Loads a file with no library track behind it (command-line tools).
  bool load_file(const QString& file_path);
  void apply_lengths(const QMap<QString, int>& lengths);
  void prepare_fadein();
  void prepare_flatline();
  void prepare_fadeout();
  void prepare_quick_fadeout();
  void start_fadein();
  void start_flatline();
  void start_fadeout();
  void start_quick_fadeout();
  void cancel_faders();
  void reset();

  void play();
  void pause();
  void stop();
  void seek(int msec);
  int position();
  int volume();
  void set_global_volume(int v);

  ov_track* track() const { return track_; }
  bool is_loaded() const { return loaded_; }
  int current_id() const { return current_id_; }
  int fadein_length() const { return fadein_length_; }
  int flatline_length() const { return flatline_length_; }
  int fadeout_length() const { return fadeout_length_; }
  int start_position() const { return start_position_; }
  bool is_no_fade() const { return no_fade_; }
  ov_playback_normal* playback() const { return playback_.get(); }

signals:
  void esignal_fadein_finished(ov_playline* playline, int current_id);
  void esignal_flatline_finished(ov_playline* playline, int current_id);
  void esignal_fadeout_finished(ov_playline* playline, int current_id);
  void esignal_play_finished(ov_playline* playline, int current_id);

public slots:
  void islot_fadein_finished(int id);
  void islot_fadeout_finished(int id);
  void islot_flatline_finished(int id);
  void islot_play_finished();

private:
  void start(ov_playline_fader* fader);

  std::unique_ptr<ov_playback_normal> playback_;
  std::unique_ptr<ov_playline_fader> fadein_;
  std::unique_ptr<ov_playline_fader> fadeout_;
  std::unique_ptr<ov_playline_fader> flatline_;
  std::unique_ptr<ov_playline_fader> quick_fadeout_;
  int current_id_ = 0;
  int fadein_length_ = 0;
  int flatline_length_ = 0;
  int fadeout_length_ = 0;
  int start_position_ = 0;
  bool no_fade_ = false;
  ov_track* track_ = nullptr;
  bool loaded_ = false;
};
