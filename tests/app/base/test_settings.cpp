#include "ov_app_config.h"
#include "ov_general_settings.h"
#include "ov_log_capture.h"
#include "ov_play_settings.h"
#include "ov_setting_bytes.h"
#include "ov_setting_text.h"
#include "ov_test_env.h"
#include "ov_window_settings.h"
#include "ov_write_failure.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

// Settings items on real INI files in a temporary working directory.
class test_settings : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString old_cwd_;
  int case_ = 0;

  static QString main_ini() { return ov_test::read_text(QStringLiteral("conf/main.ini")); }

  // Reads one item of a group of main.ini the way the program's settings do.
  static int read_item(const QString& group_name, const QString& key) {
    ov_settings_group group(ov_app_config::main_ini_path(), group_name);
    int value = -99;
    if (group_name == QLatin1String("window")) {
      ov_window_settings window(&group);
      for (ov_setting_int* i : {&window.width, &window.height, &window.selected_tab, &window.selected_table_row})
        if (i->key() == key) value = i->read();
    } else if (group_name == QLatin1String("backup")) {
      value = ov_setting_bool(&group, key, true).read();
    } else {
      value = ov_general_settings(&group).control_key_sent_to.read();
    }
    group.sync();
    return value;
  }

private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    old_cwd_ = QDir::currentPath();
  }
  // A fresh directory per case: QSettings caches file contents per path, and a
  // file rewritten behind its back within the same second may not be re-read.
  void init() {
    const QString path = dir_.filePath(QString::number(++case_));
    QVERIFY(QDir().mkpath(path));
    QVERIFY(QDir::setCurrent(path));
  }
  void cleanupTestCase() { QDir::setCurrent(old_cwd_); }

  // A stored value ("<missing>": no key): what it reads as and what the file
  // holds afterwards (empty: the key is still absent).
  void stored_value_repair_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("file_after");
    const struct {
      const char *name, *group, *key, *stored;
      int expected;
      const char* file_after;
    } rows[] = {{"width below range", "window", "width", "100", 1300, "width=1300"},
                {"width not a number", "window", "width", "abc", 1300, "width=abc"},
                {"width upper bound", "window", "width", "10000", 10000, "width=10000"},
                {"width missing", "window", "width", "<missing>", 1300, ""},
                {"height above range", "window", "height", "3001", 700, "height=700"},
                {"selected_tab 2", "window", "selected_tab", "2", 1, "selected_tab=1"},
                {"selected_tab 0", "window", "selected_tab", "0", 0, "selected_tab=0"},
                {"negative row", "window", "selected_table_row", "-1", 0, "selected_table_row=0"},
                {"bool yes", "backup", "enabled", "yes", 1, "enabled=yes"},
                {"bool no", "backup", "enabled", "no", 0, "enabled=no"},
                {"true is not a word", "backup", "enabled", "true", 1, "enabled=yes"},
                {"upper case", "backup", "enabled", "NO", 1, "enabled=yes"},
                {"bool missing", "backup", "enabled", "<missing>", 1, "enabled=yes"},
                {"name playing", "main", "control_key_sent_to", "playing", 2, "control_key_sent_to=playing"},
                {"number instead of name", "main", "control_key_sent_to", "2", 1, "control_key_sent_to=selected"}};
    for (const auto& r : rows)
      QTest::newRow(r.name) << QString(r.group) << QString(r.key) << QString(r.stored) << r.expected
                            << QString(r.file_after);
  }
  void stored_value_repair() {
    QFETCH(QString, group);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(int, expected);
    QFETCH(QString, file_after);
    if (stored != QLatin1String("<missing>"))
      QVERIFY(ov_test::write_file(QStringLiteral("conf/main.ini"),
                                  QStringLiteral("[%1]\n%2=%3\n").arg(group, key, stored).toUtf8()));
    QCOMPARE(read_item(group, key), expected);
    if (file_after.isEmpty())
      QVERIFY(!main_ini().contains(key));
    else
      QVERIFY2(main_ini().contains(file_after), qPrintable(main_ini()));
  }

  void play_groups_have_their_own_default_play_type() {
    ov_settings_group normal(ov_app_config::main_ini_path(), QStringLiteral("normal_play"));
    ov_settings_group medley(ov_app_config::main_ini_path(), QStringLiteral("shuffle_medley_play"));
    ov_play_settings n(&normal), m(&medley);
    QCOMPARE(n.play_type.read(), 1);
    QCOMPARE(m.play_type.read(), 4);
    QCOMPARE(m.play_type.name_of(4), QStringLiteral("shuffle_repeat"));
    QCOMPARE(m.selection_type.read(), 1);
    m.play_type.write(6);
    m.fadein_min.write(2.5);
    medley.sync();
    const QString text = main_ini();
    for (const char* line :
         {"[shuffle_medley_play]", "play_type=repeat_track", "fadein_min=2.5", "selection_type=high_scored"})
      QVERIFY2(text.contains(QLatin1String(line)), line);
  }

  void bytes_round_trip() {
    const QByteArray state("\x00\x01\xff state", 10);
    {
      ov_settings_group group(ov_app_config::main_ini_path(), QStringLiteral("window"));
      ov_window_settings(&group).splitter_state.write(state);
      group.sync();
    }
    ov_settings_group group(ov_app_config::main_ini_path(), QStringLiteral("window"));
    ov_window_settings window(&group);
    QCOMPARE(window.splitter_state.read(), state);
    QVERIFY(window.table_track_state.read().isEmpty());
  }

  // A fresh or damaged [backup] group reads as the defaults and is written back
  // as them; nothing else is written.
  void configuration_backup_keys_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("lang");  // 0: none stored
    QTest::newRow("fresh") << QByteArray() << 0;
    QTest::newRow("damaged") << QByteArray(
                                    "[backup]\nenabled=true\nsec_diff_to_run=0\nkeep_old_dirs_back_to=abc\n"
                                    "[main]\nlang=japanese\n")
                             << 2;
  }
  void configuration_backup_keys() {
    QFETCH(QByteArray, ini);
    QFETCH(int, lang);
    if (!ini.isEmpty()) QVERIFY(ov_test::write_file(QStringLiteral("conf/main.ini"), ini));
    ov_app_config config;
    QVERIFY(config.backup_enabled());
    QCOMPARE(config.sec_diff_to_run(), 600);
    QCOMPARE(config.keep_old_dirs_back_to(), 25);
    QCOMPARE(config.has_lang(), lang != 0);
    if (lang) QCOMPARE(config.lang(), lang);
    const QString text = main_ini();
    for (const char* line : {"[backup]", "enabled=yes", "sec_diff_to_run=600", "keep_old_dirs_back_to=25"})
      QVERIFY2(text.contains(QLatin1String(line)), line);
    QCOMPARE(text.contains(QStringLiteral("lang")), lang != 0);
    QCOMPARE(config.backup_files(), QStringList({"main.ini", "seed.ini", "favorite_engine.db", "library.db",
                                                 "playlist_items.db", "playlists.db", "presets.db"}));
  }

  void language_store_and_bad_name() {
    {
      ov_app_config config;
      config.store_lang(2);
      QCOMPARE(config.lang(), 2);
    }
    QVERIFY(main_ini().contains(QStringLiteral("lang=japanese")));
    QVERIFY(ov_test::write_file(QStringLiteral("conf/main.ini"), "[main]\nlang=german\n"));
    ov_app_config config;
    QVERIFY(config.has_lang());
    QCOMPARE(config.lang(), 1);
    config.main_group().sync();
    QVERIFY(main_ini().contains(QStringLiteral("lang=english")));
  }

  void seed_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("kept");
    QTest::newRow("36 characters of anything") << QString(36, QLatin1Char('x')) << true;
    QTest::newRow("35 characters") << QString(35, QLatin1Char('x')) << false;
    QTest::newRow("37 characters") << QString(37, QLatin1Char('x')) << false;
    QTest::newRow("missing") << QString() << false;
  }
  void seed() {
    QFETCH(QString, stored);
    QFETCH(bool, kept);
    if (!stored.isEmpty())
      QVERIFY(ov_test::write_file(QStringLiteral("conf/seed.ini"), ("[main]\nsec_seed=" + stored + "\n").toUtf8()));
    QString seed;
    {
      ov_app_config config;
      seed = config.init_seed();
      QCOMPARE(config.init_seed(), seed);  // stable once stored
    }
    if (kept)
      QCOMPARE(seed, stored);
    else
      QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"))
                  .match(seed)
                  .hasMatch());
    QVERIFY(ov_test::read_text(QStringLiteral("conf/seed.ini")).contains(QStringLiteral("sec_seed=") + seed));
    QVERIFY(ov_app_config::make_seed() != ov_app_config::make_seed());
  }

  // A settings file that cannot be written (conf is a file here): values
  // are written at once, the failure is logged with the file once and
  // reported as the run's first failed write; the value holds for the run.
  void unwritable_file_is_logged_and_reported() {
    QVERIFY(ov_test::write_file(QStringLiteral("conf"), "not a directory"));
    ov_log_capture log;
    QVERIFY(!ov_write_failure::happened());
    {
      ov_settings_group group(ov_app_config::main_ini_path(), QStringLiteral("volume"));
      ov_setting_int volume(&group, QStringLiteral("volume"), 0, 100, 100);
      volume.write(40);
      volume.write(30);
      QCOMPARE(volume.read(), 30);
    }
    QVERIFY(ov_write_failure::happened());
    const QStringList lines = log.lines().filter(QStringLiteral("\tsettings\t"));
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith(QStringLiteral("WARNING\tsettings\tfailed to write settings: ")) &&
                 lines.first().endsWith(QDir::currentPath() + QStringLiteral("/conf/main.ini")),
             qPrintable(lines.first()));
  }
};

QTEST_GUILESS_MAIN(test_settings)
#include "test_settings.moc"
