#include "ov_startup.h"

#include "ov_app_config.h"
#include "ov_autotest.h"
#include "ov_command_line.h"
#include "ov_config_backup.h"
#include "ov_data_dir.h"
#include "ov_database.h"
#include "ov_grade_table.h"
#include "ov_library.h"
#include "ov_listening_history.h"
#include "ov_log.h"
#include "ov_mpris.h"
#include "ov_playback_normal.h"
#include "ov_quit_on_signal.h"
#include "ov_rank_table.h"
#include "ov_schema.h"
#include "ov_single_instance.h"
#include "ov_write_failure.h"
#include "ovd_skill.h"
#include "ovd_track.h"
#include "ove_playback.h"
#include "ovg_dialog_error.h"
#include "ovg_dialog_lang.h"
#include "ovg_exec.h"
#include "ovg_mainwindow.h"
#include "ovg_media_player_bridge.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QSettings>
#include <QStorageInfo>
#include <QTranslator>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

const QString app_name = QStringLiteral("Orvantis");
// How long a second copy waits for the running one to take its files while
// that one is still starting.
constexpr int hand_over_patience_ms = 5000;
// The exit code of a second copy whose files nobody took (1 is a hand-over).
constexpr int exit_not_handed_over = 3;
constexpr int exit_unknown_option = 2;
// Below this much free space in the data directory's file system, start-up warns.
constexpr qint64 low_space_bytes = 1024 * 1024;
// The deciphered scores kept between runs: derived data, outside conf and
// so outside every backup.
const QString score_cache_file = QStringLiteral("cache/library_scores.bin");

// Brings the window the user should see to the front: a dialog running
// modally during start-up, otherwise the main window.
void raise_front_window(QWidget* main_window) {
  QWidget* target = QApplication::activeModalWidget();
  if (!target) target = main_window;
  if (!target) return;
  if (target->isMinimized()) target->showNormal();
  target->show();
  target->raise();
  target->activateWindow();
  ov_autotest::note(QStringLiteral("raised ") + target->windowTitle());
}

// A console message in the language stored in the data directory, read
// without creating or writing anything. The translation needs an
// application object; a core one serves, as no window is made.
void print_console(const char* source, const QString& arg, const QString& data_dir, char* program) {
  const QSettings main_ini(data_dir + QStringLiteral("/conf/main.ini"), QSettings::IniFormat);
  const bool japanese = main_ini.value(QStringLiteral("main/lang")).toString() == QLatin1String("japanese");
  int argc = 1;
  char* argv[] = {program, nullptr};
  QCoreApplication app(argc, argv);
  QTranslator translator;
  if (japanese && translator.load(QStringLiteral("ov_jp"), QStringLiteral(":/tr")))
    QCoreApplication::installTranslator(&translator);
  const QByteArray text = QCoreApplication::translate("ov_startup", source).arg(arg).toLocal8Bit();
  std::fprintf(stderr, "orvantis: %s\n", text.constData());
}

}  // namespace

QString ov_startup_check(const QList<ov_database*>& handles) {
  for (const ov_database* db : handles)
    if (!db) return QCoreApplication::translate("ov_startup", "startup DB failed.");
  // A reason every handle shares (an unwritable directory) is told once.
  QStringList seen;
  QStringList results;
  for (const ov_database* db : handles) {
    QStringList own;
    for (const QString& line : db->error_messages())
      if (!seen.contains(line)) own << line;
    seen << own;
    const QString text = own.join(QLatin1Char('\n'));
    if (!text.isEmpty()) results << text;
  }
  return results.join(QLatin1Char('\n'));
}

QString ov_seed_loss_warning(const QString& kept_dir) {
  return QCoreApplication::translate("ov_startup",
                                     "The seed in conf/seed.ini was missing or damaged, so a new seed was made and "
                                     "the scores start again from 0.  The previous library.db, favorite_engine.db "
                                     "and seed.ini were kept in %1; putting them back into conf restores the old "
                                     "scores.")
      .arg(kept_dir);
}

QString ov_unstored_scores_text(int count) {
  return QCoreApplication::translate("ov_startup",
                                     "Failed to store the scores of %1 tracks; they are lost.  Please check the "
                                     "log and whether the conf directory is writable and the disk has free space.")
      .arg(count);
}

