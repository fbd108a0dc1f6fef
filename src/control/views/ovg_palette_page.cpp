#include "ovg_palette_page.h"

#include <QBoxLayout>
#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QWidget>

ovg_palette_page::ovg_palette_page() : widget_(new QWidget) {}

ovg_palette_page::~ovg_palette_page() = default;

void ovg_palette_page::add_slot(QBoxLayout* layout, QWidget* view) {
  if (view) slots_.append({layout, view});
}

void ovg_palette_page::arrange() {
  for (const slot& s : slots_) {
    if (!s.view || s.layout->indexOf(s.view) >= 0) continue;
    s.layout->addWidget(s.view);
    s.view->show();
  }
}

bool ovg_palette_page::holds(const QWidget* view) const {
  for (const slot& s : slots_)
    if (s.view == view) return s.layout->indexOf(const_cast<QWidget*>(view)) >= 0;
  return false;
}

ovg_palette_stack::ovg_palette_stack(QWidget* parent) : QStackedWidget(parent) {
  connect(this, &QStackedWidget::currentChanged, this, &QWidget::updateGeometry);
}

QSize ovg_palette_stack::sizeHint() const {
  return currentWidget() ? currentWidget()->sizeHint() : QStackedWidget::sizeHint();
}

QSize ovg_palette_stack::minimumSizeHint() const {
  return currentWidget() ? currentWidget()->minimumSizeHint() : QStackedWidget::minimumSizeHint();
}

namespace {

// The scrolling holder of a palette's stack (see ovg_lay_out_palette).
class palette_scroll : public QScrollArea {
public:
  static constexpr int min_height = 96;

  explicit palette_scroll(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setWidget(content);
    // The palette's own background shows through.
    viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    content->installEventFilter(this);
  }

  QSize sizeHint() const override {
    const int frame = 2 * frameWidth();
    return widget()->sizeHint() + QSize(frame, frame);
  }

  QSize minimumSizeHint() const override {
    const int frame = 2 * frameWidth();
    const QSize content = widget()->minimumSizeHint();
    return {content.width() + frame + verticalScrollBar()->sizeHint().width(),
            qMin(content.height(), min_height) + frame};
  }

protected:
  // A new arrangement or a view that changed its size hints changes ours.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == widget() && event->type() == QEvent::LayoutRequest) updateGeometry();
    return QScrollArea::eventFilter(watched, event);
  }
};

}  // namespace

void ovg_lay_out_palette(QWidget* palette, QBoxLayout* header, QStackedWidget* stack) {
  auto* layout = new QVBoxLayout(palette);
  layout->setContentsMargins(6, 2, 6, 2);
  layout->setSpacing(2);
  layout->addLayout(header);
  layout->addWidget(new palette_scroll(stack, palette), 1);
}
