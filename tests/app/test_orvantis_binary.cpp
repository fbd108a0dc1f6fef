#include "ov_test_env.h"
#include "ov_test_mp3.h"
#include "ov_test_program.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
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
  // The paths of the library's rows, read with the sqlite3 program while the
  // program may still run (empty while the file is locked).
  static QStringList query(const QString& home, const QString& db, const QString& sql) {
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {home + QStringLiteral("/conf/") + db, sql});
    sqlite.waitForFinished(10000);
    return QString::fromUtf8(sqlite.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  }
  static QSet<QString> library_paths(const QString& home) {
    const QStringList lines =
        query(home, QStringLiteral("library.db"), QStringLiteral("SELECT filepath FROM library;"));
    return QSet<QString>(lines.cbegin(), lines.cend());
  }
  static bool wait_for_library(const QString& home, const QSet<QString>& paths) {
    for (int i = 0; i < 600; ++i) {
      if (library_paths(home) == paths) return true;
      QThread::msleep(100);
    }
    return false;
  }
  // A short MP3 file.
  static void make_mp3(const QString& path) {
    static QByteArray made;
    if (made.isEmpty()) {
      QTemporaryDir dir;
      QVERIFY(ov_test::make_tone_mp3(dir.filePath(QStringLiteral("t.mp3")), {.seconds = 0.5}));
      made = bytes(dir.filePath(QStringLiteral("t.mp3")));
    }
    write(path, made);
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
  // Two copies started at once with a file each, on a first run: whichever
  // takes the data directory gets both files, the other hands its file over
  // and ends with 1. A copy with another data directory runs beside them.
  void simultaneous_starts_lose_no_file() {
    if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty()) QSKIP("no sqlite3 command");
    QTemporaryDir music;
    const QString a = music.filePath(QStringLiteral("a.mp3"));
    const QString b = music.filePath(QStringLiteral("b.mp3"));
    make_mp3(a);
    make_mp3(b);
    for (int trial = 0; trial < 3; ++trial) {
      run_dirs dirs;
      auto one = ov_test::start_program({a}, environment(dirs, QStringLiteral("accept")));
      auto two = ov_test::start_program({b}, environment(dirs, QStringLiteral("accept")));
      QProcess* handed = nullptr;
      for (int i = 0; i < 2400 && !handed; ++i) {
        one->waitForFinished(25);
        two->waitForFinished(25);
        if (one->state() == QProcess::NotRunning) handed = one.get();
        if (two->state() == QProcess::NotRunning) handed = two.get();
      }
      QVERIFY2(handed, "neither copy ended");
      QProcess* running = handed == one.get() ? two.get() : one.get();
      QString err;
      QCOMPARE(ov_test::run_to_end(*handed, err), 1);
      // The library is read while the running copy writes it: no write of
      // that copy may fail on the reads.
      if (!wait_for_library(dirs.home.path(), {a, b})) {
        // Its stderr is read only now: until here the test did not read it.
        running->terminate();
        QString rest;
        ov_test::run_to_end(*running, rest);
        QFAIL(qPrintable(rest + log_text(dirs)));
      }
      if (trial == 0) {
        run_dirs other;
        QProcessEnvironment env = environment(other, QStringLiteral("accept"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dirs.runtime.path());
        auto beside = ov_test::start_program({}, env);
        QString err3;
        QVERIFY2(ov_test::wait_for(*beside, err3, QStringLiteral("window shown")), qPrintable(err3));
        beside->terminate();
        QCOMPARE(ov_test::run_to_end(*beside, err3), 0);
      }
      running->terminate();
      QString said;
      QCOMPARE(ov_test::run_to_end(*running, said), 0);
      QVERIFY2(!said.contains(QStringLiteral("Could not write")) && !said.contains(QStringLiteral("The seed in")),
               qPrintable(said));
    }
  }

  // An unknown option ends the run with 2 before the data directory is
  // made. After "--" every argument is a file, also one named like an option
  // (Qt's own parsing never sees it) and a hidden one.
  void command_line() {
    if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty()) QSKIP("no sqlite3 command");
    run_dirs dirs;
    const QString never = dirs.home.filePath(QStringLiteral("never"));
    QProcessEnvironment env = environment(dirs, QStringLiteral("accept"));
    env.insert(QStringLiteral("ORVANTIS_HOME"), never);
    auto refused = ov_test::start_program({QStringLiteral("a.mp3"), QStringLiteral("--bogus")}, env);
    QString err;
    QCOMPARE(ov_test::run_to_end(*refused, err), 2);
    QVERIFY2(err.contains(QStringLiteral("Unknown option: --bogus")), qPrintable(err));
    QVERIFY(!QFileInfo::exists(never));

    QTemporaryDir music;
    QSet<QString> paths;
    for (const char* name : {"--help.mp3", "a.mp3", ".hidden.mp3"}) {
      make_mp3(music.filePath(QLatin1String(name)));
      paths << music.filePath(QLatin1String(name));
    }
    write(dirs.home.filePath(QStringLiteral("conf/main.ini")), "[main]\nlang=english\n");
    QProcess p;
    p.setProcessEnvironment(environment(dirs, QStringLiteral("accept")));
    p.setWorkingDirectory(music.path());
    p.setReadChannel(QProcess::StandardError);
    // "-platform" names no file here; it must not take a.mp3 as its value.
    p.start(ov_test::orvantis_binary(),
            {QStringLiteral("--"), QStringLiteral("--help.mp3"), QStringLiteral("-platform"), QStringLiteral("a.mp3"),
             QStringLiteral(".hidden.mp3")});
    QVERIFY2(ov_test::wait_for(p, err, QStringLiteral("added 3 of 4 files")), qPrintable(err.right(2000)));
    p.terminate();
    QCOMPARE(ov_test::run_to_end(p, err), 0);
    QCOMPARE(library_paths(dirs.home.path()), paths);
  }

  // kill -9 during a long add keeps the files committed so far, each with
  // its entry and no entry without its track.
  void kill_during_a_long_add_keeps_what_was_committed() {
    if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty()) QSKIP("no sqlite3 command");
    run_dirs dirs;
    write(dirs.home.filePath(QStringLiteral("conf/main.ini")), "[main]\nlang=english\n");
    QTemporaryDir music;
    for (int i = 0; i < 1500; ++i) make_mp3(music.filePath(QStringLiteral("f%1.mp3").arg(i, 4, 10, QLatin1Char('0'))));
    auto p = ov_test::start_program({music.path()}, environment(dirs, QStringLiteral("accept")));
    QString err;
    QVERIFY2(ov_test::wait_for(*p, err, QStringLiteral("committed ")), qPrintable(err));
    p->kill();
    p->waitForFinished(60000);
    const QString home = dirs.home.path();
    QVERIFY(
        query(home, QStringLiteral("library.db"), QStringLiteral("SELECT COUNT(*) FROM library;")).value(0).toInt() >
        0);
    QCOMPARE(query(home, QStringLiteral("playlist_items.db"),
                   QStringLiteral("ATTACH '%1/conf/library.db' AS l; SELECT COUNT(*) FROM playlist_items WHERE "
                                  "library_id NOT IN (SELECT id FROM l.library);")
                       .arg(home)),
             QStringList{QStringLiteral("0")});
  }

  // A data directory on a nearly full disk: start-up warns; when the disk
  // fills up during an add, the add stops with a message, the first failed
  // write is told beside the window, and nothing half-stored stays behind.
  // Needs a small tmpfs (root).
  void full_disk_is_told() {
    if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty()) QSKIP("no sqlite3 command");
    run_dirs dirs;
    if (::geteuid() != 0 ||
        QProcess::execute(QStringLiteral("mount"),
                          {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                           QStringLiteral("size=1m"), QStringLiteral("tmpfs"), dirs.home.path()}) != 0)
      QSKIP("needs a small tmpfs, which only root can mount");
    struct unmount {
      QString dir;
      ~unmount() { QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), dir}); }
    } unmount_at_end{dirs.home.path()};
    QTemporaryDir music;
    QStringList files;
    for (int i = 0; i < 5; ++i) {
      files << music.filePath(QStringLiteral("f%1.mp3").arg(i));
      make_mp3(files.last());
    }
    write(dirs.home.filePath(QStringLiteral("conf/main.ini")), "[main]\nlang=english\n");
    auto first = start(dirs, QStringLiteral("accept"));
    QString err;
    QVERIFY2(ov_test::wait_for(*first, err, QStringLiteral("window shown")), qPrintable(err));
    QVERIFY2(ov_test::wait_for(*first, err, QStringLiteral("warning shown: Only ")), qPrintable(err));
    QFile filler(dirs.home.filePath(QStringLiteral("filler")));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    auto second = ov_test::start_program(files, environment(dirs, QStringLiteral("accept")));
    QString err2;
    QCOMPARE(ov_test::run_to_end(*second, err2), 1);
    QVERIFY2(
        ov_test::wait_for(*first, err, QStringLiteral("Adding stopped: the disk is full. 0 files added, 5 not added.")),
        qPrintable(err));
    QVERIFY2(ov_test::wait_for(*first, err, QStringLiteral("warning shown: Could not write to ")), qPrintable(err));
    first->terminate();
    QCOMPARE(ov_test::run_to_end(*first, err), 0);
    filler.close();  // fails to write its last buffer, so the file is removed by name
    QVERIFY(QFile::remove(filler.fileName()));
    QCOMPARE(query(dirs.home.path(), QStringLiteral("library.db"), QStringLiteral("SELECT COUNT(*) FROM library;")),
             QStringList{QStringLiteral("0")});
    QCOMPARE(query(dirs.home.path(), QStringLiteral("playlist_items.db"),
                   QStringLiteral("SELECT COUNT(*) FROM playlist_items;")),
             QStringList{QStringLiteral("0")});
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
    QVERIFY(!err.contains(QStringLiteral("window shown")));
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