void ov_install_documents() {
  QDir().mkpath(QStringLiteral("doc"));
  for (const QString& name :
       {QStringLiteral("keys.txt"), QStringLiteral("keys_ja.txt"), QStringLiteral("orvantis_LICENSE.txt")}) {
    const QString target = QStringLiteral("doc/") + name;
    if (QFile::exists(target)) continue;
    if (QFile::copy(QStringLiteral(":/doc/") + name, target))
      QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  }
}

QString ov_write_failure_text(const QString& file, const QString& reason) {
  return QCoreApplication::translate("ov_startup",
                                     "Could not write to %1: %2\nWhat was changed may be lost.  Please check whether "
                                     "the disk has free space and the data directory is writable.")
      .arg(file, reason);
}

QString ov_low_space_text(const QString& dir, qint64 bytes_free) {
  return QCoreApplication::translate("ov_startup",
                                     "Only %1 KiB are free on the disk of the data directory %2.  Scores, playlists "
                                     "and settings may not be stored.")
      .arg(bytes_free / 1024)
      .arg(dir);
}

int ov_startup_refuse_option(const QString& option, char* program) {
  print_console(QT_TRANSLATE_NOOP("ov_startup", "Unknown option: %1"), option, ov_data_dir::locate(), program);
  return exit_unknown_option;
}

namespace {

// Flushes the log on every way out of start-up, so that a start that ends
// early keeps its lines.
struct log_flush_on_exit {
  ov_log* log = nullptr;
  ~log_flush_on_exit() {
    if (log) log->flush();
  }
};

ov_log* open_log() {
  auto* log = new ov_log;  // lives until the process ends
  log->open(ov_log::todays_file_name());
  log->set_initial_filters();
  ov_log::install(log);
  return log;
}

void show_messages(const QString& fatal, const QString& warning, QWidget* parent = nullptr) {
  ovg_dialog_error dialog(parent);
  if (!fatal.isEmpty()) dialog.set_fatal(fatal);
  if (!warning.isEmpty()) dialog.set_warning(warning);
  ovg_exec(&dialog);
}

// Before a new seed replaces a missing or damaged one, the files whose
// enciphered fields only the old seed can read are kept aside.
QString keep_files_of_old_seed(ov_app_config& config, const ov_databases& databases) {
  if (config.has_valid_seed()) return QString();
  // An empty file (another program may have made one by opening the name)
  // holds nothing the old seed could read.
  constexpr quint32 no_data = ov_database::not_existed | ov_database::was_empty;
  const bool had_data =
      !(databases.library->status_flags() & no_data) || !(databases.favorite_engine->status_flags() & no_data);
  if (!had_data) return QString();
  ov_config_backup backup(QStringLiteral("conf"), QStringLiteral("conf_backup"), config.backup_files(),
                          config.backup_time_format());
  const QString kept = backup.keep_files(
      QStringLiteral("seed_lost"),
      {QStringLiteral("library.db"), QStringLiteral("favorite_engine.db"), QStringLiteral("seed.ini")});
  ov_log_write_flush(
      ov_log::WARNING, QStringLiteral("seed"),
      QStringLiteral("the seed was missing or damaged; a new one is made.  kept the old files in ") + kept);
  return kept;
}

// A score that could not be stored at exit is lost: the user hears of it,
// unless the program is ending on a signal and nobody may be there to answer.
void report_unstored_scores(const ov_library& library) {
  if (library.unstored_scores() == 0) return;
  ov_log_write_flush(ov_log::CRITICAL, QStringLiteral("shutdown"),
                     QStringLiteral("failed to store the scores of %1 tracks").arg(library.unstored_scores()));
  if (!ov_quit_on_signal::requested()) show_messages(ov_unstored_scores_text(library.unstored_scores()), QString());
}

// Tells the user of the scores the window could not store; destroyed right
// after the window, which stores them.
struct unstored_scores_notice {
  const std::unique_ptr<ov_library>& library;
  ~unstored_scores_notice() {
    if (library) report_unstored_scores(*library);
  }
};

// Stores the score cache once the window has stored the scores; the
// library waits for the write when it goes.
struct score_cache_at_exit {
  const std::unique_ptr<ov_library>& library;
  ~score_cache_at_exit() {
    if (library) library->store_score_cache();
  }
};

// Closes the single-instance socket before the application object goes.
struct stop_listening_first {
  ov_single_instance* instance = nullptr;
  ~stop_listening_first() {
    if (instance) instance->stop_listening();
  }
};

// The arguments the application object parses: the program and Qt's own
// options; the paths (after "--" too) never reach it. They must outlive it.
struct qt_arguments {
  qt_arguments(const ov_command_line& line, char* program) : bytes(line.qt_arguments) {
    pointers.push_back(program);
    for (QByteArray& arg : bytes) pointers.push_back(arg.data());
    count = int(pointers.size());
    pointers.push_back(nullptr);
  }
  QList<QByteArray> bytes;
  std::vector<char*> pointers;
  int count = 0;
};

// A warning that does not stop the user: it stays open beside the window.
void show_warning_beside(QWidget* window, const QString& text) {
  auto* dialog = new ovg_dialog_error(window);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->set_warning(text);
  dialog->setModal(false);
  dialog->show();
  ov_autotest::note(QStringLiteral("warning shown: ") + text);
}

// One run of the program, in the fixed start-up order, one method per step.
// The members are declared in the order the steps create them, so they are
// destroyed in the shutdown order: the media controls leave the bus before
// the window goes; the window stores the scores, the score cache is written
// and the scores it could not store are told; then the objects it used
// (the library waits for the cache write), the databases and the
// translator; the single-instance socket closes before the application
// object goes; the log is flushed, and the lock is released last but the
// configuration.
class startup {
public:
  startup(const ov_command_line& line, char* program) : line_(line), qt_args_(line, program) {}
  int run();
  bool loop_ran() const { return loop_ran_; }

private:
  bool enter_data_dir();
  bool become_sole_instance();
  void start_log();
  bool take_backup();
  void make_application();
  bool fix_language();
  void install_translation();
  bool open_databases();
  void open_history();
  void make_objects();
  void show_window();
  void start_media_controls();
  int exec();
  void tell_write_failures();
  void open_or_queue(const QStringList& paths);

