#pragma once

#include "ov_adoptable.h"
#include "ov_playlist_item.h"  // the signals carry entries: Qt registers the class whole
#include "ov_view_ports.h"

#include <QList>
#include <QObject>

class QHBoxLayout;
class QLabel;
class QWidget;
class ovg_next_track_box;

// The "Nexts" panel: a row of candidate boxes in one container widget, which
// a palette places (container()). The panel owns the container and deletes
// it when it goes, unless a parent widget already did; boxes are children of
// the container, so their point effects stop and join with them.
class ovgv_next_tracks : public QObject, public ov_next_tracks_port {
  Q_OBJECT

public:
  static constexpr int default_boxes = 4;

  // Fewer than 2 boxes becomes 4.
  explicit ovgv_next_tracks(int number_of_boxes, QObject* parent = nullptr);
  ~ovgv_next_tracks() override;

  // ov_next_tracks_port
  int number_of_boxes() const override { return number_of_boxes_; }
  void set_entries(const QList<ov_playlist_item*>& entries) override;
  QList<ov_playlist_item*> shown_entries_except(const ov_playlist_item* entry) const override;
  bool contains(const ov_playlist_item* entry) const override;
  void run_point_effect(const ov_playlist_item* entry, int value) override;
  void set_enabled(bool enabled) override;

  void set_number_of_boxes(int n);
  void refresh();
  bool is_enabled() const { return enabled_; }

  QWidget* container() const { return container_; }
  const QList<ovg_next_track_box*>& boxes() const { return boxes_; }
  QLabel* disabled_label() const { return disabled_label_; }

signals:
  void esignal_box_clicked(ov_playlist_item* entry);
  void esignal_box_double_clicked(ov_playlist_item* entry);
  void esignal_size_changed();
  void isignal_update_message();

public slots:
  void islot_box_clicked(ovg_next_track_box* box, ov_playlist_item* entry);
  void islot_update_message();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void build_disabled_label();
  void rebuild_boxes();

  int number_of_boxes_;
  ov_adoptable<QWidget> container_;
  QHBoxLayout* layout_ = nullptr;     // the container's
  QLabel* disabled_label_ = nullptr;  // child of the container, outside the layout
  QList<ovg_next_track_box*> boxes_;  // children of the container
  bool enabled_ = true;
};
