#include "ov_startup.h"

#include "ov_app_config.h"
#include "ov_autotest.h"
#include "ov_config_backup.h"
#include "ov_data_dir.h"
#include "ov_database.h"
#include "ov_grade_table.h"
#include "ov_library.h"
#include "ov_log.h"
#include "ov_mpris.h"
#include "ov_playback_normal.h"
#include "ov_quit_on_signal.h"
#include "ov_rank_table.h"
#include "ov_schema.h"
#include "ov_single_instance.h"
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
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace {

const QString app_name = QStringLiteral("Orvantis");

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

}  // namespace

QStringList ov_command_line_paths(const QStringList& args, const QDir& start_dir) {
  // Qt's options that take the next argument as their value.
  static const QStringList with_value = {QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
                                         QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
                                         QStringLiteral("qwindowgeometry"), QStringLiteral("geometry"),
                                         QStringLiteral("qwindowtitle"),    QStringLiteral("title"),
                                         QStringLiteral("qwindowicon"),     QStringLiteral("icon"),
                                         QStringLiteral("display"),         QStringLiteral("name"),
                                         QStringLiteral("style"),           QStringLiteral("stylesheet"),
                                         QStringLiteral("session")};
  QStringList paths;
  bool options_end = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg.isEmpty()) continue;
    if (!options_end && arg == QLatin1String("--")) {
      options_end = true;
    } else if (!options_end && arg.startsWith(QLatin1Char('-'))) {
      QString name = arg;
      while (name.startsWith(QLatin1Char('-'))) name.remove(0, 1);
      if (with_value.contains(name)) ++i;
    } else {
      paths << QDir::cleanPath(start_dir.absoluteFilePath(arg));
    }
  }
  return paths;
}

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
  const bool had_data = !(databases.library->status_flags() & ov_database::not_existed) ||
                        !(databases.favorite_engine->status_flags() & ov_database::not_existed);
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

}  // namespace

