#pragma once

#include <QObject>
#include <functional>

// Counts the paint events of one widget and, if given, calls back on the
// first one once the event loop is free again: by then the whole window of
// that paint, its children included, has been painted. Not owned by the
// watched object: it lives where it is declared.
class PaintCounter : public QObject
{
  public:
    explicit PaintCounter(QObject* watched, std::function<void()> afterFirstPaint = {});

    int count() const { return m_count; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int m_count = 0;
    std::function<void()> m_afterFirstPaint;
};
