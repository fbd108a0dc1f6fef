#include "ov_app_config.h"
#include "ov_config_backup.h"
#include "ov_log_capture.h"
#include "ov_test_env.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Backup decisions and pruning on a real directory tree, with the log lines
// they write.
class test_config_backup : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<ov_log_capture> log_;
  QString old_cwd_;
  const QString format_ = QStringLiteral("yyyy-MM-dd_hhmmss");

  ov_config_backup backup() {
    return ov_config_backup("conf", "conf_backup", {"main.ini", "seed.ini", "library.db", "presets.db"}, format_);
  }
  QStringList log_lines() { return log_->lines(); }
  static void make_dir(const QString& name) { QVERIFY(QDir().mkpath(QStringLiteral("conf_backup/") + name)); }
  QString name_at(qint64 seconds_ago) const {
    return QDateTime::currentDateTime().addSecs(-seconds_ago).toString(format_);
  }

private slots:
  void initTestCase() { old_cwd_ = QDir::currentPath(); }
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(dir_->path()));
    QDir().mkpath(QStringLiteral("conf"));
    QVERIFY(ov_test::write_file(QStringLiteral("conf/main.ini"), "[backup]\n"));
    QVERIFY(ov_test::write_file(QStringLiteral("conf/library.db"), "db"));
    log_ = std::make_unique<ov_log_capture>();
  }
  void cleanup() {
    log_.reset();
    QDir::setCurrent(old_cwd_);
    dir_.reset();
  }

  // Existing backup directories (seconds ago, or a fixed name) and what the
  // start-up decision does; "%1" in the first line is the newest existing name.
  void decision_data() {
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("first_line");
    QTest::newRow("none yet") << QStringList{} << true << "INFO\tinit-backup\tbackup dir is empty";
    QTest::newRow("recent") << QStringList{"10"} << false
                            << "INFO\tinit-backup\tlatest backup dir name= %1 and it is NOT older than 600sec";
    QTest::newRow("old") << QStringList{"3600"} << true
                         << "INFO\tinit-backup\tlatest backup dir name= %1 and it is older than 600sec";
    QTest::newRow("unparsable newest") << QStringList{"3600", "2999-13-01_000000"} << true
                                       << "WARNING\tinit-backup\tparse error for latest backup dir name=%1";
  }
  void decision() {
    QFETCH(QStringList, existing);
    QFETCH(bool, taken);
    QFETCH(QString, first_line);
    for (const QString& e : existing) make_dir(e.contains('_') ? e : name_at(e.toInt()));
    const QStringList before = backup().backup_dir_names();
    backup().take_backup_if_due(true, 600);
    const QStringList names = backup().backup_dir_names();
    QCOMPARE(names.size(), before.size() + (taken ? 1 : 0));
    const QStringList lines = log_lines();
    QCOMPARE(lines.value(0), before.isEmpty() ? first_line : first_line.arg(before.first()));
    QCOMPARE(lines.size(), taken ? 2 : 1);
    if (!taken) return;
    QString made;
    for (const QString& n : names)
      if (!before.contains(n)) made = n;
    QCOMPARE(lines.at(1), "INFO\tinit-backup\ttaking backup.  backup dir= conf_backup/" + made);
    QCOMPARE(QDir("conf_backup/" + made).entryList(QDir::Files, QDir::Name), QStringList({"library.db", "main.ini"}));
  }

  // Pruning does not depend on it: prune_keeps_newest_and_ignores_others.
  void disabled_backup_takes_none() {
    make_dir(name_at(100000));
    backup().take_backup_if_due(false, 600);
    QCOMPARE(backup().backup_dir_names().size(), 1);
    QCOMPARE(log_lines(), QStringList{"INFO\tinit backup\tbackup disabled"});
  }

  void prune_keeps_newest_and_ignores_others() {
    QStringList made;
    for (int i = 0; i < 26; ++i) {
      made << name_at(200000 + i * 100);
      make_dir(made.last());
      QVERIFY(ov_test::write_file(QStringLiteral("conf_backup/") + made.last() + QStringLiteral("/main.ini"), "x"));
    }
    make_dir(QStringLiteral("backup-old"));
    QVERIFY(ov_test::write_file(QStringLiteral("conf_backup/stray.txt"), "x"));
    const QString oldest = "conf_backup/" + made.last();
    // A file that is not one of the backed-up names keeps the oldest directory alive.
    QVERIFY(ov_test::write_file(oldest + QStringLiteral("/notes.txt"), "x"));
    backup().remove_old_backups(25);
    QVERIFY(QFileInfo::exists(oldest));
    QVERIFY(!QFileInfo::exists(oldest + QStringLiteral("/main.ini")));
    QCOMPARE(backup().backup_dir_names().size(), 26);
    QCOMPARE(log_lines(), QStringList({"INFO\tinit-remove-old-backup\tnumber of backup dir is 26. it is over 25",
                                       "INFO\tinit-remove-old-backup\tremoving " + made.last()}));
    // Tried again at the next start; without the stray file it goes.
    QVERIFY(QFile::remove(oldest + QStringLiteral("/notes.txt")));
    backup().remove_old_backups(25);
    QVERIFY(!QFileInfo::exists(oldest));
    QCOMPARE(backup().backup_dir_names().size(), 25);
    QVERIFY(QFileInfo::exists(QStringLiteral("conf_backup/backup-old")));
    QVERIFY(QFileInfo::exists(QStringLiteral("conf_backup/stray.txt")));
  }

  void prune_under_the_limit_and_without_root() {
    backup().remove_old_backups(1);
    QVERIFY(log_lines().isEmpty());
    const QString name = name_at(5000);
    make_dir(name);
    backup().remove_old_backups(25);
    QCOMPARE(log_lines(), QStringList({"INFO\tinit-remove-old-backup\tnumber of backup dir is 1. it is NOT over 25"}));
    log_->log().set_tag(ov_log::DEBUG, QStringLiteral("init-remove-old-backup"), true);
    backup().remove_old_backups(25);
    QCOMPARE(log_lines().at(1), "DEBUG\tinit-remove-old-backup\tbackup dir= " + name);
  }

  // A copy that fails (here a directory where a file should be) leaves the
  // backup incomplete, and the log says so; pruning can be decided first and
  // carried out later.
  void failed_copies_and_deferred_pruning() {
    QVERIFY(QFile::remove(QStringLiteral("conf/library.db")));
    QVERIFY(QDir().mkpath(QStringLiteral("conf/library.db")));
    ov_config_backup b = backup();
    b.take_backup_if_due(true, 600);
    const QStringList lines = log_lines();
    QVERIFY2(lines.filter(QStringLiteral("WARNING\tinit-backup\tfailed to copy conf/library.db")).size() == 1,
             qPrintable(lines.join('\n')));
    QCOMPARE(lines.filter(QStringLiteral("WARNING\tinit-backup\tbackup is incomplete.  backup dir= ")).size(), 1);
    QVERIFY(QFile::exists(QStringLiteral("conf_backup/") + b.backup_dir_names().first() + QStringLiteral("/main.ini")));

    make_dir(QStringLiteral("2001-01-01_000000"));
    const QStringList doomed = b.plan_removal(1);
    QCOMPARE(doomed, QStringList{QStringLiteral("2001-01-01_000000")});
    QVERIFY(QFileInfo::exists(QStringLiteral("conf_backup/2001-01-01_000000")));
    b.remove_backups(doomed);
    QVERIFY(!QFileInfo::exists(QStringLiteral("conf_backup/2001-01-01_000000")));
  }
};

QTEST_GUILESS_MAIN(test_config_backup)
#include "test_config_backup.moc"
