// Saving, opening, export and the chart, through the real window.
#include "formfixture.h"

#include "app/colorbox.h"
#include "app/statuslog.h"
#include "chart/temperaturechart.h"
#include "data/measurementfile.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QPushButton>
#include <QTableView>

namespace {

const char kStartupFile[] = "Datum;\xC8" "as;T1;T2;T3;T4;T5;T6;T7;T8;;\r\n;;;;;;;;;;;\r\n";

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class DataHandlers : public FormFixture {
protected:
    QString savedCwd = QDir::currentPath();
    void TearDown() override { QDir::setCurrent(savedCwd); }

    // Readings of three days, four a day, T1 = 1, 2, 3 ... in table order.
    void loadReadings(TForm1& w)
    {
        std::string text = "Datum;Cas;T1;T2;T3;T4;T5;T6;T7;T8;;\r\n";
        int value = 1;
        for (const char* day : {"29.04.08", "30.04.08", "01.05.08"})
            for (int i = 0; i < 4; ++i, ++value)
                text += std::string(day) + ";12:00:0" + std::to_string(i) + ";" + std::to_string(value) + ";-" +
                        std::to_string(value) + ";;;;;;;;\r\n";
        MeasurementFile::load(w.table(), text);
    }
};

TEST_F(DataHandlers, savingRightAfterStartWritesTheTwoLines)
{
    TForm1& w = open();
    const QString target = dir.filePath(QStringLiteral("a.csv"));
    dialogs->fileNames = {target, dir.filePath(QStringLiteral("b.csv"))};
    w.btn_save->click();
    w.Uloit1->trigger();
    EXPECT_EQ(readFile(target), QByteArray(kStartupFile));
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("b.csv"))), QByteArray(kStartupFile));
    EXPECT_EQ(dialogs->fileFilters, QStringList(2, QStringLiteral("CSV- MS Excel (*.csv)|*.csv")));
    EXPECT_EQ(QDir::currentPath(), QDir(dir.path()).canonicalPath());
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(DataHandlers, cancellingEitherDialogChangesNothing)
{
    TForm1& w = open();
    w.btn_save->click();
    w.btn_load->click();
    EXPECT_EQ(dialogs->shown.size(), 0);
    EXPECT_EQ(w.table().rowCount(), 2);
}

TEST_F(DataHandlers, openingReadsTheFileIntoTableAndGrid)
{
    TForm1& w = open();
    const QString source = dir.filePath(QStringLiteral("in.csv"));
    writeFile(source, "H0;H1;\n10.01.09;08:00:00;21,5;x;;;;;;;eleven;twelve;\n\n");
    dialogs->fileNames = {source};
    w.Otevt1->trigger();
    EXPECT_EQ(dialogs->fileFilters, QStringList{QStringLiteral("CSV - MS Excel (*.csv)|*.csv")});
    EXPECT_EQ(w.table().rowCount(), 3);
    EXPECT_EQ(w.Grid1->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("H0"));
    EXPECT_EQ(w.Grid1->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("T1"))
        << "cells no field reaches keep their texts";
    EXPECT_EQ(w.Grid1->model()->data(w.Grid1->model()->index(0, 10)).toString(), QStringLiteral("eleven"));
    EXPECT_EQ(w.Grid1->model()->rowCount(), 2);
    EXPECT_EQ(w.table().cursor().row, 1);
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(DataHandlers, aFileThatCannotBeReadLeavesTheTableAndShowsTheError)
{
    TForm1& w = open();
    loadReadings(w);
    const std::string before = MeasurementFile::serialize(w.table());
    dialogs->fileNames = {dir.filePath(QStringLiteral("missing.csv")), dir.path()};
    w.btn_load->click();
    w.btn_load->click();
    EXPECT_EQ(dialogs->count("error"), 2);
    EXPECT_EQ(MeasurementFile::serialize(w.table()), before);
}

TEST_F(DataHandlers, aSaveThatFailsKeepsTheOldFileAndShowsTheError)
{
    TForm1& w = open();
    const QString existing = dir.filePath(QStringLiteral("keep.csv"));
    writeFile(existing, "old contents");
    dialogs->fileNames = {dir.filePath(QStringLiteral("no/such/folder/x.csv")), QStringLiteral("/dev/full")};
    w.btn_save->click();
    w.btn_save->click();
    EXPECT_EQ(dialogs->count("error"), 2);
    EXPECT_EQ(readFile(existing), QByteArray("old contents"));
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/full")).isSymLink() || !QFileInfo(QStringLiteral("/dev/full")).isFile())
        << "the device is still a device";
}

TEST_F(DataHandlers, exportWritesTheSavedBytesAsTempCsvAndOpensIt)
{
    TForm1& w = open();
    loadReadings(w);
    const QString saved = dir.filePath(QStringLiteral("saved.csv"));
    dialogs->fileNames = {saved};
    w.btn_save->click();
    writeFile(dir.filePath(QStringLiteral("temp.csv")), "to be replaced");
    w.btn_export->click();
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("temp.csv"))), readFile(saved));
    EXPECT_EQ(shell->opened, QStringList{QStringLiteral("temp.csv")});
    EXPECT_EQ(dialogs->shown.size(), 0);
}

