#include "ov_command_line.h"
#include "ov_data_dir.h"
#include "ov_single_instance.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The data directory choice, the single-instance guard and the command
// line, in process.
class test_platform : public QObject {
  Q_OBJECT

private slots:
  // What a command line asks for: paths made absolute; Qt's own options
  // (with their values) kept for the application object; after "--"
  // everything is a path; an option of nobody's is refused.
  void command_line() {
    const QDir start(QStringLiteral("/music/start"));
    const ov_command_line line =
        ov_command_line::parse({"a.mp3", "-platform", "xcb", "--style=fusion", "-reverse", "../b dir/", "/abs/c.mp3",
                                "--", "-d.mp3", "--help", "-platform", "\xff\xfe.mp3"},
                               start);
    QCOMPARE(line.what, ov_command_line::request::run);
    QCOMPARE(line.paths,
             (QStringList{QStringLiteral("/music/start/a.mp3"), QStringLiteral("/music/b dir"),
                          QStringLiteral("/abs/c.mp3"), QStringLiteral("/music/start/-d.mp3"),
                          QStringLiteral("/music/start/--help"), QStringLiteral("/music/start/-platform")}));
    QCOMPARE(line.qt_arguments, (QList<QByteArray>{"-platform", "xcb", "--style=fusion", "-reverse"}));
    QCOMPARE(line.unreadable, QList<QByteArray>{"\xff\xfe.mp3"});

    const ov_command_line unknown = ov_command_line::parse({"a.mp3", "--shuffle", "--help"}, start);
    QCOMPARE(unknown.what, ov_command_line::request::unknown_option);
    QCOMPARE(unknown.unknown_option, QStringLiteral("--shuffle"));
    QCOMPARE(ov_command_line::parse({"-h"}, start).what, ov_command_line::request::help);
    QCOMPARE(ov_command_line::parse({"x", "--version"}, start).what, ov_command_line::request::version);
  }
  void data_dir_choice_data() {
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("program_dir");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("expected");
    QTest::newRow("home wins") << "/h"
                               << "/opt/ov" << true << "/h";
    QTest::newRow("portable") << ""
                              << "/opt/ov" << true << "/opt/ov";
    QTest::newRow("read-only install") << ""
                                       << "/usr/bin" << false << "/x/share/orvantis";
    QTest::newRow("unknown program dir") << ""
                                         << "" << true << "/x/share/orvantis";
  }
  void data_dir_choice() {
    QFETCH(QString, home);
    QFETCH(QString, program_dir);
    QFETCH(bool, writable);
    QFETCH(QString, expected);
    QCOMPARE(ov_data_dir::choose(home, program_dir, writable, QStringLiteral("/x/share")), expected);
  }

  void enter_creates_and_enters_home() {
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    const QString home = dir.filePath(QStringLiteral("a/b"));
    qputenv("ORVANTIS_HOME", home.toUtf8());
    const QString entered = ov_data_dir::enter();
    qunsetenv("ORVANTIS_HOME");
    const QString now = QDir::currentPath();
    QDir::setCurrent(old);
    QCOMPARE(entered, QDir(home).canonicalPath());
    QCOMPARE(now, entered);
    QVERIFY(!ov_data_dir::program_dir().isEmpty());
  }

  // One instance per data directory (two spellings of one directory are
  // one); another data directory runs beside it.
  void one_instance_per_data_directory() {
    QTemporaryDir run;
    QTemporaryDir other;
    ov_single_instance first(run.path(), run.path());
    QCOMPARE(first.acquire(), ov_single_instance::sole_instance);
    QVERIFY(first.lock_path().contains(QStringLiteral("Orvantis")));
    QVERIFY(first.lock_path().contains(QString::number(::getuid())));
    ov_single_instance second(run.path() + QStringLiteral("/."), run.path());
    QCOMPARE(second.acquire(), ov_single_instance::another_running);
    ov_single_instance beside(other.path(), run.path());
    QCOMPARE(beside.acquire(), ov_single_instance::sole_instance);
  }

  // The socket listens from the moment the lock is taken: a request made
  // while the first copy is still starting waits and arrives once it
  // listens through its event loop.
  void requests_reach_the_first_also_before_it_listens() {
    QTemporaryDir run;
    ov_single_instance first(run.path(), run.path());
    QCOMPARE(first.acquire(), ov_single_instance::sole_instance);
    ov_single_instance second(run.path(), run.path());
    QCOMPARE(second.acquire(), ov_single_instance::another_running);
    // Paths travel intact, whatever characters they hold.
    const QStringList paths = {QStringLiteral("/music/a b.mp3"), QStringLiteral("/music/曲\nnew line%.mp3"),
                               QStringLiteral("/music/dir")};
    QVERIFY(second.hand_over(paths, 0));
    QVERIFY(second.ask_running_to_raise());

    QSignalSpy raised(&first, &ov_single_instance::esignal_raise_requested);
    QSignalSpy opened(&first, &ov_single_instance::esignal_open_requested);
    QVERIFY(first.listen());
    QTRY_COMPARE_WITH_TIMEOUT(raised.count(), 2, 10000);
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.first().first().toStringList(), paths);
  }

  void lock_in_unusable_directory_fails() {
    ov_single_instance guard(QStringLiteral("/music"), QStringLiteral("/proc/no-such-dir"));
    QCOMPARE(guard.acquire(), ov_single_instance::lock_failed);
  }
};

QTEST_GUILESS_MAIN(test_platform)
#include "test_platform.moc"
