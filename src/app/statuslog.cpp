#include "app/statuslog.h"

#include "data/cp1250.h"

#include <QScrollBar>

namespace {
// About ten view updates a second while lines pour in.
constexpr int kFlushIntervalMs = 100;
} // namespace

class StatusLogModel : public QAbstractListModel {
public:
    explicit StatusLogModel(const LogStore& store, QObject* parent) : QAbstractListModel(parent), m_store(store) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_shown; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_shown)
            return {};
        return QString::fromStdString(Cp1250::toUtf8(m_store.line(std::size_t(index.row()))));
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    // Makes the lines appended since the last call visible; false when there were none.
    bool showNewLines()
    {
        const int total = int(std::min<std::size_t>(m_store.size(), std::size_t(INT_MAX)));
        if (total == m_shown)
            return false;
        beginInsertRows({}, m_shown, total - 1);
        m_shown = total;
        endInsertRows();
        return true;
    }

private:
    const LogStore& m_store;
    int m_shown = 0;
};

StatusLog::StatusLog(QWidget* parent)
    : QListView(parent), m_model(new StatusLogModel(m_store, this))
{
    setModel(m_model);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextElideMode(Qt::ElideRight);
    setFrameShape(QFrame::Box);
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(kFlushIntervalMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &StatusLog::flush);
}

StatusLog::~StatusLog() = default;

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
    const bool followEnd = verticalScrollBar()->value() == verticalScrollBar()->maximum();
    if (m_model->showNewLines() && followEnd)
        scrollToBottom();
}
