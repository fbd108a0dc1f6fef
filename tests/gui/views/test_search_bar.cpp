#include "ovgv_search_bar.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

class test_search_bar : public QObject {
  Q_OBJECT

private slots:
  void keys_in_the_field_data();
  void keys_in_the_field();
  void empty_word_searches_and_close_reports();
};

void test_search_bar::keys_in_the_field_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<int>("forwarded");  // key code sent to the table, 0 for none
  QTest::addColumn<int>("searches");
  QTest::addColumn<QString>("typed");
  QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier) << int(Qt::Key_Return) << 0 << "";
  QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << 0 << 1 << "";
  QTest::newRow("Ctrl+Enter") << int(Qt::Key_Enter) << int(Qt::ControlModifier) << int(Qt::Key_Enter) << 0 << "";
  QTest::newRow("Shift+Up") << int(Qt::Key_Up) << int(Qt::ShiftModifier) << int(Qt::Key_Up) << 0 << "";
  QTest::newRow("Ctrl+Down") << int(Qt::Key_Down) << int(Qt::ControlModifier) << int(Qt::Key_Down) << 0 << "";
  QTest::newRow("Ctrl+Space") << int(Qt::Key_Space) << int(Qt::ControlModifier) << int(Qt::Key_Space) << 0 << "";
  QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << 0 << 0 << " ";
}

void test_search_bar::keys_in_the_field() {
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(int, forwarded);
  QFETCH(int, searches);
  QFETCH(QString, typed);
  ovgv_search_bar bar;
  bar.show();
  auto* field = bar.findChild<QLineEdit*>();
  QSignalSpy to_table(&bar, &ovgv_search_bar::esignal_key_to_tableview_pressed);
  QSignalSpy next(&bar, &ovgv_search_bar::esignal_search_next_after_current_position);
  if (key == Qt::Key_Space && !modifiers)
    QTest::keyClick(field, ' ');
  else
    QTest::keyClick(field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
  QCOMPARE(to_table.size(), forwarded ? 1 : 0);
  if (forwarded) QCOMPARE(to_table.first().first().toInt(), forwarded);
  QCOMPARE(next.size(), searches);
  QCOMPARE(field->text(), typed);
}

void test_search_bar::empty_word_searches_and_close_reports() {
  ovgv_search_bar bar;
  bar.show();
  auto* field = bar.findChild<QLineEdit*>();
  QSignalSpy next(&bar, &ovgv_search_bar::esignal_search_next_after_current_position);
  QSignalSpy previous(&bar, &ovgv_search_bar::esignal_search_previous_after_current_position);
  QSignalSpy hided(&bar, &ovgv_search_bar::esignal_hided);
  QTest::keyClick(field, Qt::Key_Return);
  QCOMPARE(next.size(), 1);
  QCOMPARE(next.first().first().toString(), QString());
  QTest::keyClicks(field, QStringLiteral("abc"));
  bar.islot_search_previous(true);
  QCOMPARE(previous.first().first().toString(), QStringLiteral("abc"));
  QTest::keyClick(field, Qt::Key_Escape);
  QVERIFY(bar.isHidden());
  QCOMPARE(hided.size(), 1);
  bar.show();
  QTest::keyClick(&bar, Qt::Key_Escape);  // Escape on the bar itself hides it silently
  QVERIFY(bar.isHidden());
  QCOMPARE(hided.size(), 1);
  QCOMPARE(field->text(), QStringLiteral("abc"));
}

QTEST_MAIN(test_search_bar)
#include "test_search_bar.moc"
