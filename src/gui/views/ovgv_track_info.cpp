#include "ovgv_track_info.h"

#include "ov_log.h"
#include "ov_rank_table.h"
#include "ov_track.h"
#include "ov_util.h"
#include "ovg_attached_picture.h"
#include "ovg_attached_picture_mask.h"
#include "ovg_point_effect.h"
#include "ovgv_cover.h"
#include "ovgv_track_info_link_label.h"

#include <QImage>
#include <QLabel>
#include <QToolButton>

#include <cmath>

namespace {
const QString log_tag = QStringLiteral("track_info");

// The cover to show, or the no-image picture with its log line.
QImage cover_or_log(const ov_track* track) {
  const QImage cover = ovgv_cover::of(track);
  if (cover.isNull()) ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("image load failed / null image."));
  return cover;
}

// "album / artist", or whichever of the two the tags have.
QString album_and_artist(const ov_tag_data& tags) {
  QStringList parts;
  for (const QString& part : {tags.album(), tags.artist()})
    if (!part.isEmpty()) parts << part;
  return parts.join(QStringLiteral(" / "));
}
}  // namespace

ovgv_track_info::ovgv_track_info(QObject* parent) : QObject(parent) {
  build_pictures();
  build_texts();
  build_buttons();
  clear();
}

ovgv_track_info::~ovgv_track_info() = default;

ovg_attached_picture* ovgv_track_info::make_masked_picture(int side, QWidget* parent) {
  auto* picture = new ovg_attached_picture(side, parent);
  auto* mask = new ovg_attached_picture_mask(side, picture);
  mask->move(0, 0);
  return picture;
}

void ovgv_track_info::build_pictures() {
  large_frame_ = keep(new QWidget);
  large_frame_->setFixedSize(large_frame, large_frame);
  large_ = make_masked_picture(large_side, large_frame_);
  large_->move(1, 1);
  incoming_ = new ovg_attached_picture(incoming_start_side, large_frame_);
  incoming_->hide();
  second_large_ = keep(make_masked_picture(large_side, nullptr));
  small_ = keep(make_masked_picture(small_side, nullptr));
  rank_icon_ = keep(new QLabel);
  rank_icon_->setFixedSize(rank_side, rank_side);
}

void ovgv_track_info::build_texts() {
  title_link_ = keep(new ovgv_track_info_link_label);
  second_link_ = keep(new ovgv_track_info_link_label);
  title_label_ = keep(new QLabel);
  second_label_ = keep(new QLabel);
  // Hidden links keep their line, so the palette does not change height
  // between no track and a track.
  for (QLabel* link : {static_cast<QLabel*>(title_link_), static_cast<QLabel*>(second_link_)}) {
    QSizePolicy policy = link->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    link->setSizePolicy(policy);
  }
  QFont title_font = title_link_->font();
  title_font.setBold(true);
  title_link_->setFont(title_font);
  connect(title_link_, &ovgv_track_info_link_label::esignal_clicked, this, &ovgv_track_info::esignal_title_clicked);
}

QToolButton* ovgv_track_info::make_like_button(const QString& icon) {
  auto* button = keep(new QToolButton);
  button->setIcon(QIcon(icon));
  button->setIconSize(QSize(24, 24));
  button->setAutoRaise(true);
  button->setEnabled(false);
  button->hide();
  return button;
}

void ovgv_track_info::build_buttons() {
  like_ = make_like_button(QStringLiteral(":/icons/button-like.png"));
  dislike_ = make_like_button(QStringLiteral(":/icons/button-dislike.png"));
  like_->setToolTip(tr("Like"));
  dislike_->setToolTip(tr("Dislike"));
  connect(like_, &QToolButton::clicked, this, &ovgv_track_info::esignal_button_like_clicked);
  connect(dislike_, &QToolButton::clicked, this, &ovgv_track_info::esignal_button_dislike_clicked);
}

void ovgv_track_info::set_cover(const QImage& image) {
  for (ovg_attached_picture* p : {large_, second_large_, small_}) p->set_image(image);
}

void ovgv_track_info::set_track(const ov_track* track) {
  if (!track) {
    clear();
    return;
  }
  set_cover(cover_or_log(track));
  const QString title = track->display_title();
  const QString second = album_and_artist(track->tags());
  title_link_->setText(title);
  second_link_->setText(second);
  title_label_->setText(title);
  second_label_->setText(second);
  title_link_->setToolTip(title);
  second_link_->setToolTip(second);
  update_rank(track);
  title_link_->show();
  second_link_->show();
}

void ovgv_track_info::set_picture(const ov_track* track) {
  incoming_->set_image(cover_or_log(track));
}

void ovgv_track_info::show_incoming(int volume) {
  const int side = ov_trunc(ov_clamp(volume, 0, 100) * 0.01 * large_side);
  incoming_->resize(side, side);
  incoming_->move(1, large_side + 1 - side);
  incoming_->show();
  incoming_->raise();
  incoming_->repaint();
}

void ovgv_track_info::hide_incoming() {
  incoming_->hide();
}

void ovgv_track_info::clear() {
  const QImage no_track(QString::fromLatin1(ovg_attached_picture::no_track_path));
  set_cover(no_track);
  incoming_->set_image(no_track);
  for (QLabel* l :
       {static_cast<QLabel*>(title_link_), static_cast<QLabel*>(second_link_), title_label_, second_label_}) {
    l->clear();
    l->setToolTip(QString());
  }
  title_link_->hide();
  second_link_->hide();
  rank_icon_->clear();
}

void ovgv_track_info::update_rank(const ov_track* track) {
  if (!track) return;
  const QImage rank = ov_rank_table::instance().image_of(track->score());
  if (rank.isNull()) {
    rank_icon_->clear();
    return;
  }
  rank_icon_->setPixmap(
      QPixmap::fromImage(rank.scaled(rank_side, rank_side, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  rank_icon_->setToolTip(ov_rank_table::instance().name_of(track->score()));
}

QWidget* ovgv_track_info::point_effect_host() const {
  for (QWidget* w :
       {static_cast<QWidget*>(large_), static_cast<QWidget*>(second_large_), static_cast<QWidget*>(small_)})
    if (w->isVisible()) return w;
  return large_;
}

void ovgv_track_info::run_point_effect(int value) {
  ovg_point_effect::run(point_effect_host(), QPoint(5, 5), value);
}

void ovgv_track_info::set_text_max_width(int width) {
  for (QLabel* l : {static_cast<QLabel*>(title_link_), static_cast<QLabel*>(second_link_), title_label_, second_label_})
    l->setMaximumWidth(width);
}

void ovgv_track_info::eslot_enabled_like_buttons(bool enabled) {
  for (QToolButton* b : {like_, dislike_}) {
    b->setEnabled(enabled);
    if (enabled) b->show();
  }
}
