#include "paintcounter.h"

#include <QEvent>
#include <QTimer>

PaintCounter::PaintCounter(QObject* watched, std::function<void()> afterFirstPaint)
    : m_afterFirstPaint(std::move(afterFirstPaint))
{
    watched->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint)
        return QObject::eventFilter(watched, event);
    if (++m_count == 1 && m_afterFirstPaint)
        QTimer::singleShot(0, this, m_afterFirstPaint);
    return QObject::eventFilter(watched, event);
}
