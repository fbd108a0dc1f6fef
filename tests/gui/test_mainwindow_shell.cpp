#include "ov_database.h"
#include "ov_schema.h"
#include "ovg_mainwindow.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

// The main window's frame: title, restored size, and the start-up report texts.
class test_mainwindow_shell : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString old_cwd_;

  static QString read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
  }

private slots:
  void initTestCase() {
    old_cwd_ = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir_.path()));
  }
  void cleanupTestCase() { QDir::setCurrent(old_cwd_); }

  void title_and_repaired_size() {
    QDir().mkpath(QStringLiteral("conf"));
    {
      QFile f(QStringLiteral("conf/main.ini"));
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("[window]\nwidth=400\nheight=abc\nselected_tab=5\n");
    }
    {
      ovg_mainwindow w(nullptr, QStringLiteral("seed"), nullptr, nullptr, nullptr, nullptr);
      QCOMPARE(w.windowTitle(), QStringLiteral("Orvantis 1.0.0a2"));
      QCOMPARE(w.size(), QSize(1300, 700));
      QCOMPARE(w.findChild<QTabWidget*>(QStringLiteral("play_tabs"))->currentIndex(), 1);
    }
    const QString ini = read(QStringLiteral("conf/main.ini"));
    QVERIFY(ini.contains(QStringLiteral("width=1300")));
    QVERIFY(ini.contains(QStringLiteral("height=abc")));
    QVERIFY(ini.contains(QStringLiteral("selected_tab=1")));
    QVERIFY(ini.contains(QStringLiteral("maximized=no")));
  }

  void report_texts() {
    QTemporaryDir conf;
    ov_databases dbs = ov_open_databases(conf.filePath(QStringLiteral("conf")));
    const QString info = ovg_mainwindow::startup_information(dbs.in_order());
    QCOMPARE(info.count(QStringLiteral("created a new file.")), 5);
    QVERIFY(info.startsWith(QStringLiteral("file ") + conf.filePath(QStringLiteral("conf")) +
                            QStringLiteral("/library.db didn't exist.\ncreated a new file.\nfile ")));
    // Opened again: nothing to report.
    ov_databases again = ov_open_databases(conf.filePath(QStringLiteral("conf")));
    QCOMPARE(ovg_mainwindow::startup_information(again.in_order()), QString());

    QCOMPARE(ovg_mainwindow::startup_warning(0, false), QString());
    QCOMPARE(ovg_mainwindow::startup_warning(3, false),
             QStringLiteral("Failed to load score data on 3 tracks.  Their scores have been filled with 0.  "
                            "Please check log if you didn't expect this situation."));
    QVERIFY(ovg_mainwindow::startup_warning(1, true)
                .endsWith(QStringLiteral("\nFailed to load presets data from db file.  Loaded default presets.  "
                                         "If you did not expect this situation, please try to replace db file "
                                         "from backup dir.")));
  }
};

QTEST_MAIN(test_mainwindow_shell)
#include "test_mainwindow_shell.moc"
