#pragma once

#include "ovg_palette_page.h"

#include <QObject>

#include <memory>

class ovg_mode_views;
class ovgv_pc_normal;

// The minimized arrangement of a play mode.
class ovg_palette_small : public QObject {
  Q_OBJECT

public:
  ovg_palette_small(const ovg_mode_views& views, ovgv_pc_normal* play_control, QObject* parent = nullptr);
  ~ovg_palette_small() override;

  QWidget* widget() const { return page_->widget(); }
  ovg_palette_page* page() const { return page_.get(); }
  void arrange() { page_->arrange(); }

private:
  std::unique_ptr<ovg_palette_page> page_;
};
