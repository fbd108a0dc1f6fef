#pragma once

#include "ov_adoptable.h"
#include "ov_medley_preset.h"
#include "ovgp_model_presets.h"

#include <QList>
#include <QObject>
#include <QWidget>

class QPushButton;
class QStackedLayout;
class ov_database;
class ovgp_tableview_presets;

// The page of the presets dialog: the list of presets beside the edit page
// of the current one, with buttons to add and remove presets. Works on its
// own copies; presets() and removed_ids() hand the result out.
class ovgp_medley_presets : public QObject {
  Q_OBJECT

public:
  // db hands out the id of a new preset (not owned; without one the id
  // follows the largest id in the list).
  ovgp_medley_presets(const QList<ov_medley_preset>& presets, ov_database* db, QObject* parent = nullptr);
  ~ovgp_medley_presets() override;

  QWidget* widget() const { return widget_; }
  ovgp_tableview_presets* view() const { return view_; }
  ovgp_model_presets* model() const { return model_; }
  QPushButton* remove_button() const { return remove_; }

  QList<ov_medley_preset> presets() const;
  const QList<int>& removed_ids() const { return removed_ids_; }
  int count() const { return static_cast<int>(presets_.size()); }
  int current_row() const;
  // The edit page shown now.
  QWidget* current_page() const;
  ovgp_medley_preset* preset_at(int row) const;

public slots:
  void islot_current_preset_changed(int row);
  void islot_add_new_preset();
  void islot_remove_selected_preset();
  void islot_move_preset(int from, int to);

private:
  void build_widgets();
  void connect_signals();
  void select_row(int row);
  void add_page(std::unique_ptr<ovgp_medley_preset> preset, int at);
  int new_id();

  ov_database* db_;
  ovgp_preset_list presets_;
  QList<int> removed_ids_;
  ov_adoptable<QWidget> widget_;
  ovgp_model_presets* model_ = nullptr;
  ovgp_tableview_presets* view_ = nullptr;
  QStackedLayout* pages_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* remove_ = nullptr;
};
