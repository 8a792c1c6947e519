#pragma once

#include "data/logstore.h"

#include <QAbstractScrollArea>
#include <QTimer>
#include <span>
#include <string_view>

// The status log: read-only, never cleared, one line per message. Lines are
// kept in a compact store and only the visible ones are painted; appends
// reach the screen in batches, so a download of a million rows does not mean
// a million repaints.
class StatusLog : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit StatusLog(QWidget* parent = nullptr);

    // A line of code page 1250 bytes (row texts as the module sent them).
    void appendBytes(std::string_view cp1250);
    // Lines of code page 1250 bytes in one buffer; see LogStore::appendBlock.
    void appendBlock(std::string_view text, std::span<const std::size_t> ends);
    // One of the program's own messages.
    void appendText(const QString& text);

    const LogStore& store() const { return m_store; }
    QString lineText(std::size_t i) const;
    // Shows everything appended so far now rather than at the next batch.
    void flush();

    std::size_t shownLines() const { return m_shown; }
    std::size_t firstVisibleLine() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void scheduleFlush();
    void updateScrollRange();
    int lineHeight() const;
    int visibleLineCount() const;

    LogStore m_store;
    std::size_t m_shown = 0;
    QTimer m_flushTimer;
};
