#include "ov_test_env.h"
#include "ov_test_program.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

// The real program, started in a temporary data directory with its own
// runtime directory, driven through ORVANTIS_AUTOTEST: every modal dialog
// prints its texts on stderr and closes itself (accept or reject).
class test_orvantis_binary : public QObject {
  Q_OBJECT

  struct run_dirs {
    QTemporaryDir home;
    QTemporaryDir runtime;
  };

  static QProcessEnvironment environment(const run_dirs& dirs, const QString& mode) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORVANTIS_HOME"), dirs.home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dirs.runtime.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ORVANTIS_AUTOTEST"), mode);
    // Never the user's session bus: the media controls stay off here.
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/bus"));
    return env;
  }

  static std::unique_ptr<QProcess> start(const run_dirs& dirs, const QString& mode) {
    return ov_test::start_program({}, environment(dirs, mode));
  }

  static QByteArray bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  static QString log_text(const run_dirs& dirs) { return ov_test::log_text(dirs.home.path()); }
  static void write(const QString& path, const QByteArray& text) { QVERIFY(ov_test::write_file(path, text)); }
  static bool window_open(const ov_test::x_server& x, const QString& title) {
    return !x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                       QLatin1Char('^') + title + QLatin1Char('$')})
                .isEmpty();
  }
  static bool lock_held(const run_dirs& dirs) {
    // A second copy ends with 1 while the first holds the lock; otherwise it
    // starts in full and is closed again.
    auto second = start(dirs, QStringLiteral("accept"));
    QString err;
    if (ov_test::wait_for(*second, err, QStringLiteral("window shown"))) {
      second->terminate();
      ov_test::run_to_end(*second, err);
      return false;
    }
    return ov_test::run_to_end(*second, err) == 1;
  }
  // A run that ends on its first start-up dialog, for a set-up data directory.
  static void first_run(run_dirs& dirs) {
    write(dirs.home.filePath(QStringLiteral("conf/main.ini")), "[main]\nlang=english\n");
    auto p = start(dirs, QStringLiteral("accept"));
    QString err;
    QVERIFY2(ov_test::wait_for(*p, err, QStringLiteral("window shown")), qPrintable(err));
    p->terminate();
    QCOMPARE(ov_test::run_to_end(*p, err), 0);
  }

