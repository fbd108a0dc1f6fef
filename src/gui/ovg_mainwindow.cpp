#include "ovg_mainwindow.h"

#include "ov_app_config.h"
#include "ov_autotest.h"
#include "ov_database.h"
#include "ov_favorite_engine.h"
#include "ov_grade_table.h"
#include "ov_library.h"
#include "ov_log.h"
#include "ov_medley_preset_store.h"
#include "ov_model_playlist.h"
#include "ov_playlist.h"
#include "ovg_controller_abstract.h"
#include "ovg_dialog_about.h"
#include "ovg_dialog_error.h"
#include "ovg_dialog_favorite_engine_upgraded.h"
#include "ovg_exec.h"
#include "ovg_flow_runner.h"
#include "ovg_main_actions.h"
#include "ovg_palette_large.h"
#include "ovg_palette_manual_medley.h"
#include "ovg_palette_medium.h"
#include "ovg_palette_normal.h"
#include "ovg_play_mode.h"
#include "ovg_playlists_area.h"
#include "ovg_pref_dialog_favorite_engine.h"
#include "ovg_pref_dialog_general.h"
#include "ovg_pref_dialog_medley_preset.h"
#include "ovg_table_view_playlist.h"
#include "ovg_table_view_tracks.h"
#include "ovg_tableview_tracks_hheader.h"
#include "ovgp_favorite_engine.h"
#include "ovgp_general.h"
#include "ovgv_favorite_engine.h"
#include "ovgv_next_tracks.h"
#include "ovgv_pc_medley.h"
#include "ovgv_search_bar.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QString log_tag = QStringLiteral("mainwindow");
const QString tab_style = QStringLiteral("QTabBar::tab { height: 24px; font: normal;}");
constexpr int table_min_height = 150;  // the header and about five rows
}  // namespace

ovg_mainwindow::ovg_mainwindow(ov_library* library, const QString& seed, ov_database* playlists_db,
                               ov_database* playlist_items_db, ov_database* presets_db, ov_database* favorite_engine_db,
                               ov_listening_history* history, QWidget* parent)
    : QMainWindow(parent),
      library_(library),
      seed_(seed),
      playlists_db_(playlists_db),
      playlist_items_db_(playlist_items_db),
      presets_db_(presets_db),
      favorite_engine_db_(favorite_engine_db),
      history_(history),
      main_group_(ov_app_config::main_ini_path(), QStringLiteral("main")),
      window_group_(ov_app_config::main_ini_path(), QStringLiteral("window")),
      volume_group_(ov_app_config::main_ini_path(), QStringLiteral("volume")),
      window_settings_(&window_group_),
      general_settings_(&main_group_),
      volume_settings_(&volume_group_) {
  engine_ = std::make_unique<ov_favorite_engine>(favorite_engine_db_, seed_);
  load_playlists();
  load_presets();
  build_play_modes();
  attach_playlists();
  wire_playlist_view();
  build_actions();
  build_tabs();
  build_layout();
  setWindowTitle(window_title());
  restore_state();
}

ovg_mainwindow::~ovg_mainwindow() {
  store_state();
  // The controllers stop their lines and save their current tracks before
  // the scores are written; the views go before the playlists they show.
  normal_.reset();
  medley_.reset();
  if (library_) library_->write_all_scores();
  area_.reset();
}

QString ovg_mainwindow::window_title() {
  return QStringLiteral("Orvantis ") + QStringLiteral(OV_VERSION_TEXT);
}

// ---- construction -----------------------------------------------------------

void ovg_mainwindow::load_playlists() {
  area_ = std::make_unique<ovg_playlists_area>(library_, playlists_db_, playlist_items_db_);
}

void ovg_mainwindow::load_presets() {
  ov_medley_preset_store::load_result loaded = ov_medley_preset_store(presets_db_).load();
  presets_ = loaded.presets;
  presets_failed_ = loaded.defaults_loaded && presets_db_ && presets_db_->is_ok() &&
                    !(presets_db_->status_flags() & (ov_database::not_existed | ov_database::created));
  if (presets_.isEmpty()) presets_ = ov_medley_preset::built_in();
}

