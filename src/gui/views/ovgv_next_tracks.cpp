#include "ovgv_next_tracks.h"

#include "ov_log.h"
#include "ovg_attached_picture.h"
#include "ovg_next_track_box.h"
#include "ovg_point_effect.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

namespace {
const QString log_tag = QStringLiteral("next_tracks");
// Where the points float, from the top left of the box's cover: a box is
// as wide as its share of the panel, with the cover centred in it.
const QPoint point_effect_anchor(0, 35);
}  // namespace

ovgv_next_tracks::ovgv_next_tracks(int number_of_boxes, QObject* parent)
    : QObject(parent), number_of_boxes_(number_of_boxes < 2 ? default_boxes : number_of_boxes) {
  container_ = new QWidget;
  layout_ = new QHBoxLayout(container_);
  layout_->setContentsMargins(0, 0, 0, 0);
  rebuild_boxes();
  build_disabled_label();
  container_->installEventFilter(this);
  connect(this, &ovgv_next_tracks::isignal_update_message, this, &ovgv_next_tracks::islot_update_message);
  emit isignal_update_message();
}

ovgv_next_tracks::~ovgv_next_tracks() = default;

void ovgv_next_tracks::build_disabled_label() {
  disabled_label_ = new QLabel(tr("Disabled"), container_);
  QFont f = disabled_label_->font();
  f.setPointSize(20);
  f.setWeight(QFont::Bold);  // 75 on the old weight scale
  disabled_label_->setFont(f);
  disabled_label_->setStyleSheet(QStringLiteral("* { color: #dddddd;}"));
  disabled_label_->adjustSize();
  disabled_label_->hide();
}

void ovgv_next_tracks::rebuild_boxes() {
  // Deleting a box at once also deletes and joins any point effect on it.
  for (ovg_next_track_box* box : std::as_const(boxes_)) {
    layout_->removeWidget(box);
    delete box;
  }
  boxes_.clear();
  for (int i = 0; i < number_of_boxes_; ++i) {
    auto* box = new ovg_next_track_box(container_);
    boxes_ << box;
    connect(box, &ovg_next_track_box::esignal_mouse_released, this, &ovgv_next_tracks::islot_box_clicked);
    connect(box, &ovg_next_track_box::esignal_double_clicked, this, &ovgv_next_tracks::esignal_box_double_clicked);
    layout_->addWidget(box);
    box->set_active(enabled_);
  }
  if (disabled_label_) disabled_label_->raise();
}

bool ovgv_next_tracks::eventFilter(QObject* watched, QEvent* event) {
  // Keeps the "Disabled" message centred when a palette resizes the container.
  if (watched == container_ && event->type() == QEvent::Resize && !enabled_) islot_update_message();
  return QObject::eventFilter(watched, event);
}

void ovgv_next_tracks::set_number_of_boxes(int n) {
  const int wanted = n < 2 ? default_boxes : n;
  if (wanted == number_of_boxes_) return;
  number_of_boxes_ = wanted;
  rebuild_boxes();
  emit esignal_size_changed();
  emit isignal_update_message();
}

void ovgv_next_tracks::set_entries(const QList<ov_playlist_item*>& entries) {
  QList<ov_playlist_item*> left = entries;
  for (ovg_next_track_box* box : std::as_const(boxes_)) {
    if (left.isEmpty()) {
      ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("foreach: it is empty"));
      box->set_entry(nullptr);
      box->set_selectable(false);
      continue;
    }
    box->set_entry(left.takeFirst());
    box->set_selectable(true);
    box->refresh_hover();
  }
}

QList<ov_playlist_item*> ovgv_next_tracks::shown_entries_except(const ov_playlist_item* entry) const {
  QList<ov_playlist_item*> out;
  for (const ovg_next_track_box* box : boxes_)
    if (box->entry() && box->entry() != entry) out << box->entry();
  return out;
}

bool ovgv_next_tracks::contains(const ov_playlist_item* entry) const {
  if (!entry) return false;
  for (const ovg_next_track_box* box : boxes_)
    if (box->entry() == entry) return true;
  return false;
}

void ovgv_next_tracks::run_point_effect(const ov_playlist_item* entry, int value) {
  if (!entry) return;
  for (ovg_next_track_box* box : std::as_const(boxes_)) {
    if (box->entry() != entry) continue;
    ovg_point_effect::run(box, box->picture()->pos() + point_effect_anchor, value);
    return;
  }
}

void ovgv_next_tracks::set_enabled(bool enabled) {
  enabled_ = enabled;
  for (ovg_next_track_box* box : std::as_const(boxes_)) box->set_active(enabled);
  emit isignal_update_message();
}

void ovgv_next_tracks::refresh() {
  emit isignal_update_message();
}

void ovgv_next_tracks::islot_box_clicked(ovg_next_track_box*, ov_playlist_item* entry) {
  for (ovg_next_track_box* box : std::as_const(boxes_)) box->set_selectable(false);
  if (entry) emit esignal_box_clicked(entry);
}

void ovgv_next_tracks::islot_update_message() {
  if (enabled_) {
    disabled_label_->hide();
    return;
  }
  const QSize area = container_->size();
  const QSize label = disabled_label_->sizeHint();
  disabled_label_->resize(label);
  disabled_label_->move((area.width() - label.width()) / 2, (area.height() - label.height()) / 2);
  ov_log_write(ov_log::DEBUG, log_tag,
               QStringLiteral("UPDATE MESSAGE container %1x%2 label %3x%4")
                   .arg(area.width())
                   .arg(area.height())
                   .arg(label.width())
                   .arg(label.height()));
  disabled_label_->show();
  disabled_label_->raise();
}
