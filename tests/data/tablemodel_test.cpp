#include "data/measurementtable.h"
#include "data/tablemodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace
{

QStringList modelTestWarnings;

void collectModelTestWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtDebugMsg && context.category && QByteArray(context.category) == "qt.modeltest")
        modelTestWarnings << message;
}

class TableModelTest : public testing::Test
{
  protected:
    void SetUp() override
    {
        modelTestWarnings.clear();
        m_previousHandler = qInstallMessageHandler(collectModelTestWarnings);
        table.writeHeader();
    }
    void TearDown() override
    {
        qInstallMessageHandler(m_previousHandler);
        EXPECT_TRUE(modelTestWarnings.isEmpty()) << modelTestWarnings.join('\n').toStdString();
    }

    MeasurementTable table;

  private:
    QtMessageHandler m_previousHandler = nullptr;
};

TEST_F(TableModelTest, showsHeaderRowAsHeaderAndDataRowsBelow)
{
    table.setCell(1, 1,
                  "\xE8"
                  "as 1");
    TableModel model(table);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);

    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.columnCount(), 11);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Čas"));
    EXPECT_EQ(model.headerData(10, Qt::Horizontal).toString(), QString());
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("čas 1"));
    EXPECT_EQ(model.flags(model.index(0, 1)), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
}

TEST_F(TableModelTest, announcesAppendedRowsAsInsertedAndShorterTableAsReset)
{
    TableModel model(table);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);

    table.setCell(2, 3, "21,5");
    table.setRowCount(4);
    model.tableChanged();
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 1);
    EXPECT_EQ(inserted.at(0).at(2).toInt(), 2);
    EXPECT_EQ(model.data(model.index(2, 2)).toString(), QStringLiteral("21,5"));
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(header.count(), 0);

    table.setCell(10, 0, "extra");
    table.resetForDownload();
    model.tableChanged();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(header.count(), 1);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.headerData(10, Qt::Horizontal).toString(), QStringLiteral("extra"));

    table.setRowCount(1);
    model.tableChanged();
    EXPECT_EQ(model.rowCount(), 0);
}

} // namespace
