#include "ovg_dialog_about.h"
#include "ovg_dialog_error.h"
#include "ovg_dialog_lang.h"
#include "ovg_dialog_remove_item.h"
#include "ovg_exec.h"
#include "ovg_pref_dialog_general.h"
#include "ovg_progress_dialog.h"
#include "ovgp_general.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

#include <sqlite3.h>

// Behaviour of the small dialogs: which parts show, what they return.
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
    QTest::newRow("nothing") << ""
                             << ""
                             << "";
    QTest::newRow("warning only") << ""
                                  << "w"
                                  << "";
    QTest::newRow("fatal only") << ""
                                << ""
                                << "file x is not a regular file.";
    QTest::newRow("information and warning") << "created a new file."
                                             << "w"
                                             << "";
    QTest::newRow("all three") << "i"
                               << "w"
                               << "f";
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
    auto* box = d.findChild<QPlainTextEdit*>(QStringLiteral("warning_text"));
    QVERIFY(box->isReadOnly());
    QCOMPARE(box->size(), QSize(350, 150));
  }

  void language_defaults_to_japanese() {
    ovg_dialog_lang d;
    QCOMPARE(d.windowTitle(), QStringLiteral("Language"));
    QCOMPARE(d.language(), 2);
    auto* combo = d.findChild<QComboBox*>();
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("English"));
    combo->setCurrentIndex(0);
    QCOMPARE(d.language(), 1);
  }

  void accepted_language_dialog_keeps_japanese() {
    ovg_dialog_lang d;
    QTimer::singleShot(0, &d, [&d] { button(&d, QStringLiteral("OK"))->click(); });
    QCOMPARE(d.exec(), int(QDialog::Accepted));
    QCOMPARE(d.language(), 2);
  }

  void progress_button_only_sets_the_flag() {
    ovg_progress_dialog d(QStringLiteral("Adding"), QStringLiteral("Cancel"), 0, 10);
    QVERIFY(!d.is_cancelled());
    d.set_value(4);
    d.set_text(QStringLiteral("file 4"));
    d.show();
    button(&d, QStringLiteral("Cancel"))->click();
    QVERIFY(d.is_cancelled());
    QVERIFY(d.isVisible());
    QCOMPARE(d.findChild<QProgressBar*>()->value(), 4);
    QCOMPARE(d.findChild<QProgressBar*>()->maximum(), 10);
    QCOMPARE(d.width(), 500);
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
    QVERIFY(d.minimumSizeHint().width() >= 300);
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
    QCOMPARE(credits.count(QString(50, QLatin1Char('=')) + QStringLiteral("\n")), 6);
    QVERIFY(credits.contains(QStringLiteral("\n\n\n") + QString(50, QLatin1Char('='))));
    auto* box = d.findChild<QPlainTextEdit*>(QStringLiteral("about_credits"));
    QCOMPARE(box->toPlainText(), credits);
    QCOMPARE(box->size(), QSize(330, 85));
    QVERIFY(ovg_dialog_about::license_path().endsWith(QStringLiteral("doc/orvantis_LICENSE.txt")));
    auto* name = d.findChild<QLabel*>(QStringLiteral("about_name"));
    QCOMPARE(name->font().pointSize(), 13);
    QVERIFY(name->font().bold());
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
    ovg_pref_dialog_general d(&page);
    QCOMPARE(d.windowTitle(), QStringLiteral("Orvantis Preferences"));
    QTimer::singleShot(0, &d, [&d] { button(&d, QStringLiteral("Cancel"))->click(); });
    QCOMPARE(d.exec(), int(QDialog::Rejected));
  }

  void exec_in_autotest_mode_closes_itself_data() {
    QTest::addColumn<QByteArray>("mode");
    QTest::addColumn<int>("result");
    QTest::newRow("accept") << QByteArray("accept") << int(QDialog::Accepted);
    QTest::newRow("reject") << QByteArray("reject") << int(QDialog::Rejected);
  }
  void exec_in_autotest_mode_closes_itself() {
    QFETCH(QByteArray, mode);
    QFETCH(int, result);
    qputenv("ORVANTIS_AUTOTEST", mode);
    ovg_dialog_error d;
    d.set_fatal(QStringLiteral("startup DB failed."));
    const int got = ovg_exec(&d);
    qunsetenv("ORVANTIS_AUTOTEST");
    QCOMPARE(got, result);
  }
};

QTEST_MAIN(test_dialogs)
#include "test_dialogs.moc"
