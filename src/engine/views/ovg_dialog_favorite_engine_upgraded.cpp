#include "ovg_dialog_favorite_engine_upgraded.h"

#include "ovd_skill.h"
#include "ovg_dialog_favorite_engine_upgraded_comparison.h"
#include "ovg_dialog_favorite_engine_upgraded_model.h"
#include "ovg_dialog_favorite_engine_upgraded_tableview.h"
#include "ovgv_favorite_engine_icon.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int grade_icon_size = 48;

QWidget* grade_badge(const ov_grade_table::grade& grade, QWidget* parent) {
  auto* badge = new QWidget(parent);
  auto* layout = new QVBoxLayout(badge);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new ovgv_favorite_engine_icon(grade.image(), grade_icon_size, grade_icon_size, badge), 0,
                    Qt::AlignHCenter);
  auto* name = new QLabel(grade.display_name(), badge);
  name->setAlignment(Qt::AlignCenter);
  layout->addWidget(name);
  return badge;
}
}  // namespace

ovg_dialog_favorite_engine_upgraded::ovg_dialog_favorite_engine_upgraded(const ov_grade_table::grade& old_grade,
                                                                         const ov_grade_table::grade& new_grade,
                                                                         QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(tr("Favorite Engine Upgraded"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(build_grade_header(old_grade, new_grade));
  comparison_ = new ovg_dialog_favorite_engine_upgraded_comparison(old_grade, new_grade, this);
  left->addWidget(comparison_);
  left->addStretch();
  columns->addLayout(left);
  columns->addWidget(build_new_skills(new_grade), 1);
  layout->addLayout(columns);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  buttons->button(QDialogButtonBox::Ok)->setFocus();  // the table starts without a current row
  resize(640, 380);
}

QWidget* ovg_dialog_favorite_engine_upgraded::build_grade_header(const ov_grade_table::grade& old_grade,
                                                                 const ov_grade_table::grade& new_grade) {
  auto* header = new QWidget(this);
  auto* row = new QHBoxLayout(header);
  row->addWidget(grade_badge(old_grade, header));
  row->addWidget(new QLabel(QStringLiteral("->"), header), 0, Qt::AlignCenter);
  row->addWidget(grade_badge(new_grade, header));
  return header;
}

QWidget* ovg_dialog_favorite_engine_upgraded::build_new_skills(const ov_grade_table::grade& new_grade) {
  auto* box = new QGroupBox(tr("New Skills"), this);
  auto* layout = new QVBoxLayout(box);
  model_ = new ovg_dialog_favorite_engine_upgraded_model(ovd_skill::instance().new_at(new_grade.index), this);
  table_view_ = new ovg_dialog_favorite_engine_upgraded_tableview(box);
  table_view_->setModel(model_);
  table_view_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  table_view_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  description_ = new QLabel(tr("Skill description will be here."), box);
  description_->setWordWrap(true);
  description_->setMinimumHeight(48);
  description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  description_->setFrameShape(QFrame::StyledPanel);
  layout->addWidget(table_view_, 1);
  layout->addWidget(description_);
  connect(table_view_, &ovg_dialog_favorite_engine_upgraded_tableview::esignal_current_changed, this,
          &ovg_dialog_favorite_engine_upgraded::islot_tableview_current_changed);
  return box;
}

void ovg_dialog_favorite_engine_upgraded::islot_tableview_current_changed(int row) {
  const ovd_skill::skill* s = model_->skill_at(row);
  if (s) description_->setText(s->description());
}
