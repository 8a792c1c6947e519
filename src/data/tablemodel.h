#pragma once

#include <QAbstractTableModel>
#include <array>
#include <string>

class MeasurementTable;

// Grid1's view of the measurement table: table row 0 is the horizontal
// header, table rows 1..rowCount-1 are the model's rows 0.. . Read-only.
// The table changes behind the model's back (download, file, reset), so the
// model keeps the row count and header it last announced and tableChanged()
// tells the views what differs.
class TableModel : public QAbstractTableModel
{
    Q_OBJECT
  public:
    explicit TableModel(const MeasurementTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Call after any change of the table. Appended rows are announced as
    // inserted (existing rows as changed, since a download completes the last
    // row's cells); a shorter table resets the model.
    void tableChanged();

  private:
    static constexpr int kColumns = 11;

    int tableDataRows() const;
    bool takeHeader();

    const MeasurementTable& m_table;
    int m_rows = 0;
    std::array<std::string, kColumns> m_header;
};
