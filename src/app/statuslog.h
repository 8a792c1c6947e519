#pragma once

#include "data/logstore.h"

#include <QAbstractListModel>
#include <QListView>
#include <QTimer>
#include <string_view>

class StatusLogModel;

// The status log: read-only, never cleared, one line per message. Lines are
// kept in a compact store and the view paints only what is visible; appends
// reach the view in batches, so a download of a million rows does not mean a
// million repaints.
class StatusLog : public QListView {
    Q_OBJECT
public:
    explicit StatusLog(QWidget* parent = nullptr);
    ~StatusLog() override;

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

private:
    void scheduleFlush();

    LogStore m_store;
    StatusLogModel* m_model;
    QTimer m_flushTimer;
};
