#include "ovg_mainwindow.h"

#include "ov_app_config.h"
#include "ov_database.h"
#include "ov_library.h"
#include "ov_log.h"
#include "ovg_dialog_about.h"
#include "ovg_dialog_error.h"
#include "ovg_exec.h"
#include "ovg_main_actions.h"
#include "ovg_pref_dialog_general.h"
#include "ovgp_general.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QMenuBar>
#include <QResizeEvent>
#include <QTabWidget>
#include <QUrl>

#include "ov_autotest.h"

namespace {
const QString tag = QStringLiteral("mainwindow");
}

ovg_mainwindow::ovg_mainwindow(ov_library* library, const QString& seed, ov_database* playlists_db, ov_database* playlist_items_db,
                               ov_database* presets_db, ov_database* favorite_engine_db, QWidget* parent)
    : QMainWindow(parent),
      library_(library),
      seed_(seed),
      playlists_db_(playlists_db),
      playlist_items_db_(playlist_items_db),
      presets_db_(presets_db),
      favorite_engine_db_(favorite_engine_db),
      main_group_(ov_app_config::main_ini_path(), QStringLiteral("main")),
      window_group_(ov_app_config::main_ini_path(), QStringLiteral("window")),
      window_settings_(&window_group_),
      general_settings_(&main_group_) {
  build_actions();
  tab_widget_ = new QTabWidget(this);
  tab_widget_->setObjectName(QStringLiteral("play_tabs"));
  tab_widget_->addTab(new QWidget, tr("Normal Play"));
  tab_widget_->addTab(new QWidget, tr("Shuffle Medley Play"));
  tab_widget_->setStyleSheet(QStringLiteral("QTabBar::tab { height: 24px; font: normal;}"));
  setCentralWidget(tab_widget_);
  setWindowTitle(window_title());
  restore_state();
}

ovg_mainwindow::~ovg_mainwindow() {
  // Window state first, then the data: every changed track's score.
  window_group_.sync();
  if (library_) library_->write_all_scores();
}

QString ovg_mainwindow::window_title() {
  return QStringLiteral("Orvantis ") + QStringLiteral(OV_VERSION_TEXT);
}

void ovg_mainwindow::build_actions() {
  actions_ = new ovg_main_actions(this);
  actions_->build_menus(menuBar());
  connect(actions_->get(ovg_main_actions::exit), &QAction::triggered, this, &QWidget::close);
  connect(actions_->get(ovg_main_actions::preferences), &QAction::triggered, this,
          &ovg_mainwindow::islot_show_preferences_dialog);
  connect(actions_->get(ovg_main_actions::about), &QAction::triggered, this, &ovg_mainwindow::slot_about);
  connect(actions_->get(ovg_main_actions::shortcut_keys), &QAction::triggered, this,
          &ovg_mainwindow::islot_about_shortcut_keys);
}

void ovg_mainwindow::restore_state() {
  tab_widget_->setCurrentIndex(window_settings_.selected_tab.read());
  resize(window_settings_.width.read(), window_settings_.height.read());
  if (window_settings_.maximized.read()) setWindowState(windowState() | Qt::WindowMaximized);
}

void ovg_mainwindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ov_log_write_flush(ov_log::DEBUG, tag,
                     QStringLiteral("w = %1, h = %2").arg(event->size().width()).arg(event->size().height()));
  if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) && isVisible()) {
    window_settings_.width.write(event->size().width());
    window_settings_.height.write(event->size().height());
  }
}

void ovg_mainwindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  const bool maximized = windowState() & Qt::WindowMaximized;
  ov_log_write_flush(ov_log::DEBUG, tag,
                     maximized ? QStringLiteral("root window size: maximized")
                               : QStringLiteral("root window size: back to normal"));
  window_settings_.maximized.write(maximized);
}

QString ovg_mainwindow::startup_information(const QList<ov_database*>& handles) {
  QStringList parts;
  for (const ov_database* db : handles) {
    if (!db) continue;
    const QString text = db->information_messages().join(QLatin1Char('\n'));
    if (!text.isEmpty()) parts << text;
  }
  return parts.join(QLatin1Char('\n'));
}

QString ovg_mainwindow::startup_warning(int score_failures, bool presets_failed) {
  QStringList parts;
  if (score_failures > 0)
    parts << tr("Failed to load score data on %1 tracks.  Their scores have been filled with 0.  "
                "Please check log if you didn't expect this situation.")
                 .arg(score_failures);
  if (presets_failed)
    parts << tr("Failed to load presets data from db file.  Loaded default presets.  "
                "If you did not expect this situation, please try to replace db file from backup dir.");
  return parts.join(QLatin1Char('\n'));
}

void ovg_mainwindow::present_startup_report(const QList<ov_database*>& handles) {
  const int score_failures = library_ ? library_->score_failures() : 0;
  ovg_dialog_error dialog(this);
  dialog.set_information(startup_information(handles));
  dialog.set_warning(startup_warning(score_failures, presets_failed_));
  if (dialog.has_messages()) ovg_exec(&dialog);
}

void ovg_mainwindow::slot_about() {
  ovg_dialog_about dialog(this);
  ovg_exec(&dialog);
}

void ovg_mainwindow::islot_about_shortcut_keys() {
  const QString path = QDir::current().absoluteFilePath(QStringLiteral("doc/keys.txt"));
  if (ov_autotest::current() != ov_autotest::off) {
    ov_autotest::note(QStringLiteral("open ") + path);
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void ovg_mainwindow::islot_show_preferences_dialog() {
  ovgp_general page;
  page.load(general_settings_.ctrll_follow_panel.read(), general_settings_.control_key_sent_to.read());
  ovg_pref_dialog_general dialog(&page, this);
  const int ret = ovg_exec(&dialog);
  ov_log_write_flush(ov_log::DEBUG, tag, QStringLiteral("preferences dialog medley preset ret= ") + QString::number(ret));
  if (ret == QDialog::Accepted) {
    general_settings_.ctrll_follow_panel.write(page.follow());
    general_settings_.control_key_sent_to.write(page.key_target());
    main_group_.sync();
  }
}
