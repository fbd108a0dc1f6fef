#include "ovg_point_effect.h"

#include <QPointer>
#include <QtTest>

#include <atomic>

namespace {
// Records every step the fade reports, and the effect's alpha and offset
// from its start when it hides.
class recorder : public QObject {
public:
  explicit recorder(ovg_point_effect* effect) : origin(effect->pos()) {
    effect->installEventFilter(this);
    ovg_point_effect_thread* fade = effect->fade_thread();
    connect(fade, &ovg_point_effect_thread::signal_alpha_changed, this, [this](int a) { alphas << a; });
    connect(fade, &ovg_point_effect_thread::signal_moved, this, [this](int x, int y) {
      offsets_x << x;
      offsets_y << y;
    });
  }
  QList<int> alphas;
  QList<int> offsets_x;
  QList<int> offsets_y;
  int hidden_alpha = -1;
  int hidden_offset_y = 0;
  QPoint origin;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Null while the widget is being destroyed (it hides once more then).
    auto* effect = qobject_cast<ovg_point_effect*>(watched);
    if (effect && event->type() == QEvent::Hide) {
      hidden_alpha = effect->alpha();
      hidden_offset_y = effect->pos().y() - origin.y();
    }
    return false;
  }
};
}  // namespace

class test_point_effect : public QObject {
  Q_OBJECT

private slots:
  void shows_and_fades_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("point_size");
    QTest::addColumn<int>("direction");  // +1 down, -1 up
    QTest::newRow("loss -3") << -3 << "-3" << QColor(0, 0, 255) << 14 << 1;
    QTest::newRow("zero") << 0 << "0" << QColor(0, 0, 255) << 14 << 1;
    QTest::newRow("gain 1") << 1 << "+1" << QColor(255, 0, 0) << 14 << -1;
    QTest::newRow("gain 1500") << 1500 << "+1500" << QColor(255, 0, 0) << 13 << -1;
  }
  void shows_and_fades() {
    QFETCH(int, points);
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    QFETCH(int, point_size);
    QFETCH(int, direction);

    QWidget view;
    view.resize(300, 200);
    view.show();
    QPointer<ovg_point_effect> effect = ovg_point_effect::run(&view, QPoint(100, 60), points);
    QVERIFY(effect);
    QCOMPARE(effect->parentWidget(), &view);
    QCOMPARE(effect->pos(), QPoint(95, 55));
    QCOMPARE(effect->text(), text);
    QCOMPARE(effect->colour(), colour);
    QCOMPARE(effect->text_font().pointSize(), point_size);
    QVERIFY(effect->text_font().bold());
    QVERIFY(effect->testAttribute(Qt::WA_NoMousePropagation));
    recorder rec(effect);

    QTRY_VERIFY_WITH_TIMEOUT(!effect, 5000);
    // Ten steps of 100 ms: alpha falls by 25 each, the text travels 8 pixels
    // in tenths, and at the end it is invisible and hidden.
    // (The last alpha report is the final 0.)
    QCOMPARE(rec.alphas.size(), 11);
    QCOMPARE(rec.offsets_y.size(), 10);
    for (int i = 0; i < 10; ++i) {
      QCOMPARE(rec.alphas.at(i), 255 - 25 * (i + 1));
      QCOMPARE(rec.offsets_x.at(i), 0);
      QCOMPARE(rec.offsets_y.at(i), direction * (8 * (i + 1) / 10));
    }
    QCOMPARE(rec.alphas.last(), 0);
    QCOMPARE(rec.hidden_alpha, 0);
    QCOMPARE(rec.hidden_offset_y, direction * 8);
  }
  void destroyed_view_stops_the_fade() {
    auto view = std::make_unique<QWidget>();
    view->show();
    QPointer<ovg_point_effect> effect = ovg_point_effect::run(view.get(), QPoint(10, 10), 42);
    ovg_point_effect_thread* thread = effect->fade_thread();
    QVERIFY(thread && thread->isRunning());
    std::atomic<bool> finished{false};
    connect(
        thread, &QThread::finished, thread, [&finished] { finished = true; }, Qt::DirectConnection);
    QTest::qWait(250);  // a few steps in, while it fades
    QVERIFY(effect);

    view.reset();
    QVERIFY(!effect);
    QVERIFY(finished);   // joined before the effect went
    QTest::qWait(1200);  // nothing is left to report to a freed widget
  }
};

QTEST_MAIN(test_point_effect)
#include "test_point_effect.moc"
