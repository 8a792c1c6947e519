#include "data/tablemodel.h"

#include "data/cp1250.h"
#include "data/measurementtable.h"

static_assert(MeasurementTable::kColumnCount == 11);

namespace
{

QString decode(std::string_view cp1250)
{
    QString text(qsizetype(cp1250.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char ch : cp1250)
        *out++ = QChar(Cp1250::toUnicode(static_cast<unsigned char>(ch)));
    return text;
}

} // namespace

TableModel::TableModel(const MeasurementTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_rows(tableDataRows())
{
    takeHeader();
}

int TableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant TableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return decode(m_table.cell(index.column(), index.row() + 1));
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= kColumns)
        return {};
    return decode(m_header[std::size_t(section)]);
}

Qt::ItemFlags TableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

void TableModel::tableChanged()
{
    if (takeHeader())
        emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
    const int rows = tableDataRows();
    if (rows < m_rows) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
        return;
    }
    const int oldRows = m_rows;
    if (rows > oldRows) {
        beginInsertRows({}, oldRows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
    if (oldRows > 0)
        emit dataChanged(index(0, 0), index(oldRows - 1, kColumns - 1), {Qt::DisplayRole});
}

int TableModel::tableDataRows() const
{
    return m_table.rowCount() - 1;
}

// Copies the header row; true when it differs from the one shown.
bool TableModel::takeHeader()
{
    bool changed = false;
    for (int column = 0; column < kColumns; ++column) {
        const std::string_view text = m_table.cell(column, 0);
        std::string& shown = m_header[std::size_t(column)];
        if (shown == text)
            continue;
        shown.assign(text);
        changed = true;
    }
    return changed;
}