void ovg_mainwindow::build_play_modes() {
  const ovg_play_mode::services services{ov_app_config::main_ini_path(), library_, engine_.get(),
                                         &volume_settings_.volume,       this,     history_};
  normal_ = std::make_unique<ovg_play_mode>(ovg_play_mode::kind::normal, services, presets_);
  medley_ = std::make_unique<ovg_play_mode>(ovg_play_mode::kind::medley, services, presets_);
  normal_->follow_volume_of(*medley_);
  medley_->follow_volume_of(*normal_);
  wire_play_mode(normal_.get());
  wire_play_mode(medley_.get());
  connect(normal_->controller(), &ovg_controller_abstract::esignal_state_changed_to_playing, this,
          &ovg_mainwindow::islot_controller_normal_state_changed_to_playing);
  connect(medley_->controller(), &ovg_controller_abstract::esignal_state_changed_to_playing, this,
          &ovg_mainwindow::islot_controller_manual_medley_state_changed_to_playing);
  auto* normal_palette = normal_->normal_palette();
  connect(normal_palette, &ovg_palette_normal::esignal_min_max_clicked, this,
          &ovg_mainwindow::islot_palette_normal_min_max_clicked);
  auto* medley_palette = medley_->medley_palette();
  connect(medley_palette, &ovg_palette_manual_medley::esignal_minimize_clicked, this,
          &ovg_mainwindow::islot_palette_manual_medley_collapse_expand_clicked);
  connect(medley_palette, &ovg_palette_manual_medley::esignal_collapse_expand_clicked, this,
          &ovg_mainwindow::islot_palette_manual_medley_collapse_expand_clicked);
  connect(medley_palette, &ovg_palette_manual_medley::esignal_more_clicked, this,
          &ovg_mainwindow::islot_manual_medley_more_clicked);
  connect(medley_palette, &ovg_palette_manual_medley::esignal_min_max_clicked, this,
          &ovg_mainwindow::islot_palette_manual_medley_min_max_clicked);
}

void ovg_mainwindow::wire_play_mode(ovg_play_mode* mode) {
  ovg_controller_abstract* c = mode->controller();
  connect(c, &ovg_controller_abstract::esignal_play_clicked_on_no_selected, this,
          &ovg_mainwindow::islot_play_new_on_playlist);
  connect(c, &ovg_controller_abstract::esignal_track_status_changed, this, &ovg_mainwindow::islot_track_status_changed);
  connect(c, &ovg_controller_abstract::esignal_title_clicked, this,
          qOverload<ov_playlist*, ov_playlist_item*>(&ovg_mainwindow::islot_select_item_in_table_track));
  connect(c, &ovg_controller_abstract::esignal_point_incremented_on_play_new, this,
          &ovg_mainwindow::islot_playlist_run_point_effect);
  connect(c, &ovg_controller_abstract::esignal_state_changed, this, &ovg_mainwindow::update_play_controls);
  connect(mode->engine_view(), &ovgv_favorite_engine::esignal_grade_up_clicked, this,
          &ovg_mainwindow::islot_favorite_engine_levelup_clicked);
  connect(mode->engine_view(), &ovgv_favorite_engine::esignal_icon_double_clicked, this,
          &ovg_mainwindow::islot_favorite_engine_icon_double_clicked);
}

void ovg_mainwindow::attach_playlists() {
  connect(area_.get(), &ovg_playlists_area::esignal_view_attached, this, &ovg_mainwindow::wire_track_view);
  for (ov_playlist* playlist : area_->playlists()) area_->attach(playlist);
}

void ovg_mainwindow::wire_track_view(ovg_table_view_tracks* view, ov_playlist* playlist) {
  using v = ovg_table_view_tracks;
  connect(view, &v::esignal_track_kicked, this, &ovg_mainwindow::islot_play_new);
  connect(view, &v::esignal_global_key_pressed, this, &ovg_mainwindow::islot_process_global_key);
  connect(view, &v::esignal_remove_tracks_from_current_playlist, this,
          &ovg_mainwindow::islot_remove_tracks_from_selected_playlist);
  connect(view, &v::esignal_remove_tracks_from_library, this, &ovg_mainwindow::islot_remove_tracks_from_library);
  connect(view, &v::esignal_renew_track_numbers, this, &ovg_mainwindow::islot_renew_track_numbers);
  connect(view, &v::esignal_left_key_pressed, this, &ovg_mainwindow::islot_move_focus_to_table_playlist);
  connect(view, &v::signal_filepaths_dropped, this, &ovg_mainwindow::islot_add_files);
  connect(view, &v::esignal_move_tracks, this, &ovg_mainwindow::islot_move_tracks);
  connect(view, &v::esignal_slider_moved, this, &ovg_mainwindow::islot_tableview_track_slider_moved);
  connect(view, &v::esignal_resized, this, &ovg_mainwindow::islot_tableview_track_resized);
  connect(playlist, &ov_playlist::esignal_name_changed, this, &ovg_mainwindow::islot_playlist_name_changed);
  // The window refreshes the view (once per flow while a flow runs).
  connect(playlist, &ov_playlist::esignal_number_of_tracks_changed, this,
          &ovg_mainwindow::islot_playlist_number_of_tracks_changed);
}