TEST_F(DataHandlers, drawingPlotsTheFromDaysReadingsInTheChosenColour)
{
    TForm1& w = open();
    loadReadings(w);
    w.ColorBox->selectCode(16711680);
    w.DateTimePicker1->setDate(QDate(2008, 4, 30));
    w.DateTimePicker3->setDate(QDate(2008, 5, 1));
    w.btn_draw->click();
    QCPGraph* series = w.Chart1->series();
    ASSERT_EQ(w.Chart1->pointCount(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_DOUBLE_EQ(w.Chart1->pointValue(i), 5.0 + double(i));
    EXPECT_EQ(series->pen().color(), QColor(0, 0, 255));
    EXPECT_EQ(series->name(), QStringLiteral("T1"));
    EXPECT_EQ(w.Chart1->yAxis->range(), QCPRange(-20, 20));
    EXPECT_EQ(w.Chart1->title(), QStringLiteral("Průběh naměřených hodnot"));
    EXPECT_FALSE(w.Chart1->legend->visible());
    const QStringList lines = log();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Kreslení grafu"));
    EXPECT_FALSE(lines[1].isEmpty());

    w.cmb_select->setCurrentIndex(1);
    w.btn_draw->click();
    ASSERT_EQ(w.Chart1->pointCount(), 4u);
    EXPECT_DOUBLE_EQ(w.Chart1->pointValue(0), -5);
    EXPECT_EQ(series->name(), QStringLiteral("T2"));
}

TEST_F(DataHandlers, sameDayEmptiesTheChart)
{
    TForm1& w = open();
    loadReadings(w);
    w.DateTimePicker1->setDate(QDate(2008, 4, 29));
    w.DateTimePicker3->setDate(QDate(2008, 5, 1));
    w.btn_draw->click();
    EXPECT_EQ(w.Chart1->pointCount(), 8u);
    w.DateTimePicker3->setDate(QDate(2008, 4, 29));
    w.btn_draw->click();
    EXPECT_EQ(w.Chart1->pointCount(), 0u);
    EXPECT_EQ(log().size(), 4);
}

TEST_F(DataHandlers, aValueThatIsNoNumberStopsTheDrawingAfterThePointsBeforeIt)
{
    TForm1& w = open();
    loadReadings(w);
    w.table().setCell(2, 7, "n/a");
    w.DateTimePicker1->setDate(QDate(2008, 4, 30));
    w.DateTimePicker3->setDate(QDate(2008, 5, 1));
    w.btn_draw->click();
    EXPECT_EQ(w.Chart1->pointCount(), 2u);
    ASSERT_EQ(dialogs->count("error"), 1);
    EXPECT_TRUE(dialogs->shown[0].text.contains(QStringLiteral("n/a")));
    EXPECT_EQ(log(), QStringList{QStringLiteral("Kreslení grafu")});
}

} // namespace

namespace {

TEST_F(DataHandlers, binaryAndVeryLargeFilesLoad)
{
    TForm1& w = open();
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 7919) & 0xFF));
    const QString binaryPath = dir.filePath(QStringLiteral("binary.csv"));
    writeFile(binaryPath, binary);

    // About 200 MB of readings.
    const QString largePath = dir.filePath(QStringLiteral("large.csv"));
    const QByteArray line("30.04.08;13:39:53;21.5;22.0;20.9;21.1;19.8;20.2;21.7;20.0;extra;\r\n");
    {
        QFile large(largePath);
        ASSERT_TRUE(large.open(QIODevice::WriteOnly));
        QByteArray block;
        for (int i = 0; i < 10000; ++i)
            block += line;
        while (large.size() < 200'000'000)
            large.write(block);
    }
    const qint64 largeLines = QFileInfo(largePath).size() / line.size();

    dialogs->fileNames = {binaryPath, largePath};
    w.btn_load->click();
    EXPECT_GE(w.table().rowCount(), 1);
    w.btn_load->click();
    EXPECT_EQ(w.table().rowCount(), largeLines);
    EXPECT_EQ(w.table().cell(10, int(largeLines) - 1), "extra");
    EXPECT_EQ(dialogs->count("error"), 0);
}

} // namespace
