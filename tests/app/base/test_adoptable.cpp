#include "ov_adoptable.h"

#include <QObject>
#include <QPointer>
#include <QtTest>

#include <memory>

// Whichever of the holder and the adopting parent goes first deletes the object.
class test_adoptable : public QObject {
  Q_OBJECT

private slots:
  void holder_deletes_what_it_still_holds() {
    QPointer<QObject> first = new QObject;
    QPointer<QObject> second = new QObject;
    {
      ov_adoptable<QObject> held(first.data());
      held = second.data();
      QVERIFY(first.isNull());
      QCOMPARE(held.data(), second.data());
    }
    QVERIFY(second.isNull());
  }

  void parent_that_adopted_it_may_go_first() {
    auto parent = std::make_unique<QObject>();
    ov_adoptable<QObject> held(new QObject);
    held->setParent(parent.get());
    parent.reset();
    QVERIFY(held.data() == nullptr);
  }

  void moving_hands_the_object_over() {
    QPointer<QObject> object = new QObject;
    std::vector<ov_adoptable<QObject>> list;
    list.emplace_back(object.data());
    list.emplace_back(new QObject);
    list.erase(list.begin());
    QVERIFY(object.isNull());
    QVERIFY(list.front().data() != nullptr);
  }
};

QTEST_GUILESS_MAIN(test_adoptable)
#include "test_adoptable.moc"