void ovg_mainwindow::wire_playlist_view() {
  using v = ovg_table_view_playlist;
  v* view = area_->playlist_view();
  connect(view, &v::signal_current_item_changed, this, &ovg_mainwindow::slot_table_playlists_current_item_changed);
  connect(view, &v::esignal_global_key_pressed, this, &ovg_mainwindow::islot_process_global_key);
  connect(view, &v::signal_dropped_tracks, this, &ovg_mainwindow::slot_dropped_tracks_on_playlist);
  connect(view, &v::esignal_playlist_removed, this, &ovg_mainwindow::islot_playlist_removed);
  connect(view, &v::esignal_playlist_move, this, &ovg_mainwindow::islot_playlist_move);
  connect(view, &v::esignal_right_key_pressed, this, &ovg_mainwindow::islot_move_focus_to_table_tracks);
  connect(view, &v::esignal_play_new, this, &ovg_mainwindow::islot_play_new_on_playlist);
  connect(view, &v::esignal_add_new_playlist, this, &ovg_mainwindow::islot_create_new_playlist);
}

void ovg_mainwindow::build_actions() {
  actions_ = new ovg_main_actions(this);
  actions_->build_menus(menuBar());
  using a = ovg_main_actions;
  const std::pair<a::id, void (ovg_mainwindow::*)()> table[] = {
      {a::add_files, &ovg_mainwindow::slot_add_files},
      {a::add_dirs, &ovg_mainwindow::slot_add_files_in_dirs},
      {a::create_new_playlist, &ovg_mainwindow::islot_create_new_playlist},
      {a::delete_from_playlist, &ovg_mainwindow::islot_remove_tracks_from_selected_playlist},
      {a::delete_from_library, &ovg_mainwindow::islot_remove_tracks_from_library},
      {a::search_track, &ovg_mainwindow::islot_show_search_bar},
      {a::show_normal_palette, &ovg_mainwindow::islot_show_normal_palette},
      {a::show_medley_palette, &ovg_mainwindow::islot_show_medley_palette},
      {a::toggle_palette, &ovg_mainwindow::islot_toggle_show_palette},
      {a::toggle_normal_min_max, &ovg_mainwindow::islot_palette_normal_min_max_clicked},
      {a::toggle_shuffle_min_max, &ovg_mainwindow::islot_palette_manual_medley_min_max_clicked},
      {a::toggle_shuffle_control, &ovg_mainwindow::islot_palette_manual_medley_collapse_expand_clicked},
      {a::move_cursor, qOverload<>(&ovg_mainwindow::islot_select_item_in_table_track)},
      {a::play_pause, &ovg_mainwindow::islot_play_pause},
      {a::stop, &ovg_mainwindow::islot_stop},
      {a::go_previous, &ovg_mainwindow::islot_go_previous},
      {a::go_next, &ovg_mainwindow::islot_go_next},
      {a::preferences, &ovg_mainwindow::islot_show_preferences_dialog},
      {a::about, &ovg_mainwindow::slot_about},
      {a::shortcut_keys, &ovg_mainwindow::islot_about_shortcut_keys},
      {a::statistics, &ovg_mainwindow::islot_show_statistics},
  };
  for (const auto& [id, slot] : table) connect(actions_->get(id), &QAction::triggered, this, slot);
  connect(actions_->get(a::exit), &QAction::triggered, this, &QWidget::close);
}

// Each tab page holds its mode's palette; only the selected one is shown,
// so the tabs take the height of the palette in view.
void ovg_mainwindow::build_tabs() {
  tab_widget_ = new QTabWidget;
  tab_widget_->setObjectName(QStringLiteral("play_tabs"));
  for (ovg_play_mode* mode : {normal_.get(), medley_.get()}) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mode->palette_widget());
    tab_widget_->addTab(page, mode == normal_.get() ? tr("Normal Play") : tr("Shuffle Medley Play"));
  }
  tab_widget_->setStyleSheet(tab_style);
  tab_widget_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  connect(tab_widget_, &QTabWidget::currentChanged, this, &ovg_mainwindow::slot_tab_widget_current_changed);
}

