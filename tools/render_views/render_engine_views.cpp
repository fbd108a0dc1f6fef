#include "ov_database.h"
#include "ov_favorite_engine.h"
#include "ov_favorite_record.h"
#include "ov_random.h"
#include "ov_schema.h"
#include "ovd_skill.h"
#include "ovg_dialog_favorite_engine_upgraded.h"
#include "ovg_icon.h"
#include "ovg_point_effect.h"
#include "ovg_pref_dialog_favorite_engine.h"
#include "ovgp_favorite_engine.h"
#include "ovgv_favorite_engine.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTemporaryDir>
#include <QTranslator>

namespace {
const QString seed = QStringLiteral("render-views-seed");

// Every multiplier draw succeeds.
class always_lucky final : public ov_random {
public:
  int raw() override { return 0; }
};

void save(QWidget* widget, const QString& out_dir, const QString& name) {
  widget->show();
  QApplication::processEvents();
  widget->grab().save(out_dir + QStringLiteral("/engine_views_") + name + QStringLiteral(".png"));
}

// An engine at Mercury, half way to Silver, with a handful of skills and a
// countdown and multiplier running.
std::unique_ptr<ov_favorite_engine> middle_engine(ov_database* db) {
  ov_favorite_record record;
  record.grade = ov_grade_table::instance().find(5);
  record.experience = 2600;
  record.skills = ov_skill_set(record.grade->skill_capacity);
  for (int id : {5, 8, 6, 13, 4}) record.skills.add(ovd_skill::instance().find(id));
  record.save(db, seed);
  auto engine = std::make_unique<ov_favorite_engine>(db, seed);
  always_lucky lucky;
  ov_random_scope scope(&lucky);
  engine->roll_multiplier(50);
  engine->use_kind(ov_favorite_engine::play_new);
  for (int i = 0; i < 12; ++i) engine->islot_update_time_left();
  return engine;
}

void render_point_effects(const QString& out_dir) {
  QWidget view;
  view.resize(220, 90);
  auto* layout = new QHBoxLayout(&view);
  auto* a = new QLabel(QStringLiteral("Track A"), &view);
  auto* b = new QLabel(QStringLiteral("Track B"), &view);
  layout->addWidget(a);
  layout->addWidget(b);
  view.show();
  QApplication::processEvents();
  ovg_point_effect::run(&view, a->pos(), -3);
  ovg_point_effect::run(&view, b->pos(), 1500);
  save(&view, out_dir, QStringLiteral("point_effect"));
}

void render_icons(const QString& out_dir) {
  QWidget row;
  auto* layout = new QHBoxLayout(&row);
  auto* on = new ovg_icon(QStringLiteral(":/icons/atk-push_button.png"), &row);
  auto* off = new ovg_icon(QStringLiteral(":/icons/atk-push_button.png"), &row);
  off->setEnabled(false);
  for (ovg_icon* icon : {on, off}) {
    icon->setFixedSize(48, 48);
    layout->addWidget(icon);
  }
  save(&row, out_dir, QStringLiteral("icon"));
}

void render_all(ov_favorite_engine* engine, const QString& out_dir, const QString& suffix) {
  {
    ovgv_favorite_engine panel(engine);
    panel.widget()->resize(360, 170);
    save(panel.widget(), out_dir, QStringLiteral("status") + suffix);
  }
  const ov_grade_table& grades = ov_grade_table::instance();
  ovg_dialog_favorite_engine_upgraded upgraded(*grades.find(4), *grades.find(5));
  save(&upgraded, out_dir, QStringLiteral("upgraded") + suffix);

  ovgp_favorite_engine page(engine);
  ovg_pref_dialog_favorite_engine pref(&page);
  save(&pref, out_dir, QStringLiteral("preferences") + suffix);
}
}  // namespace

void ov_render_engine_views(const QString& out_dir) {
  QTemporaryDir dir;
  std::unique_ptr<ov_database> db = ov_open_database(dir.path(), QStringLiteral("favorite_engine"));
  std::unique_ptr<ov_favorite_engine> engine = middle_engine(db.get());
  render_all(engine.get(), out_dir, QString());
  {
    // A first start: no experience yet, the waiting time counting down.
    QTemporaryDir fresh_dir;
    std::unique_ptr<ov_database> fresh_db = ov_open_database(fresh_dir.path(), QStringLiteral("favorite_engine"));
    ov_favorite_engine fresh(fresh_db.get(), seed);
    fresh.use_kind(ov_favorite_engine::play_new);
    for (int i = 0; i < 15; ++i) fresh.islot_update_time_left();
    ovgv_favorite_engine panel(&fresh);
    panel.widget()->resize(360, 170);
    save(panel.widget(), out_dir, QStringLiteral("status_first_start"));
  }
  render_point_effects(out_dir);
  render_icons(out_dir);

  QTranslator japanese;
  if (japanese.load(QStringLiteral(":/tr/ov_jp.qm")) && QCoreApplication::installTranslator(&japanese)) {
    render_all(engine.get(), out_dir, QStringLiteral("_ja"));
    QCoreApplication::removeTranslator(&japanese);
  }
}
