#pragma once

#include "ov_general_settings.h"
#include "ov_settings_group.h"
#include "ov_window_settings.h"

#include <QList>
#include <QMainWindow>
#include <QString>

class QAction;
class QTabWidget;
class ovg_main_actions;
class ov_database;
class ov_library;

// The one window of the application. This is its frame: title, window
// state, the About, preferences and key-list commands, the start-up report
// and the score write-back at destruction; the playlists, views and
// controllers are attached to it.
class ovg_mainwindow : public QMainWindow {
  Q_OBJECT

public:
  ovg_mainwindow(ov_library* library, const QString& seed, ov_database* playlists_db, ov_database* playlist_items_db,
                 ov_database* presets_db, ov_database* favorite_engine_db, QWidget* parent = nullptr);
  ~ovg_mainwindow() override;

  static QString window_title();

  // Shows the messages dialog when the handles reported information or
  // loading lost data (unreadable scores or presets).
  void present_startup_report(const QList<ov_database*>& handles);

  // The texts of the report.
  static QString startup_information(const QList<ov_database*>& handles);
  static QString startup_warning(int score_failures, bool presets_failed);

public slots:
  void slot_about();
  void islot_about_shortcut_keys();
  void islot_show_preferences_dialog();

protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void build_actions();
  void restore_state();

  ov_library* library_;
  QString seed_;
  ov_database* playlists_db_;
  ov_database* playlist_items_db_;
  ov_database* presets_db_;
  ov_database* favorite_engine_db_;
  ov_settings_group main_group_;
  ov_settings_group window_group_;
  ov_window_settings window_settings_;
  ov_general_settings general_settings_;
  ovg_main_actions* actions_ = nullptr;
  QTabWidget* tab_widget_ = nullptr;
  bool presets_failed_ = false;
};
