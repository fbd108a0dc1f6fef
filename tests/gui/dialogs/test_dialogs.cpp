#include "ovg_dialog_about.h"
#include "ovg_dialog_error.h"
#include "ovg_dialog_remove_item.h"
#include "ovg_pref_dialog_general.h"
#include "ovgp_general.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

#include <sqlite3.h>

// Behaviour of the small dialogs: which parts show, what they return (the
// progress dialog: test_flow_runner; ovg_exec in test mode: test_table_views).
class test_dialogs : public QObject {
  Q_OBJECT

  static QPushButton* button(QWidget* parent, const QString& text) {
    for (QPushButton* b : parent->findChildren<QPushButton*>())
      if (b->text() == text) return b;
    return nullptr;
  }

private slots:
  void messages_sections_data() {
    QTest::addColumn<QString>("information");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("fatal");
    const char* rows[][4] = {{"nothing", "", "", ""},
                             {"warning only", "", "w", ""},
                             {"fatal only", "", "", "file x is not a regular file."},
                             {"information and warning", "created a new file.", "w", ""},
                             {"all three", "i", "w", "f"}};
    for (const auto& r : rows) QTest::newRow(r[0]) << QString(r[1]) << QString(r[2]) << QString(r[3]);
  }
  void messages_sections() {
    QFETCH(QString, information);
    QFETCH(QString, warning);
    QFETCH(QString, fatal);
    ovg_dialog_error d;
    QCOMPARE(d.windowTitle(), QStringLiteral("Messages"));
    QVERIFY(d.isModal());
    d.set_information(information);
    d.set_warning(warning);
    d.set_fatal(fatal);
    QCOMPARE(d.section_shown(ovg_dialog_error::information), !information.isEmpty());
    QCOMPARE(d.section_shown(ovg_dialog_error::warning), !warning.isEmpty());
    QCOMPARE(d.section_shown(ovg_dialog_error::fatal), !fatal.isEmpty());
    QCOMPARE(d.has_messages(), !(information + warning + fatal).isEmpty());
    QCOMPARE(d.findChild<QPlainTextEdit*>(QStringLiteral("fatal_text"))->toPlainText(), fatal);
    QCOMPARE(d.text(ovg_dialog_error::warning), warning);
  }

  void messages_empty_text_keeps_earlier_one() {
    ovg_dialog_error d;
    d.set_warning(QStringLiteral("first"));
    d.set_warning(QString());
    QCOMPARE(d.text(ovg_dialog_error::warning), QStringLiteral("first"));
    QVERIFY(d.section_shown(ovg_dialog_error::warning));
  }

  void remove_dialog_results_data() {
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<int>("result");
    QTest::newRow("remove") << "Remove" << int(QDialog::Accepted);
    QTest::newRow("cancel") << "Cancel" << int(QDialog::Rejected);
  }
  void remove_dialog_results() {
    QFETCH(QString, pressed);
    QFETCH(int, result);
    ovg_dialog_remove_item d(QStringLiteral("Removing selected playlist"), QStringLiteral("Are you sure?"));
    QCOMPARE(d.windowTitle(), QStringLiteral("Removing selected playlist"));
    QTimer::singleShot(0, &d, [&d, pressed] { button(&d, pressed)->click(); });
    QCOMPARE(d.exec(), result);
  }

  void standard_buttons_are_translated_with_the_program() {
    QTranslator japanese;
    QVERIFY(japanese.load(QStringLiteral("ov_jp"), QStringLiteral(":/tr")));
    QCoreApplication::installTranslator(&japanese);
    ovg_dialog_remove_item d(QStringLiteral("t"), QStringLiteral("m"));
    QCOMPARE(d.findChild<QPushButton*>(QStringLiteral("remove_button"))->text(), QStringLiteral("削除"));
    QCOMPARE(d.findChild<QPushButton*>(QStringLiteral("cancel_button"))->text(), QStringLiteral("キャンセル"));
  }

  void about_names_the_libraries_in_use() {
    ovg_dialog_about d;
    QCOMPARE(d.windowTitle(), QStringLiteral("About Orvantis"));
    const QString credits = ovg_dialog_about::credits_text();
    QVERIFY(credits.startsWith(QStringLiteral("Orvantis uses these libraries and softwares.\n* Qt library\n")));
    QVERIFY(credits.contains(QStringLiteral("Qt library ") + QString::fromLatin1(qVersion())));
    QVERIFY(credits.contains(QStringLiteral("SQLite ") + QString::fromLatin1(sqlite3_libversion())));
    QVERIFY(credits.contains(QRegularExpression(QStringLiteral("TagLib \\d+\\.\\d+\\.\\d+"))));
    QVERIFY(credits.contains(QRegularExpression(QStringLiteral("libmpg123 \\d+\\.\\d+"))));
    QVERIFY(credits.contains(QRegularExpression(QStringLiteral("libgcrypt \\d+\\.\\d+\\.\\d+ \\(Blowfish\\)"))));
    QCOMPARE(d.findChild<QPlainTextEdit*>(QStringLiteral("about_credits"))->toPlainText(), credits);
    QVERIFY(ovg_dialog_about::license_path().endsWith(QStringLiteral("doc/orvantis_LICENSE.txt")));
    QCOMPARE(d.findChild<QLabel*>(QStringLiteral("about_version"))->text(), QStringLiteral("1.0.0a2"));
  }

  void general_preferences_load_and_read_back_data() {
    QTest::addColumn<bool>("follow");
    QTest::addColumn<int>("target");
    QTest::newRow("follow, selected") << true << 1;
    QTest::newRow("no follow, playing") << false << 2;
  }
  void general_preferences_load_and_read_back() {
    QFETCH(bool, follow);
    QFETCH(int, target);
    ovgp_general page;
    page.load(follow, target);
    QCOMPARE(page.follow(), follow);
    QCOMPARE(page.key_target(), target);
    QVERIFY(!page.widget()->findChild<QGroupBox*>(QStringLiteral("replaygain"))->isEnabled());
    QCOMPARE(ovg_pref_dialog_general(&page).windowTitle(), QStringLiteral("Orvantis Preferences"));
  }
};

QTEST_MAIN(test_dialogs)
#include "test_dialogs.moc"
