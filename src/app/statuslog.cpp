#include "app/statuslog.h"

#include "data/cp1250.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

namespace {
// About ten screen updates a second while lines pour in.
constexpr int kFlushIntervalMs = 100;
constexpr int kMargin = 3;
// No line is wider than the log; longer texts are cut before they are laid out.
constexpr std::size_t kMaxPaintedBytes = 2000;
} // namespace

StatusLog::StatusLog(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::Box);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(kFlushIntervalMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &StatusLog::flush);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

void StatusLog::appendBytes(std::string_view cp1250)
{
    m_store.append(cp1250);
    scheduleFlush();
}

void StatusLog::appendBlock(std::string_view text, std::span<const std::size_t> ends)
{
    m_store.appendBlock(text, ends);
    scheduleFlush();
}

void StatusLog::appendText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    appendBytes(Cp1250::fromUtf8(std::string_view(utf8.constData(), std::size_t(utf8.size()))));
}

QString StatusLog::lineText(std::size_t i) const
{
    return QString::fromStdString(Cp1250::toUtf8(m_store.line(i)));
}

void StatusLog::scheduleFlush()
{
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void StatusLog::flush()
{
    m_flushTimer.stop();
    if (m_shown == m_store.size())
        return;
    QScrollBar* bar = verticalScrollBar();
    const bool followEnd = bar->value() == bar->maximum();
    m_shown = m_store.size();
    updateScrollRange();
    if (followEnd)
        bar->setValue(bar->maximum());
    viewport()->update();
}

int StatusLog::lineHeight() const
{
    return fontMetrics().height();
}

int StatusLog::visibleLineCount() const
{
    return std::max(1, (viewport()->height() - 2 * kMargin) / lineHeight());
}

std::size_t StatusLog::firstVisibleLine() const
{
    return std::size_t(verticalScrollBar()->value());
}

void StatusLog::updateScrollRange()
{
    const int lines = int(std::min<std::size_t>(m_shown, INT_MAX));
    const int page = visibleLineCount();
    verticalScrollBar()->setRange(0, std::max(0, lines - page));
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(1);
}

void StatusLog::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void StatusLog::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int height = lineHeight();
    const int width = viewport()->width() - 2 * kMargin;
    const std::size_t first = firstVisibleLine();
    const std::size_t last = std::min(m_shown, first + std::size_t(visibleLineCount()) + 1);
    int y = kMargin;
    for (std::size_t i = first; i < last; ++i, y += height) {
        const std::string_view bytes = m_store.line(i).substr(0, kMaxPaintedBytes);
        const QString text = QString::fromStdString(Cp1250::toUtf8(bytes));
        painter.drawText(QRect(kMargin, y, width, height), Qt::AlignLeft | Qt::AlignVCenter,
                         fontMetrics().elidedText(text, Qt::ElideRight, width));
    }
}

void StatusLog::keyPressEvent(QKeyEvent* event)
{
    QScrollBar* bar = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Up: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Down: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case Qt::Key_PageUp: bar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case Qt::Key_PageDown: bar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case Qt::Key_Home: bar->triggerAction(QAbstractSlider::SliderToMinimum); break;
    case Qt::Key_End: bar->triggerAction(QAbstractSlider::SliderToMaximum); break;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
}
