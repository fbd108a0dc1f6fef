#pragma once

#include "ov_adoptable.h"
#include "ov_medley_preset.h"

#include <QObject>
#include <QWidget>

#include <memory>

class QAbstractButton;
class QCheckBox;
class QGridLayout;
class QLabel;
class QRadioButton;
class ovg_dspinbox;
class ovg_spinbox;

// One medley preset with its edit page. The page's widgets hold the values;
// record() reads them back. The id 0 preset is "Default" for good. The full
// page stacks every bound pair in rows; the compact one sets the percent
// pairs beside the seconds pairs, in fewer rows.
class ovgp_medley_preset : public QObject {
  Q_OBJECT

public:
  enum class layout_kind : int { full = 0, compact = 1 };

  ovgp_medley_preset(const ov_medley_preset& values, layout_kind layout, QObject* parent = nullptr);
  ~ovgp_medley_preset() override;

  // A new preset with the same id, name, position and values, with its own page.
  std::unique_ptr<ovgp_medley_preset> copy(layout_kind layout) const;

  int id() const { return id_; }
  const QString& name() const { return name_; }
  // The name the views show (a built-in name translated).
  QString shown_name() const { return ov_medley_preset::shown_name(id_, name_); }
  // Ignored for the id 0 preset, and for the shown name itself: an edit that
  // leaves a translated built-in name as it was keeps the stored one.
  void set_name(const QString& name);
  int position() const { return position_; }
  void set_position(int position) { position_ = position; }
  layout_kind layout() const { return layout_; }
  QWidget* widget() const { return page_; }

  ov_medley_preset record() const;
  ov_medley_values values() const { return record().values(); }
  QString description() const { return record().description(); }

private:
  // One bound pair: min and max fields with the "~" between them and a unit.
  struct pair_row {
    QWidget* min = nullptr;
    QWidget* max = nullptr;
    QLabel* tilde = nullptr;
    QLabel* unit = nullptr;
    void set_enabled(bool enabled) const;
  };

  void build_fields(const ov_medley_preset& v);
  pair_row seconds_pair(ovg_dspinbox* min, ovg_dspinbox* max);
  pair_row percent_pair(ovg_spinbox* min, ovg_spinbox* max);
  void build_layout();
  void place_pair(QGridLayout* grid, int row, int column, QWidget* lead, const pair_row& pair);
  void connect_radio(QRadioButton* seconds, const pair_row& sec, const pair_row& pct);

  int id_;
  QString name_;
  int position_;
  layout_kind layout_;
  ov_adoptable<QWidget> page_;

  ovg_dspinbox *fi_smin_, *fi_smax_, *fl_smin_, *fl_smax_, *fo_smin_, *fo_smax_, *sp_smin_, *sp_smax_;
  ovg_spinbox *fl_rmin_, *fl_rmax_, *sp_rmin_, *sp_rmax_;
  QRadioButton *fl_seconds_, *fl_percent_, *sp_seconds_, *sp_percent_;
  QCheckBox *adjust_, *no_fade_, *longer_;
  pair_row fi_, fl_s_, fl_r_, fo_, sp_s_, sp_r_;
};
