#include "ovg_palette_page.h"

#include <QBoxLayout>
#include <QEvent>
#include <QScrollBar>
#include <QWidget>

ovg_palette_page::ovg_palette_page() : widget_(new QWidget) {}

ovg_palette_page::~ovg_palette_page() {
  delete widget_.data();
}

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

ovg_palette_scroll::ovg_palette_scroll(QWidget* content, QWidget* parent) : QScrollArea(parent) {
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWidgetResizable(true);
  setWidget(content);
  // The palette's own background shows through.
  viewport()->setAutoFillBackground(false);
  content->setAutoFillBackground(false);
  content->installEventFilter(this);
}

QSize ovg_palette_scroll::sizeHint() const {
  const int frame = 2 * frameWidth();
  return widget()->sizeHint() + QSize(frame, frame);
}

QSize ovg_palette_scroll::minimumSizeHint() const {
  const int frame = 2 * frameWidth();
  const QSize content = widget()->minimumSizeHint();
  return {content.width() + frame + verticalScrollBar()->sizeHint().width(),
          qMin(content.height(), min_height) + frame};
}

// A new arrangement or a view that changed its size hints changes ours.
bool ovg_palette_scroll::eventFilter(QObject* watched, QEvent* event) {
  if (watched == widget() && event->type() == QEvent::LayoutRequest) updateGeometry();
  return QScrollArea::eventFilter(watched, event);
}

void ovg_lay_out_palette(QWidget* palette, QBoxLayout* header, QStackedWidget* stack) {
  auto* layout = new QVBoxLayout(palette);
  layout->setContentsMargins(6, 2, 6, 2);
  layout->setSpacing(2);
  layout->addLayout(header);
  layout->addWidget(new ovg_palette_scroll(stack, palette), 1);
}
