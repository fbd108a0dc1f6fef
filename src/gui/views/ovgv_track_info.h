#pragma once

#include "ov_adoptable.h"
#include "ov_view_ports.h"

#include <QObject>

#include <vector>

class QImage;
class QLabel;
class QToolButton;
class QWidget;
class ovg_attached_picture;
class ovg_attached_picture_mask;
class ovgv_track_info_link_label;

// Cover pictures, title links, rank icon and like buttons of the current
// track. Every part is a separate widget the palettes place where their
// arrangement wants it; the view deletes the parts still alive when it goes.
// Point effects float over the picture as its children, so they stop with it.
class ovgv_track_info : public QObject, public ov_track_info_port {
  Q_OBJECT

public:
  static constexpr int large_side = 140;
  static constexpr int large_frame = 144;
  static constexpr int small_side = 48;
  static constexpr int incoming_start_side = 32;
  static constexpr int rank_side = 32;

  explicit ovgv_track_info(QObject* parent = nullptr);
  ~ovgv_track_info() override;

  // ov_track_info_port
  void set_track(const ov_track* track) override;  // null clears
  void set_picture(const ov_track* track) override;
  void show_incoming(int volume) override;
  void hide_incoming() override;
  void clear() override;
  void update_rank(const ov_track* track) override;
  void run_point_effect(int value) override;

  // Maximum width of the four text parts (the two links and the two labels).
  void set_text_max_width(int width);

  // The parts a palette lays out.
  QWidget* large_picture_widget() const { return large_frame_; }  // 144 x 144, incoming cover inside
  ovg_attached_picture* second_large_picture() const { return second_large_; }
  ovg_attached_picture* small_picture() const { return small_; }
  QLabel* rank_icon() const { return rank_icon_; }
  ovgv_track_info_link_label* title_link() const { return title_link_; }
  ovgv_track_info_link_label* second_link() const { return second_link_; }  // album " / " artist
  QLabel* title_label() const { return title_label_; }                      // the same texts, not as links
  QLabel* second_label() const { return second_label_; }
  QToolButton* like_button() const { return like_; }
  QToolButton* dislike_button() const { return dislike_; }

  ovg_attached_picture* large_picture() const { return large_; }
  ovg_attached_picture* incoming_picture() const { return incoming_; }
  // The picture a point effect floats over: the first one shown on screen,
  // the large one when none is.
  QWidget* point_effect_host() const;

signals:
  void esignal_title_clicked();
  void esignal_button_like_clicked();
  void esignal_button_dislike_clicked();

public slots:
  void eslot_enabled_like_buttons(bool enabled);

private:
  void build_pictures();
  void build_texts();
  void build_buttons();
  QToolButton* make_like_button(const QString& icon);
  ovg_attached_picture* make_masked_picture(int side, QWidget* parent);
  void set_cover(const QImage& image);
  template <class T>
  T* keep(T* part) {
    parts_.emplace_back(part);
    return part;
  }

  std::vector<ov_adoptable<QWidget>> parts_;  // top-level parts
  QWidget* large_frame_ = nullptr;
  ovg_attached_picture* large_ = nullptr;
  ovg_attached_picture* second_large_ = nullptr;
  ovg_attached_picture* small_ = nullptr;
  ovg_attached_picture* incoming_ = nullptr;
  QLabel* rank_icon_ = nullptr;
  ovgv_track_info_link_label* title_link_ = nullptr;
  ovgv_track_info_link_label* second_link_ = nullptr;
  QLabel* title_label_ = nullptr;
  QLabel* second_label_ = nullptr;
  QToolButton* like_ = nullptr;
  QToolButton* dislike_ = nullptr;
};