int ov_startup_run(int& argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  const QStringList open_paths = ov_command_line_paths(args, QDir::current());
  // The data directory becomes the working directory; conf, log, conf_backup
  // and doc are relative to it.
  if (ov_data_dir::enter().isEmpty()) {
    std::fprintf(stderr, "orvantis: cannot create or enter the data directory\n");
    return 1;
  }

  // 1. Application configuration.
  auto config = std::make_unique<ov_app_config>();

  // 2. Single instance.
  ov_single_instance instance;
  switch (instance.acquire()) {
    case ov_single_instance::lock_failed:
      return 1;
    case ov_single_instance::another_running:
      instance.ask_running_to_raise(open_paths);
      return 1;
    case ov_single_instance::sole_instance:
      break;
  }
  // From here on a termination signal ends the run through the normal way
  // out, which releases the lock and writes what a close writes.
  ov_quit_on_signal quit_on_signal;

  // 3. Playback status travels in queued signals.
  qRegisterMetaType<ove_playback::status>("ove_playback::status");

  // 4. The process-wide log; it lives until the process ends.
  log_flush_on_exit flush_log{open_log()};

  // 5. Banner.
  ov_log_write_flush(ov_log::INFO, QStringLiteral("booting"),
                     QStringLiteral("================================ booting ") + app_name +
                         QStringLiteral(" ================================"));

  // 6, 7. Configuration backup, and the choice of old backups to prune (they
  // are removed once the databases proved usable).
  ov_config_backup backup(QStringLiteral("conf"), QStringLiteral("conf_backup"), config->backup_files(),
                          config->backup_time_format());
  backup.take_backup_if_due(config->backup_enabled(), config->sec_diff_to_run());
  const QStringList old_backups = backup.plan_removal(config->keep_old_dirs_back_to());
  if (ov_quit_on_signal::requested()) return 0;

  // 8. Application object.
  auto app = std::make_unique<QApplication>(argc, argv);
  QApplication::setApplicationName(app_name);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/ov.png")));
  QApplication::setQuitOnLastWindowClosed(true);
  ovg_mainwindow* main_window = nullptr;
  QObject::connect(&instance, &ov_single_instance::esignal_raise_requested, app.get(),
                   [&main_window] { raise_front_window(main_window); });
  QObject::connect(&instance, &ov_single_instance::esignal_open_requested, app.get(),
                   [&main_window](const QStringList& paths) {
                     if (main_window) main_window->open_paths(paths);
                   });
  instance.listen();
  struct stop_listening_first {
    ov_single_instance& instance;
    ~stop_listening_first() { instance.stop_listening(); }
  } stop_listening{instance};
  // Closing every window ends a dialog's own loop; quit() ends the main one.
  QObject::connect(&quit_on_signal, &ov_quit_on_signal::esignal_quit_requested, app.get(), [] {
    QApplication::closeAllWindows();
    QApplication::quit();
  });
  quit_on_signal.attach();

  // 9. Language, asked on the first run.
  if (!config->has_lang()) {
    ovg_dialog_lang dialog;
    if (ovg_exec(&dialog) != QDialog::Accepted || ov_quit_on_signal::requested()) return 0;
    config->store_lang(dialog.language());
  }
  const int lang = config->lang();

  // 10. Translation (Japanese only; English uses the source texts).
  auto translator = std::make_unique<QTranslator>();
  if (lang == ov_app_config::japanese && translator->load(QStringLiteral("ov_jp"), QStringLiteral(":/tr")))
    QApplication::installTranslator(translator.get());

  // 11. The five databases.
  ov_databases databases = ov_open_databases(QStringLiteral("conf"));

  // 12. Start-up check.
  const QString fatal = ov_startup_check(databases.in_order());
  if (!fatal.isEmpty()) {
    ov_log_write_flush(ov_log::FATAL, QStringLiteral("startup"), fatal);
    show_messages(fatal, QString());
    return 1;
  }
  backup.remove_backups(old_backups);
  if (ov_quit_on_signal::requested()) return 0;

  // 13. Seed.
  const QString kept_for_old_seed = keep_files_of_old_seed(*config, databases);
  const QString seed = config->init_seed();

  // 14. Process-wide objects, in order.
  auto album_groups = std::make_unique<ov_group_map>();
  auto artist_groups = std::make_unique<ov_group_map>();
  auto library = std::make_unique<ov_library>(databases.library.get(), album_groups.get(), artist_groups.get(), seed);
  auto playback_normal = std::make_unique<ov_playback_normal>();
  ov_rank_table::instance();
  ovd_track::instance();
  ov_grade_table::instance();
  ovd_skill::instance();
  // Process-wide objects of later subsystems are created here, after the
  // skill catalogue, in the same way.

  // 15. Main window.
  ov_install_documents();
  auto window =
      std::make_unique<ovg_mainwindow>(library.get(), seed, databases.playlists.get(), databases.playlist_items.get(),
                                       databases.presets.get(), databases.favorite_engine.get());
  main_window = window.get();
  window->show();
  ov_autotest::note(QStringLiteral("window shown: ") + window->windowTitle());

  // 16. Start-up report.
  if (!ov_quit_on_signal::requested()) window->present_startup_report(databases.in_order());
  if (!kept_for_old_seed.isEmpty() && !ov_quit_on_signal::requested())
    show_messages(QString(), ov_seed_loss_warning(kept_for_old_seed), window.get());

  // 17. The desktop's media controls, also when a signal already asked to
  // quit (the run ends right after); without a session bus the player runs
  // without them and one INFO line says so.
  auto media_player = std::make_unique<ovg_media_player_bridge>(window.get());
  auto mpris = std::make_unique<ov_mpris>(media_player.get());
  if (mpris->start()) media_player->attach(mpris.get());

  if (!open_paths.isEmpty() && !ov_quit_on_signal::requested()) window->open_paths(open_paths);

  // 18. Event loop; a signal that came during the start-up dialogs has
  // already closed the window, and then there is nothing to run.
  const int result = ov_quit_on_signal::requested() ? 0 : QApplication::exec();

  // 19. Shutdown: the media controls leave the bus before the window goes.
  flush_log.log->flush();
  mpris.reset();
  media_player.reset();
  main_window = nullptr;
  window.reset();
  report_unstored_scores(*library);
  translator.reset();
  ov_autotest::note(QStringLiteral("exit %1").arg(result));
  return result;
}
