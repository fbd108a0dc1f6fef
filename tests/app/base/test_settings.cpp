#include "ov_app_config.h"
#include "ov_general_settings.h"
#include "ov_play_settings.h"
#include "ov_setting_bytes.h"
#include "ov_setting_text.h"
#include "ov_window_settings.h"

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

  static void write_file(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
  }
  static QString read_file(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(f.readAll());
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

  // A stored value of a window key: what it reads as and what the file holds afterwards.
  void window_int_repair_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("file_after");  // empty: key still absent
    QTest::newRow("width below range") << "width" << "100" << 1300 << "width=1300";
    QTest::newRow("width 400") << "width" << "400" << 1300 << "width=1300";
    QTest::newRow("width not a number") << "width" << "abc" << 1300 << "width=abc";
    QTest::newRow("width in range") << "width" << "800" << 800 << "width=800";
    QTest::newRow("width upper bound") << "width" << "10000" << 10000 << "width=10000";
    QTest::newRow("height above range") << "height" << "3001" << 700 << "height=700";
    QTest::newRow("selected_tab 2") << "selected_tab" << "2" << 1 << "selected_tab=1";
    QTest::newRow("selected_tab 0") << "selected_tab" << "0" << 0 << "selected_tab=0";
    QTest::newRow("negative row") << "selected_table_row" << "-1" << 0 << "selected_table_row=0";
  }
  void window_int_repair() {
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(int, expected);
    QFETCH(QString, file_after);
    write_file(QStringLiteral("conf/main.ini"), QStringLiteral("[window]\n%1=%2\n").arg(key, stored).toUtf8());
    {
      ov_settings_group group(ov_app_config::main_ini_path(), QStringLiteral("window"));
      ov_window_settings window(&group);
      ov_setting_int* items[] = {&window.width, &window.height, &window.selected_tab, &window.selected_table_row};
      ov_setting_int* item = nullptr;
      for (ov_setting_int* i : items)
        if (i->key() == key) item = i;
      QVERIFY(item);
      QCOMPARE(item->read(), expected);
      group.sync();
    }
    QVERIFY2(read_file(QStringLiteral("conf/main.ini")).contains(file_after), qPrintable(read_file("conf/main.ini")));
  }

  void missing_int_reads_default_without_writing() {
    {
      ov_settings_group group(ov_app_config::main_ini_path(), QStringLiteral("window"));
      ov_window_settings window(&group);
      QCOMPARE(window.width.read(), 1300);
      QCOMPARE(window.height.read(), 700);
      QCOMPARE(window.selected_tab.read(), 1);
      group.sync();
    }
    QVERIFY(!read_file(QStringLiteral("conf/main.ini")).contains(QStringLiteral("width")));
  }

  void two_word_bool_data() {
    QTest::addColumn<QString>("stored");  // "<missing>" for no key
    QTest::addColumn<bool>("expected");
    QTest::addColumn<QString>("file_after");
    QTest::newRow("yes") << "yes" << true << "enabled=yes";
    QTest::newRow("no") << "no" << false << "enabled=no";
    QTest::newRow("true is not a word") << "true" << true << "enabled=yes";
    QTest::newRow("upper case") << "NO" << true << "enabled=yes";
    QTest::newRow("missing") << "<missing>" << true << "enabled=yes";
  }
  void two_word_bool() {
    QFETCH(QString, stored);
    QFETCH(bool, expected);
    QFETCH(QString, file_after);
    if (stored != QStringLiteral("<missing>"))
      write_file(QStringLiteral("conf/main.ini"), QStringLiteral("[backup]\nenabled=%1\n").arg(stored).toUtf8());
    {
      ov_settings_group group(ov_app_config::main_ini_path(), QStringLiteral("backup"));
      ov_setting_bool enabled(&group, QStringLiteral("enabled"), true);
      QCOMPARE(enabled.read(), expected);
      group.sync();
    }
    QVERIFY(read_file(QStringLiteral("conf/main.ini")).contains(file_after));
  }

  void named_int_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("file_after");
    QTest::newRow("playing") << "playing" << 2 << "control_key_sent_to=playing";
    QTest::newRow("selected") << "selected" << 1 << "control_key_sent_to=selected";
    QTest::newRow("number instead of name") << "2" << 1 << "control_key_sent_to=selected";
    QTest::newRow("unknown") << "both" << 1 << "control_key_sent_to=selected";
  }
  void named_int() {
    QFETCH(QString, stored);
    QFETCH(int, expected);
    QFETCH(QString, file_after);
    write_file(QStringLiteral("conf/main.ini"),
               QStringLiteral("[main]\ncontrol_key_sent_to=%1\nctrll_follow_panel=no\n").arg(stored).toUtf8());
    {
      ov_settings_group group(ov_app_config::main_ini_path(), QStringLiteral("main"));
      ov_general_settings general(&group);
      QCOMPARE(general.control_key_sent_to.read(), expected);
      QCOMPARE(general.ctrll_follow_panel.read(), false);
      group.sync();
    }
    QVERIFY(read_file(QStringLiteral("conf/main.ini")).contains(file_after));
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
    const QString text = read_file(QStringLiteral("conf/main.ini"));
    QVERIFY(text.contains(QStringLiteral("[shuffle_medley_play]")));
    QVERIFY(text.contains(QStringLiteral("play_type=repeat_track")));
    QVERIFY(text.contains(QStringLiteral("fadein_min=2.5")));
    QVERIFY(text.contains(QStringLiteral("selection_type=high_scored")));
  }

  void bytes_round_trip() {
    const QByteArray state("\x00\x01\xff state", 10);
    {
      ov_settings_group group(ov_app_config::main_ini_path(), QStringLiteral("window"));
      ov_window_settings window(&group);
      window.splitter_state.write(state);
      group.sync();
    }
    ov_settings_group group(ov_app_config::main_ini_path(), QStringLiteral("window"));
    ov_window_settings window(&group);
    QCOMPARE(window.splitter_state.read(), state);
    QVERIFY(window.table_track_state.read().isEmpty());
  }

  void fresh_configuration_writes_backup_keys_only() {
    ov_app_config config;
    QVERIFY(config.backup_enabled());
    QCOMPARE(config.sec_diff_to_run(), 600);
    QCOMPARE(config.keep_old_dirs_back_to(), 25);
    QVERIFY(!config.has_lang());
    const QString text = read_file(QStringLiteral("conf/main.ini"));
    QVERIFY(text.contains(QStringLiteral("[backup]")));
    QVERIFY(text.contains(QStringLiteral("enabled=yes")));
    QVERIFY(text.contains(QStringLiteral("sec_diff_to_run=600")));
    QVERIFY(text.contains(QStringLiteral("keep_old_dirs_back_to=25")));
    QVERIFY(!text.contains(QStringLiteral("lang")));
    QCOMPARE(config.backup_files(),
             QStringList({"main.ini", "seed.ini", "favorite_engine.db", "library.db", "playlist_items.db",
                          "playlists.db", "presets.db"}));
  }

  void configuration_repairs_backup_keys() {
    write_file(QStringLiteral("conf/main.ini"),
               "[backup]\nenabled=true\nsec_diff_to_run=0\nkeep_old_dirs_back_to=abc\n[main]\nlang=japanese\n");
    ov_app_config config;
    QVERIFY(config.backup_enabled());
    QCOMPARE(config.sec_diff_to_run(), 600);
    QCOMPARE(config.keep_old_dirs_back_to(), 25);
    QVERIFY(config.has_lang());
    QCOMPARE(config.lang(), 2);
    const QString text = read_file(QStringLiteral("conf/main.ini"));
    QVERIFY(text.contains(QStringLiteral("enabled=yes")));
    QVERIFY(text.contains(QStringLiteral("sec_diff_to_run=600")));
    QVERIFY(text.contains(QStringLiteral("keep_old_dirs_back_to=25")));
  }

  void language_store_and_bad_name() {
    {
      ov_app_config config;
      config.store_lang(2);
      QCOMPARE(config.lang(), 2);
    }
    QVERIFY(read_file(QStringLiteral("conf/main.ini")).contains(QStringLiteral("lang=japanese")));
    write_file(QStringLiteral("conf/main.ini"), "[main]\nlang=german\n");
    ov_app_config config;
    QVERIFY(config.has_lang());
    QCOMPARE(config.lang(), 1);
    config.main_group().sync();
    QVERIFY(read_file(QStringLiteral("conf/main.ini")).contains(QStringLiteral("lang=english")));
  }

  void seed_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("kept");
    QTest::newRow("36 characters of anything") << QString(36, QLatin1Char('x')) << true;
    QTest::newRow("a uuid text") << "01234567-89ab-cdef-0123-456789abcdef" << true;
    QTest::newRow("35 characters") << QString(35, QLatin1Char('x')) << false;
    QTest::newRow("37 characters") << QString(37, QLatin1Char('x')) << false;
    QTest::newRow("missing") << QString() << false;
  }
  void seed() {
    QFETCH(QString, stored);
    QFETCH(bool, kept);
    if (!stored.isEmpty()) write_file(QStringLiteral("conf/seed.ini"), ("[main]\nsec_seed=" + stored + "\n").toUtf8());
    QString seed;
    {
      ov_app_config config;
      seed = config.init_seed();
      QCOMPARE(config.init_seed(), seed);  // stable once stored
    }
    QCOMPARE(seed.size(), 36);
    if (kept) {
      QCOMPARE(seed, stored);
    } else {
      QVERIFY(QRegularExpression(QStringLiteral("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$"))
                  .match(seed)
                  .hasMatch());
    }
    QVERIFY(read_file(QStringLiteral("conf/seed.ini")).contains(QStringLiteral("sec_seed=") + seed));
  }

  void fresh_seeds_differ() { QVERIFY(ov_app_config::make_seed() != ov_app_config::make_seed()); }
};

QTEST_GUILESS_MAIN(test_settings)
#include "test_settings.moc"
