#pragma once

#include <QColor>
#include <QFont>
#include <QThread>
#include <QWidget>

#include <condition_variable>
#include <memory>
#include <mutex>

class ovg_point_effect;

// Drives one point effect: every 100 ms it lowers the alpha and advances the
// travel, reporting both as queued signals to the effect widget. The effect
// owns it and stops and joins it before it goes, so no report reaches a
// freed widget and no thread outlives its view.
class ovg_point_effect_thread : public QThread {
  Q_OBJECT

public:
  ovg_point_effect_thread(ovg_point_effect* effect, int travel_x, int travel_y, int duration_ms);
  ~ovg_point_effect_thread() override;

  bool is_valid() const { return effect_ && duration_ms_ >= 100; }
  void stop();  // ends the run at once and joins it

signals:
  void signal_alpha_changed(int alpha);
  void signal_moved(int x, int y);
  void signal_hide();

protected:
  void run() override;

private:
  bool wait_step();  // false when stopped

  ovg_point_effect* effect_;
  int travel_x_;
  int travel_y_;
  int duration_ms_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;  // guarded by mutex_
};

// The points of an award floating over a view for a second: red and rising
// for a gain, blue and sinking for a loss, fading out as they travel.
class ovg_point_effect : public QWidget {
  Q_OBJECT

public:
  static constexpr int travel_pixels = 8;
  static constexpr int duration_ms = 1000;

  explicit ovg_point_effect(QWidget* parent);
  ~ovg_point_effect() override;

  // Floats the points over `view` from `anchor` (in the view's coordinates)
  // and deletes the effect when it has faded.
  static ovg_point_effect* run(QWidget* view, QPoint anchor, int points);

  QString text() const { return text_; }
  QColor colour() const { return colour_; }
  QFont text_font() const { return font_; }
  int alpha() const { return alpha_; }
  int travel_y() const { return travel_y_; }
  // The running fade, null before start; owned by the effect.
  ovg_point_effect_thread* fade_thread() const { return thread_.get(); }

public slots:
  void eslot_set_alpha(int alpha);
  void eslot_move(int x, int y);
  void eslot_hide();

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void start(QPoint anchor, int points);

  QString text_;
  QColor colour_;
  QFont font_;
  int alpha_ = 255;
  int travel_y_ = 0;
  QPoint origin_;
  std::unique_ptr<ovg_point_effect_thread> thread_;
};