  ov_command_line line_;
  int exit_code_ = 0;
  bool loop_ran_ = false;
  std::unique_ptr<ov_app_config> config_;
  std::unique_ptr<ov_single_instance> instance_;
  std::unique_ptr<ov_quit_on_signal> quit_on_signal_;
  log_flush_on_exit log_;
  std::unique_ptr<ov_config_backup> backup_;
  QStringList old_backups_;
  qt_arguments qt_args_;
  std::unique_ptr<QApplication> app_;
  stop_listening_first stop_listening_;
  std::unique_ptr<QTranslator> translator_;
  ov_databases databases_;
  ov_history_opening history_;
  QString kept_for_old_seed_;
  QString seed_;
  std::unique_ptr<ov_group_map> album_groups_;
  std::unique_ptr<ov_group_map> artist_groups_;
  std::unique_ptr<ov_library> library_;
  std::unique_ptr<ov_playback_normal> playback_normal_;
  unstored_scores_notice unstored_scores_{library_};
  score_cache_at_exit score_cache_{library_};
  std::unique_ptr<ovg_mainwindow> window_;
  std::unique_ptr<ovg_media_player_bridge> media_player_;
  std::unique_ptr<ov_mpris> mpris_;
  // Files handed over before the window could take them.
  QStringList queued_paths_;
  bool taking_paths_ = false;
};

int startup::run() {
  if (!enter_data_dir()) return 1;
  config_ = std::make_unique<ov_app_config>();  // 1. application configuration
  if (!become_sole_instance()) return exit_code_;
  // 3. Playback status travels in queued signals.
  qRegisterMetaType<ove_playback::status>("ove_playback::status");
  start_log();
  if (!take_backup()) return 0;
  make_application();
  if (!fix_language()) return 0;
  install_translation();
  if (!open_databases()) return exit_code_;
  open_history();
  make_objects();
  show_window();
  start_media_controls();
  return exec();
}

// The data directory becomes the working directory; conf, log, conf_backup
// and doc are relative to it.
bool startup::enter_data_dir() {
  if (!ov_data_dir::enter().isEmpty()) return true;
  std::fprintf(stderr, "orvantis: cannot create or enter the data directory\n");
  return false;
}

// 2. Single instance per data directory. A second copy hands its files to
// the running one, waiting a moment for it when it is still starting.
bool startup::become_sole_instance() {
  instance_ = std::make_unique<ov_single_instance>(QDir::currentPath());
  switch (instance_->acquire()) {
    case ov_single_instance::lock_failed:
      exit_code_ = 1;
      return false;
    case ov_single_instance::another_running:
      exit_code_ = 1;
      if (!instance_->hand_over(line_.paths, hand_over_patience_ms)) {
        print_console(QT_TRANSLATE_NOOP("ov_startup",
                                        "Orvantis already runs with the data directory %1 but did not answer; "
                                        "nothing was handed over."),
                      QDir::currentPath(), QDir::currentPath(), qt_args_.pointers.front());
        exit_code_ = exit_not_handed_over;
      }
      return false;
    case ov_single_instance::sole_instance:
      break;
  }
  // From here on a termination signal ends the run through the normal way
  // out, which releases the lock and writes what a close writes.
  quit_on_signal_ = std::make_unique<ov_quit_on_signal>();
  return true;
}

// 4, 5. The process-wide log and its banner; it lives until the process ends.
void startup::start_log() {
  log_.log = open_log();
  ov_log_write_flush(ov_log::INFO, QStringLiteral("booting"),
                     QStringLiteral("================================ booting ") + app_name +
                         QStringLiteral(" ================================"));
  for (const QByteArray& name : line_.unreadable)
    ov_log_write(ov_log::WARNING, QStringLiteral("adding music file"),
                 QStringLiteral("Skipped a name that is not valid text.  file=") +
                     QString::fromLatin1(name.toPercentEncoding("/")));
}

// 6, 7. Configuration backup, and the choice of old backups to prune (they
// are removed once the databases proved usable).
bool startup::take_backup() {
  backup_ = std::make_unique<ov_config_backup>(QStringLiteral("conf"), QStringLiteral("conf_backup"),
                                               config_->backup_files(), config_->backup_time_format());
  backup_->take_backup_if_due(config_->backup_enabled(), config_->sec_diff_to_run());
  old_backups_ = backup_->plan_removal(config_->keep_old_dirs_back_to());
  return !ov_quit_on_signal::requested();
}

// 8. Application object; the requests of second copies, queued on the
// socket since the lock was taken, start to arrive with its event loop.
void startup::make_application() {
  app_ = std::make_unique<QApplication>(qt_args_.count, qt_args_.pointers.data());
  QApplication::setApplicationName(app_name);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/ov.png")));
  QApplication::setQuitOnLastWindowClosed(true);
  QObject::connect(instance_.get(), &ov_single_instance::esignal_raise_requested, app_.get(),
                   [this] { raise_front_window(window_.get()); });
  QObject::connect(instance_.get(), &ov_single_instance::esignal_open_requested, app_.get(),
                   [this](const QStringList& paths) { open_or_queue(paths); });
  instance_->listen();
  stop_listening_.instance = instance_.get();
  // Closing every window ends a dialog's own loop; quit() ends the main one.
  QObject::connect(quit_on_signal_.get(), &ov_quit_on_signal::esignal_quit_requested, app_.get(), [] {
    QApplication::closeAllWindows();
    QApplication::quit();
  });
  quit_on_signal_->attach();
}

// 9. Language, asked on the first run.
bool startup::fix_language() {
  if (config_->has_lang()) return true;
  ovg_dialog_lang dialog;
  if (ovg_exec(&dialog) != QDialog::Accepted || ov_quit_on_signal::requested()) return false;
  config_->store_lang(dialog.language());
  return true;
}

// 10. Translation (Japanese only; English uses the source texts).
void startup::install_translation() {
  translator_ = std::make_unique<QTranslator>();
  if (config_->lang() == ov_app_config::japanese && translator_->load(QStringLiteral("ov_jp"), QStringLiteral(":/tr")))
    QApplication::installTranslator(translator_.get());
}

// 11, 12. The five databases and the start-up check.
bool startup::open_databases() {
  databases_ = ov_open_databases(QStringLiteral("conf"));
  const QString fatal = ov_startup_check(databases_.in_order());
  if (!fatal.isEmpty()) {
    ov_log_write_flush(ov_log::FATAL, QStringLiteral("startup"), fatal);
    show_messages(fatal, QString());
    exit_code_ = 1;
    return false;
  }
  backup_->remove_backups(old_backups_);
  exit_code_ = 0;
  return !ov_quit_on_signal::requested();
}

// The listening history beside the five files. Unlike them it never ends
// the run: a damaged file is put aside and a new one made, and without any
// the run goes on without recording (told beside the window).
void startup::open_history() {
  history_ = ov_open_listening_history(QStringLiteral("conf"));
}

// 13, 14. Seed and the process-wide objects, in order.
void startup::make_objects() {
  kept_for_old_seed_ = keep_files_of_old_seed(*config_, databases_);
  seed_ = config_->init_seed();
  album_groups_ = std::make_unique<ov_group_map>();
  artist_groups_ = std::make_unique<ov_group_map>();
  library_ = std::make_unique<ov_library>(databases_.library.get(), album_groups_.get(), artist_groups_.get(), seed_,
                                          score_cache_file);
  playback_normal_ = std::make_unique<ov_playback_normal>();
  ov_rank_table::instance();
  ovd_track::instance();
  ov_grade_table::instance();
  ovd_skill::instance();
  // Process-wide objects of later subsystems are created here, after the
  // skill catalogue, in the same way.
}

// 15, 16. Main window and start-up report.
void startup::show_window() {
  ov_install_documents();
  window_ = std::make_unique<ovg_mainwindow>(library_.get(), seed_, databases_.playlists.get(),
                                             databases_.playlist_items.get(), databases_.presets.get(),
                                             databases_.favorite_engine.get(), history_.history.get());
  window_->show();
  ov_autotest::note(QStringLiteral("window shown: ") + window_->windowTitle());
  if (ov_quit_on_signal::requested()) return;
  window_->present_startup_report(databases_.in_order());
  if (!kept_for_old_seed_.isEmpty() && !ov_quit_on_signal::requested())
    show_messages(QString(), ov_seed_loss_warning(kept_for_old_seed_), window_.get());
  if (!history_.history)
    show_warning_beside(window_.get(), ov_history_unavailable_text());
  else if (!history_.kept_as.isEmpty())
    show_warning_beside(window_.get(), ov_history_damaged_text(history_.kept_as));
  tell_write_failures();
}

// The first write that fails from now on (or failed during start-up) is
// told beside the window, once; so is a data directory that is nearly full.
void startup::tell_write_failures() {
  const QStorageInfo disk(QDir::currentPath());
  if (disk.isValid() && disk.bytesAvailable() < low_space_bytes)
    show_warning_beside(window_.get(), ov_low_space_text(QDir::currentPath(), disk.bytesAvailable()));
  ov_write_failure::listen([this](const QString& file, const QString& reason) {
    const QString text = ov_write_failure_text(file, reason);
    QMetaObject::invokeMethod(
        app_.get(), [this, text] { show_warning_beside(window_.get(), text); }, Qt::QueuedConnection);
  });
}

// 17. The desktop's media controls, also when a signal already asked to
// quit (the run ends right after); without a session bus the player runs
// without them and one INFO line says so. Then the files named on the
// command line and those handed over meanwhile are opened.
void startup::start_media_controls() {
  media_player_ = std::make_unique<ovg_media_player_bridge>(window_.get());
  mpris_ = std::make_unique<ov_mpris>(media_player_.get());
  if (mpris_->start()) media_player_->attach(mpris_.get());
  taking_paths_ = true;
  open_or_queue(line_.paths + std::exchange(queued_paths_, {}));
}

void startup::open_or_queue(const QStringList& paths) {
  if (!taking_paths_ || !window_) {
    queued_paths_ << paths;
    return;
  }
  if (!paths.isEmpty() && !ov_quit_on_signal::requested()) window_->open_paths(paths);
}

// 18. Event loop; a signal that came during the start-up dialogs has
// already closed the window, and then there is nothing to run. Failures of
// the writes at exit are told by the dialog of unstored scores instead.
int startup::exec() {
  const int result = ov_quit_on_signal::requested() ? 0 : QApplication::exec();
  loop_ran_ = true;
  ov_write_failure::listen({});
  log_.log->flush();
  return result;
}

}  // namespace

int ov_startup_run(const ov_command_line& line, char* program) {
  int result = 0;
  bool loop_ran = false;
  {
    startup run(line, program);
    result = run.run();
    loop_ran = run.loop_ran();
  }
  if (loop_ran) ov_autotest::note(QStringLiteral("exit %1").arg(result));
  return result;
}
