#include "ovgp_general.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

ovgp_general::ovgp_general(QObject* parent) : QObject(parent), widget_(new QWidget) {
  auto* layout = new QVBoxLayout(widget_);

  auto* control = new QGroupBox(tr("Control"), widget_);
  auto* control_layout = new QVBoxLayout(control);
  follow_ = new QCheckBox(tr("Ctrl+L follows panel"), control);
  follow_->setObjectName(QStringLiteral("follow_panel"));
  auto* key_row = new QHBoxLayout;
  auto* key_label = new QLabel(tr("Playback control key will be sent to"), control);
  key_target_ = new QComboBox(control);
  key_target_->setObjectName(QStringLiteral("key_target"));
  key_target_->addItem(tr("Selected Panel"), 1);
  key_target_->addItem(tr("Playing Panel"), 2);
  key_row->addWidget(key_label);
  key_row->addWidget(key_target_);
  key_row->addStretch();
  control_layout->addWidget(follow_);
  control_layout->addLayout(key_row);

  auto* gain = new QGroupBox(tr("ReplayGain (coming soon)"), widget_);
  gain->setObjectName(QStringLiteral("replaygain"));
  auto* gain_layout = new QFormLayout(gain);
  auto* enable = new QCheckBox(tr("Enable ReplayGain"), gain);
  auto* type = new QComboBox(gain);
  type->addItem(tr("Album Gain -> Track Gain"));
  auto* preamp = new QLineEdit(gain);
  gain_layout->addRow(enable);
  gain_layout->addRow(tr("ReplayGain type"), type);
  gain_layout->addRow(tr("Pre amp for tracks without ReplayGain info"), preamp);
  gain->setEnabled(false);

  layout->addWidget(control);
  layout->addWidget(gain);
  layout->addStretch();
}

ovgp_general::~ovgp_general() = default;

void ovgp_general::load(bool follow, int key_target) {
  follow_->setChecked(follow);
  const int index = key_target_->findData(key_target);
  if (index >= 0) key_target_->setCurrentIndex(index);
}

bool ovgp_general::follow() const {
  return follow_->isChecked();
}

int ovgp_general::key_target() const {
  return key_target_->currentData().toInt();
}
