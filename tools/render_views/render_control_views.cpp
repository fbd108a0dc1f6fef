// Renders the play-control panels, the medley preset pages and dialog and
// the palettes of both play modes. The views of other areas are stood in by
// framed labels of about their size.
#include "ov_database.h"
#include "ov_medley_preset_store.h"
#include "ov_play_settings.h"
#include "ov_schema.h"
#include "ovg_combo_box.h"
#include "ovg_mode_views.h"
#include "ovg_palette_large.h"
#include "ovg_palette_manual_medley.h"
#include "ovg_palette_medium.h"
#include "ovg_palette_normal.h"
#include "ovg_pref_dialog_medley_preset.h"
#include "ovgp_medley_preset.h"
#include "ovgp_medley_presets.h"
#include "ovgv_pc_medley.h"
#include "ovgv_pc_normal.h"

#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>

namespace {

class stand_in_views : public ovg_mode_views {
public:
  stand_in_views() {
    // About the minimum sizes of the real views.
    add("playback", 350, 30);
    add("track info", 190, 180);
    add("next tracks", 230, 70);
    add("volume", 160, 24);
    add("engine status", 270, 170);
  }
  ~stand_in_views() override {
    for (auto& w : widgets_) delete w.data();
  }
  QWidget* playback() const override { return widgets_[0]; }
  QWidget* track_info() const override { return widgets_[1]; }
  QWidget* next_tracks() const override { return widgets_[2]; }
  QWidget* volume() const override { return widgets_[3]; }
  QWidget* engine_status() const override { return widgets_[4]; }
  void set_playback_arrangement(playback_arrangement a) override {
    widgets_[0]->setFixedHeight(a == playback_arrangement::wide ? 30 : 50);
  }
  void set_playback_icon_size(icon_size) override {}
  void set_track_info_text_max_width(int width) override {
    label(1)->setText(QStringLiteral("track info\n(text width %1)").arg(width));
  }

private:
  void add(const char* name, int w, int h) {
    auto* l = new QLabel(QString::fromLatin1(name));
    l->setFrameShape(QFrame::Box);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumSize(w, h);
    widgets_ << l;
  }
  QLabel* label(int i) const { return static_cast<QLabel*>(widgets_[i].data()); }
  QList<QPointer<QWidget>> widgets_;
};

void save(QWidget* w, const QString& out_dir, const QString& name, QSize size = QSize()) {
  if (size.isValid())
    w->resize(size);
  else
    w->adjustSize();
  w->show();
  w->grab().save(QDir(out_dir).filePath(QStringLiteral("control_views_") + name + QStringLiteral(".png")));
  w->hide();
}

void render_preset_pages(const QString& out_dir) {
  const ov_medley_preset long_preset = ov_medley_preset::built_in()[1];
  ovgp_medley_preset full(long_preset, ovgp_medley_preset::layout_kind::full);
  save(full.widget(), out_dir, QStringLiteral("preset_page_full"));
  ovgp_medley_preset compact(long_preset, ovgp_medley_preset::layout_kind::compact);
  save(compact.widget(), out_dir, QStringLiteral("preset_page_compact"));
}

void render_dialog(const QString& out_dir, ov_database* db) {
  const QList<ov_medley_preset> presets = ov_medley_preset_store(db).load().presets;
  ovg_pref_dialog_medley_preset dialog(presets, db);
  dialog.page()->islot_add_new_preset();
  save(&dialog, out_dir, QStringLiteral("pref_dialog_medley_preset"), QSize(620, 380));
}

void render_panels(const QString& out_dir, ov_settings_group* normal, ov_settings_group* medley) {
  ovgv_pc_normal pc(normal);
  save(pc.full_widget(), out_dir, QStringLiteral("pc_normal"));
  ovgv_pc_medley panel(medley, ov_medley_preset::built_in());
  panel.combo()->setCurrentIndex(3);
  save(panel.widget(), out_dir, QStringLiteral("pc_medley"));
}

// Each palette at the narrowest window width it must fit.
void render_palettes(const QString& out_dir, ov_settings_group* normal, ov_settings_group* medley) {
  const QSize size(940, 300);
  {
    stand_in_views views;
    ovgv_pc_normal pc(normal);
    ovg_palette_normal palette(normal, &views, &pc);
    save(palette.widget(), out_dir, QStringLiteral("palette_normal"), size);
    palette.medium()->set_minimized(true);
    save(palette.widget(), out_dir, QStringLiteral("palette_normal_minimized"), size);
    palette.medium()->set_minimized(false);
  }
  stand_in_views views;
  ovgv_pc_normal pc(medley);
  ovgv_pc_medley panel(medley, ov_medley_preset::built_in());
  ovg_palette_manual_medley palette(medley, &views, &pc, &panel);
  save(palette.widget(), out_dir, QStringLiteral("palette_manual_medley_narrow"), QSize(940, 480));
  palette.large()->set_collapsed(true);
  save(palette.widget(), out_dir, QStringLiteral("palette_manual_medley_wide"), size);
  palette.large()->set_minimized(true);
  save(palette.widget(), out_dir, QStringLiteral("palette_manual_medley_minimized"), size);
}

}  // namespace

void ov_render_control_views(const QString& out_dir) {
  QTemporaryDir tmp;
  QDir().mkpath(out_dir);
  auto db = ov_open_database(tmp.path(), QStringLiteral("presets"));
  ov_settings_group normal(tmp.filePath(QStringLiteral("main.ini")), QStringLiteral("normal_play"));
  ov_settings_group medley(tmp.filePath(QStringLiteral("main.ini")), QStringLiteral("shuffle_medley_play"));
  render_preset_pages(out_dir);
  render_dialog(out_dir, db.get());
  render_panels(out_dir, &normal, &medley);
  render_palettes(out_dir, &normal, &medley);
}