private slots:
  void initTestCase() { QVERIFY2(QFile::exists(ov_test::orvantis_binary()), qPrintable(ov_test::orvantis_binary())); }

  void first_run_then_second_instance() {
    run_dirs dirs;
    auto first = start(dirs, QStringLiteral("accept"));
    QString err;
    // Japanese is preselected; the report of the new files then comes translated.
    QVERIFY2(ov_test::wait_for(*first, err, QStringLiteral("dialog: メッセージ")), qPrintable(err));
    QVERIFY2(ov_test::wait_for(*first, err, QStringLiteral("dialog result"), 2), qPrintable(err));
    QVERIFY(err.contains(QStringLiteral("dialog: Language")));
    QVERIFY(err.contains(QStringLiteral("window shown: Orvantis 1.0.0a2")));
    for (const char* name : {"library", "playlists", "playlist_items", "presets", "favorite_engine"}) {
      QVERIFY(
          err.contains(QString::fromUtf8("text information_text: ファイル conf/%1.db はありませんでした。").arg(name)));
      QVERIFY(QFileInfo(dirs.home.filePath(QStringLiteral("conf/%1.db").arg(name))).isFile());
    }
    QCOMPARE(err.count(QString::fromUtf8("text information_text: 新しいファイルを作成しました。")), 5);
    QVERIFY(!err.contains(QStringLiteral("fatal_")));
    QVERIFY(!err.contains(QStringLiteral("warning_")));

    // A second start hands over to the first and ends with 1, writing no log line.
    const QString log_before = log_text(dirs);
    QCOMPARE(log_before.count(QStringLiteral("\tINFO\tbooting\t================================ booting Orvantis "
                                             "================================\n")),
             1);
    auto second = start(dirs, QStringLiteral("accept"));
    QString err2;
    QCOMPARE(ov_test::run_to_end(*second, err2), 1);
    QVERIFY2(!err2.contains(QStringLiteral("dialog")), qPrintable(err2));
    QVERIFY(ov_test::wait_for(*first, err, QStringLiteral("raised Orvantis 1.0.0a2")));
    QCOMPARE(log_text(dirs), log_before);

    // A termination request closes the window the normal way.
    first->terminate();
    QCOMPARE(ov_test::run_to_end(*first, err), 0);
    QVERIFY(err.contains(QStringLiteral("exit 0")));

    const QString main_ini = ov_test::read_text(dirs.home.filePath(QStringLiteral("conf/main.ini")));
    QVERIFY(main_ini.contains(QStringLiteral("[backup]\nenabled=yes\nkeep_old_dirs_back_to=25\nsec_diff_to_run=600")));
    QVERIFY(main_ini.contains(QStringLiteral("[main]\nlang=japanese")));
    const QRegularExpression seed(
        QStringLiteral("sec_seed=[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\n"));
    QVERIFY(seed.match(ov_test::read_text(dirs.home.filePath(QStringLiteral("conf/seed.ini")))).hasMatch());
    QVERIFY(QFile::exists(dirs.home.filePath(QStringLiteral("doc/keys.txt"))));
    QVERIFY(ov_test::read_text(dirs.home.filePath(QStringLiteral("doc/orvantis_LICENSE.txt")))
                .contains(QStringLiteral("Orvantis")));
    const QString log = log_text(dirs);
    QVERIFY(log.contains(QStringLiteral("\tINFO\tinit-backup\tbackup dir is empty\n")));
    QVERIFY(log.contains(QStringLiteral("\tINFO\tinit-backup\ttaking backup.  backup dir= conf_backup/")));
    QVERIFY(
        log.contains(QStringLiteral("\tINFO\tinit-remove-old-backup\tnumber of backup dir is 1. it is NOT over 25\n")));
    QVERIFY(!log.contains(QStringLiteral("\tDEBUG\t")));
    QCOMPARE(
        QDir(dirs.home.filePath(QStringLiteral("conf_backup"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);

    // The next start: no language question, no report (nothing new), the
    // backup is not due yet, and the same seed.
    const QString seed_before = ov_test::read_text(dirs.home.filePath(QStringLiteral("conf/seed.ini")));
    auto third = start(dirs, QStringLiteral("accept"));
    QString err3;
    QVERIFY2(ov_test::wait_for(*third, err3, QStringLiteral("window shown")), qPrintable(err3));
    third->terminate();
    QCOMPARE(ov_test::run_to_end(*third, err3), 0);
    QVERIFY(!err3.contains(QStringLiteral("dialog:")));
    QCOMPARE(ov_test::read_text(dirs.home.filePath(QStringLiteral("conf/seed.ini"))), seed_before);
    QVERIFY(log_text(dirs).contains(QStringLiteral(" and it is NOT older than 600sec\n")));
  }

  void cancelled_language_dialog_exits_0() {
    run_dirs dirs;
    for (int run = 0; run < 2; ++run) {
      auto p = start(dirs, QStringLiteral("reject"));
      QString err;
      QCOMPARE(ov_test::run_to_end(*p, err), 0);
      QVERIFY2(err.contains(QStringLiteral("dialog: Language")), qPrintable(err));
      QVERIFY(err.contains(QStringLiteral("combo language_combo: Japanese")));
      QVERIFY(!err.contains(QStringLiteral("window shown")));
      const QString main_ini = ov_test::read_text(dirs.home.filePath(QStringLiteral("conf/main.ini")));
      QVERIFY(main_ini.contains(QStringLiteral("enabled=yes")));
      QVERIFY(!main_ini.contains(QStringLiteral("lang")));
    }
    QVERIFY(!QFile::exists(dirs.home.filePath(QStringLiteral("conf/library.db"))));
  }

  void database_path_that_is_a_directory_is_fatal() {
    run_dirs dirs;
    write(dirs.home.filePath(QStringLiteral("conf/main.ini")), "[main]\nlang=english\n");
    QVERIFY(QDir().mkpath(dirs.home.filePath(QStringLiteral("conf/library.db"))));
    auto p = start(dirs, QStringLiteral("accept"));
    QString err;
    QCOMPARE(ov_test::run_to_end(*p, err), 1);
    QVERIFY2(err.contains(QStringLiteral("dialog: Messages")), qPrintable(err));
    QVERIFY(err.contains(QStringLiteral("label fatal_label: Fatal:")));
    QVERIFY(err.contains(QStringLiteral("text fatal_text: file conf/library.db is not a regular file.\n")));
    QVERIFY(!err.contains(QStringLiteral("information_")));
    QVERIFY(!err.contains(QStringLiteral("window shown")));
    QVERIFY(QFileInfo(dirs.home.filePath(QStringLiteral("conf/library.db"))).isDir());
  }

  void lock_left_by_a_killed_run_does_not_block() {
    run_dirs dirs;
    write(dirs.home.filePath(QStringLiteral("conf/main.ini")), "[main]\nlang=english\n");
    auto crashed = start(dirs, QStringLiteral("accept"));
    QString err;
    QVERIFY2(ov_test::wait_for(*crashed, err, QStringLiteral("window shown")), qPrintable(err));
    crashed->kill();
    crashed->waitForFinished(60000);
    QVERIFY(
        !QDir(dirs.runtime.path()).entryList(QStringList{QStringLiteral("Orvantis-*.lock")}, QDir::Files).isEmpty());

    auto next = start(dirs, QStringLiteral("accept"));
    QString err2;
    QVERIFY2(ov_test::wait_for(*next, err2, QStringLiteral("window shown")), qPrintable(err2));
    // It also answers the next copy, over the socket left behind.
    auto third = start(dirs, QStringLiteral("accept"));
    QString err3;
    QCOMPARE(ov_test::run_to_end(*third, err3), 1);
    QVERIFY(ov_test::wait_for(*next, err2, QStringLiteral("raised")));
    next->terminate();
    QCOMPARE(ov_test::run_to_end(*next, err2), 0);
    QCOMPARE(log_text(dirs).count(QStringLiteral("\tbooting\t")), 2);
  }
  // A termination signal while a start-up dialog is open (no autotest
  // switch: a real dialog on a real X server) ends the run at once, through
  // the normal close, and frees the lock.
  void signal_during_startup_dialog_ends_the_run() {
    const ov_test::x_server x;
    if (x.display().isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
      QSKIP("no Xvfb or xdotool here");
    for (const int sig : {SIGTERM, SIGINT}) {
      run_dirs dirs;
      write(dirs.home.filePath(QStringLiteral("conf/main.ini")), "[main]\nlang=english\n");
      QProcessEnvironment env = environment(dirs, QString());
      env.remove(QStringLiteral("ORVANTIS_AUTOTEST"));
      env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
      env.insert(QStringLiteral("DISPLAY"), x.display());
      QProcess p;
      p.setProcessEnvironment(env);
      p.start(ov_test::orvantis_binary(), QStringList());
      QVERIFY(p.waitForStarted(10000));
      // The first run reports the files it created in the messages dialog.
      bool open = false;
      for (int i = 0; i < 600 && !open && p.state() == QProcess::Running; ++i) {
        open = window_open(x, QStringLiteral("Messages"));
        if (!open) QThread::msleep(100);
      }
      QVERIFY2(open, "the start-up dialog did not open");
      ::kill(pid_t(p.processId()), sig);
      QVERIFY2(p.waitForFinished(10000), "still running after the signal");
      QCOMPARE(p.exitStatus(), QProcess::NormalExit);
      QCOMPARE(p.exitCode(), 0);
      QVERIFY(!lock_held(dirs));
      QVERIFY(log_text(dirs).contains(QStringLiteral("\tbooting\t")));
    }
  }

  // conf/ itself not writable (its files are): SQLite could not make its
  // journal, so every write would fail. Root ignores permissions, so the run
  // is made as an unprivileged user.
  void unwritable_conf_directory_is_fatal() {
    if (::geteuid() != 0 && ::access("/", W_OK) == 0) QSKIP("cannot make a directory unwritable here");
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || setpriv.isEmpty() || !nobody) QSKIP("needs root, setpriv and the user nobody");
    if (::access(QFile::encodeName(ov_test::orvantis_binary()).constData(), X_OK) != 0) QSKIP("binary not reachable");
    run_dirs dirs;
    first_run(dirs);
    const QString home = dirs.home.path();
    const QString conf = dirs.home.filePath(QStringLiteral("conf"));
    for (const QString& d : {home, dirs.runtime.path()}) QVERIFY(::chmod(QFile::encodeName(d).constData(), 0777) == 0);
    QVERIFY(::chmod(QFile::encodeName(conf).constData(), 0755) == 0);  // owned by root: closed to nobody
    for (const QString& f : QDir(conf).entryList(QDir::Files))
      QVERIFY(::chown(QFile::encodeName(conf + QLatin1Char('/') + f).constData(), nobody->pw_uid, nobody->pw_gid) == 0);
    for (const QString& d :
         {dirs.home.filePath(QStringLiteral("log")), dirs.home.filePath(QStringLiteral("conf_backup"))})
      QVERIFY(QProcess::execute(QStringLiteral("chown"), {QStringLiteral("-R"), QStringLiteral("nobody"), d}) == 0);
    QProcess p;
    p.setProcessEnvironment(environment(dirs, QStringLiteral("accept")));
    p.start(setpriv, {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                      QStringLiteral("--clear-groups"), ov_test::orvantis_binary()});
    QString err;
    const int code = ov_test::run_to_end(p, err);
    if (err.contains(QStringLiteral("Permission denied")) && code != 1) QSKIP("the build tree is closed to nobody");
    QCOMPARE(code, 1);
    QVERIFY2(err.contains(QStringLiteral("text fatal_text: directory conf is not writable.")), qPrintable(err));
    QVERIFY(!err.contains(QStringLiteral("window shown")));
  }

  // A start that ends on the fatal dialog prunes no backup, keeps the fatal
  // text in its log, and leaves a database file that is not ours unchanged.
  void failed_start_changes_nothing() {
    run_dirs dirs;
    write(dirs.home.filePath(QStringLiteral("conf/main.ini")),
          "[main]\nlang=english\n[backup]\nkeep_old_dirs_back_to=2\n");
    for (const char* name : {"2001-01-01_000000", "2001-01-02_000000"})
      QVERIFY(QDir().mkpath(dirs.home.filePath(QStringLiteral("conf_backup/") + QLatin1String(name))));
    // Somebody else's database under our name: a view called library.
    {
      QProcess sqlite;
      sqlite.start(QStringLiteral("sqlite3"),
                   {dirs.home.filePath(QStringLiteral("conf/library.db")),
                    QStringLiteral("CREATE TABLE t(a); CREATE VIEW library AS SELECT a FROM t;")});
      if (!sqlite.waitForFinished(10000) || sqlite.exitCode() != 0) QSKIP("no sqlite3 command");
    }
    const QByteArray before = bytes(dirs.home.filePath(QStringLiteral("conf/library.db")));
    auto p = start(dirs, QStringLiteral("accept"));
    QString err;
    QCOMPARE(ov_test::run_to_end(*p, err), 1);
    QVERIFY2(
        err.contains(QStringLiteral("text fatal_text: file conf/library.db holds other data than this program's.")),
        qPrintable(err));
    QCOMPARE(bytes(dirs.home.filePath(QStringLiteral("conf/library.db"))), before);
    QVERIFY(QFileInfo(dirs.home.filePath(QStringLiteral("conf_backup/2001-01-01_000000"))).isDir());
    QVERIFY(QFileInfo(dirs.home.filePath(QStringLiteral("conf_backup/2001-01-02_000000"))).isDir());
    const QString log = log_text(dirs);
    QVERIFY2(log.contains(QStringLiteral("\tFATAL\tstartup\tfile conf/library.db holds other data")), qPrintable(log));
    QVERIFY(log.contains(QStringLiteral("taking backup.  backup dir= ")));
  }

  // A damaged seed: the old library.db, favorite_engine.db and seed.ini are
  // kept in a dated directory that the warning names and pruning skips.
  void lost_seed_keeps_the_old_files() {
    run_dirs dirs;
    first_run(dirs);
    write(dirs.home.filePath(QStringLiteral("conf/seed.ini")), "[main]\nsec_seed=damaged\n");
    auto p = start(dirs, QStringLiteral("accept"));
    QString err;
    // The engine's record, enciphered with the old seed, is reported first.
    QVERIFY2(ov_test::wait_for(*p, err, QStringLiteral("window shown")), qPrintable(err));
    QVERIFY2(ov_test::wait_for(*p, err, QStringLiteral("conf_backup/seed_lost_")), qPrintable(err));
    p->terminate();
    QCOMPARE(ov_test::run_to_end(*p, err), 0);
    const QStringList kept =
        QDir(dirs.home.filePath(QStringLiteral("conf_backup"))).entryList({QStringLiteral("seed_lost_*")}, QDir::Dirs);
    QCOMPARE(kept.size(), 1);
    const QString dir = dirs.home.filePath(QStringLiteral("conf_backup/") + kept.first());
    for (const char* file : {"library.db", "favorite_engine.db", "seed.ini"})
      QVERIFY2(QFile::exists(dir + QLatin1Char('/') + QLatin1String(file)), file);
    QVERIFY(ov_test::read_text(dir + QStringLiteral("/seed.ini")).contains(QStringLiteral("sec_seed=damaged")));
    QVERIFY2(err.contains(QStringLiteral("conf_backup/") + kept.first()), qPrintable(err));
  }
};

QTEST_GUILESS_MAIN(test_orvantis_binary)
#include "test_orvantis_binary.moc"