void ovg_mainwindow::build_layout() {
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(tab_widget_);
  layout->addWidget(area_->splitter(), 1);
  // The palette keeps its height while the window has room for it and a
  // few rows of the tables; below that the palette scrolls, not the tables.
  area_->splitter()->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
  area_->splitter()->setMinimumHeight(table_min_height);
  setCentralWidget(central);
  search_bar_ = new ovgv_search_bar(this);
  search_bar_->hide();
  using s = ovgv_search_bar;
  connect(search_bar_, &s::esignal_search_next_after_current_position, this,
          &ovg_mainwindow::islot_search_next_after_current_position);
  connect(search_bar_, &s::esignal_search_previous_after_current_position, this,
          &ovg_mainwindow::islot_search_previous_after_current_position);
  connect(search_bar_, &s::esignal_key_to_tableview_pressed, this, &ovg_mainwindow::islot_send_key_to_tableview_track);
  connect(search_bar_, &s::esignal_hided, this, &ovg_mainwindow::islot_search_bar_hided);
  // Messages show beside the play tabs, where they take no height from the tables.
  message_ = new QLabel;
  message_->setObjectName(QStringLiteral("window_message"));
  message_->setContentsMargins(8, 0, 8, 0);
  tab_widget_->setCornerWidget(message_, Qt::TopRightCorner);
  message_timer_ = new QTimer(this);
  message_timer_->setSingleShot(true);
  connect(message_timer_, &QTimer::timeout, message_, &QLabel::clear);
  watch_table_focus();
  flows_ = new ovg_flow_runner(this);
  connect(flows_, &ovg_flow_runner::esignal_finished, this, [this] {
    if (close_pending_)
      QTimer::singleShot(0, this, &QWidget::close);
    else if (!pending_open_.isEmpty())
      QTimer::singleShot(0, this, [this] { open_paths(std::exchange(pending_open_, {})); });
  });
}

void ovg_mainwindow::restore_state() {
  area_->splitter()->restoreState(window_settings_.splitter_state.read());
  const QByteArray header = window_settings_.table_track_state.read();
  if (!header.isEmpty())
    for (ov_playlist* playlist : area_->playlists()) {
      area_->view_of(playlist)->tracks_header()->restoreState(header);
      area_->view_of(playlist)->tracks_header()->sync_actions();
    }
  int row = window_settings_.selected_playlist.read();
  if (!area_->playlist_at(row)) row = 0;
  area_->select_row(row);
  slot_table_playlists_current_item_changed(area_->model()->index(row, 1));
  const int tab = window_settings_.selected_tab.read();
  if (tab_widget_->currentIndex() == tab)
    slot_tab_widget_current_changed(tab);
  else
    tab_widget_->setCurrentIndex(tab);
  resize(window_settings_.width.read(), window_settings_.height.read());
  if (window_settings_.maximized.read()) setWindowState(windowState() | Qt::WindowMaximized);
  ovg_table_view_tracks* view = area_->selected_view();
  if (!view) return;
  view->setFocus();
  const int track_row = window_settings_.selected_table_row.read();
  if (track_row >= 0 && track_row < area_->selected()->count()) view->selectRow(track_row);
  const int slider = window_settings_.selected_table_slider_position.read();
  QTimer::singleShot(0, view, [view, slider] { view->restore_scroll_position(slider); });
}

// ---- closing ------------------------------------------------------------------

void ovg_mainwindow::closeEvent(QCloseEvent* event) {
  // A running flow stops after its current item; the window closes then.
  if (flows_->is_running()) {
    close_pending_ = true;
    flows_->cancel();
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void ovg_mainwindow::store_state() {
  if (stored_) return;
  stored_ = true;
  if (!ov_medley_preset_store(presets_db_).save(presets_, {}))
    ov_log_write_flush(ov_log::WARNING, log_tag, QStringLiteral("failed to store the presets."));
  if (ovg_table_view_tracks* view = area_->selected_view()) {
    window_settings_.table_track_state.write(view->tracks_header()->saveState());
    window_settings_.splitter_state.write(area_->splitter()->saveState());
    window_settings_.selected_table_slider_position.write(view->verticalScrollBar()->value());
    window_settings_.selected_table_row.write(view->currentIndex().isValid() ? view->currentIndex().row() : 0);
  }
  window_group_.sync();
  main_group_.sync();
  for (ov_playlist* playlist : area_->playlists())
    if (playlist->is_sorted()) playlist->store_positions();
}

// ---- window events ------------------------------------------------------------

void ovg_mainwindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ov_log_write_flush(ov_log::DEBUG, log_tag,
                     QStringLiteral("w = %1, h = %2").arg(event->size().width()).arg(event->size().height()));
  if (search_bar_) search_bar_->eslot_parent_resized(event->size().width(), event->size().height());
  if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) && isVisible()) {
    window_settings_.width.write(event->size().width());
    window_settings_.height.write(event->size().height());
  }
}

void ovg_mainwindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  const bool maximized = windowState() & Qt::WindowMaximized;
  ov_log_write_flush(
      ov_log::DEBUG, log_tag,
      maximized ? QStringLiteral("root window size: maximized") : QStringLiteral("root window size: back to normal"));
  window_settings_.maximized.write(maximized);
}

void ovg_mainwindow::islot_tableview_track_resized(int width) {
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("table_view_resized: ") + QString::number(width));
}

void ovg_mainwindow::islot_tableview_track_slider_moved(int position) {
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("table_view_slider_moved:") + QString::number(position));
}

// ---- start-up report and dialogs ---------------------------------------------

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
    parts << tr(
        "Failed to load presets data from db file.  Loaded default presets.  "
        "If you did not expect this situation, please try to replace db file from backup dir.");
  return parts.join(QLatin1Char('\n'));
}

void ovg_mainwindow::present_startup_report(const QList<ov_database*>& handles) {
  const int score_failures = library_ ? library_->score_failures() : 0;
  ovg_dialog_error dialog(this);
  QStringList information{startup_information(handles)};
  // A new engine file holds no record yet; that is no load failure to report.
  if (!favorite_engine_db_ || !(favorite_engine_db_->status_flags() & ov_database::created))
    information << engine_->pending_messages();
  information.removeAll(QString());
  dialog.set_information(information.join(QLatin1Char('\n')));
  dialog.set_warning(startup_warning(score_failures, presets_failed_));
  if (dialog.has_messages()) ovg_exec(&dialog);
}

void ovg_mainwindow::show_error(const QString& text) {
  ovg_dialog_error dialog(this);
  dialog.set_warning(text);
  ovg_exec(&dialog);
}

void ovg_mainwindow::slot_about() {
  ovg_dialog_about dialog(this);
  ovg_exec(&dialog);
}

// The key list in the language chosen at the first start.
QString ovg_mainwindow::keys_document() const {
  const bool japanese = main_group_.value(QStringLiteral("lang")).toString() == QLatin1String("japanese");
  return japanese ? QStringLiteral("doc/keys_ja.txt") : QStringLiteral("doc/keys.txt");
}

void ovg_mainwindow::islot_about_shortcut_keys() {
  const QString path = QDir::current().absoluteFilePath(keys_document());
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
  ov_log_write_flush(ov_log::DEBUG, log_tag,
                     QStringLiteral("preferences dialog medley preset ret= ") + QString::number(ret));
  if (ret == QDialog::Accepted) {
    general_settings_.ctrll_follow_panel.write(page.follow());
    general_settings_.control_key_sent_to.write(page.key_target());
    main_group_.sync();
    update_play_controls();
  }
}

// ---- palettes, presets and the favorite engine --------------------------------

void ovg_mainwindow::islot_palette_normal_min_max_clicked() {
  normal_->normal_palette()->medium()->toggle();
}

void ovg_mainwindow::islot_palette_manual_medley_collapse_expand_clicked() {
  medley_->medley_palette()->large()->toggle_collapsed();
}

void ovg_mainwindow::islot_palette_manual_medley_min_max_clicked() {
  medley_->medley_palette()->large()->toggle_minimized();
}

void ovg_mainwindow::islot_manual_medley_more_clicked() {
  if (ovg_edit_medley_presets(presets_, presets_db_, this) == QDialog::Accepted)
    medley_->medley_panel()->reload_presets(presets_);
}

void ovg_mainwindow::islot_favorite_engine_levelup_clicked() {
  if (!engine_->can_upgrade()) return;
  const ov_grade_table::grade* old_grade = engine_->grade();
  const ov_grade_table::grade* new_grade = ov_grade_table::instance().next(old_grade);
  if (!old_grade || !new_grade) return;
  ovg_dialog_favorite_engine_upgraded dialog(*old_grade, *new_grade, this);
  ovg_exec(&dialog);
  engine_->upgrade();
  ov_log_write_flush(ov_log::INFO, log_tag, QStringLiteral("favorite engine leveled up."));
}

void ovg_mainwindow::islot_favorite_engine_icon_double_clicked() {
  ovgp_favorite_engine page(engine_.get());
  ovg_pref_dialog_favorite_engine dialog(&page, this);
  const int ret = ovg_exec(&dialog);
  ov_log_write_flush(ov_log::DEBUG, log_tag,
                     QStringLiteral("preferences dialog favorite engine ret= ") + QString::number(ret));
  if (ret != QDialog::Accepted) return;
  engine_->set_skills(page.edited_skills());
  for (ovg_play_mode* mode : {normal_.get(), medley_.get()})
    mode->next_tracks_view()->set_number_of_boxes(engine_->nexts_size());
}
