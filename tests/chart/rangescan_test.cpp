#include "chart/rangescan.h"
#include "data/measurementtable.h"

#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace
{

using Days = std::vector<const char*>; // column 0 of rows 1..

MeasurementTable tableOfDays(const Days& days)
{
    MeasurementTable table;
    table.writeHeader();
    table.setRowCount(static_cast<long long>(days.size()) + 1);
    for (std::size_t i = 0; i < days.size(); ++i)
        table.setCell(0, int(i) + 1, days[i]);
    return table;
}

struct ScanCase {
    const char* name;
    Days days;
    const char* from;
    const char* to;
    int firstRow;
    int count;
};

const ScanCase kScans[] = {
    {"sameDayCountsNothing", {"30.04.08", "30.04.08"}, "30.04.08", "30.04.08", 1, 0},
    {"missingFromDayCountsNothing", {"01.05.08", "02.05.08"}, "30.04.08", "02.05.08", -1, 0},
    {"missingToDayRunsToTheEnd", {"29.04.08", "30.04.08", "01.05.08"}, "30.04.08", "05.05.08", 2, 2},
    {"toDayBeforeFromDayRunsToTheEnd",
     {"28.04.08", "29.04.08", "30.04.08", "01.05.08"},
     "29.04.08",
     "28.04.08",
     2,
     3},
    {"everyReadingOfFromDayAndNoneOfToDay",
     {"29.04.08", "30.04.08", "30.04.08", "30.04.08", "01.05.08", "01.05.08"},
     "30.04.08",
     "01.05.08",
     2,
     3},
    {"daysBetweenAreCounted", {"30.04.08", "01.05.08", "02.05.08", "03.05.08"}, "30.04.08", "03.05.08", 1, 3},
    {"keysDifferingInOneCharacterNeverMatch",
     {"5.4.08", "30.04.2008", "30.04.08 ", "30-04-08", "30.04.08", "01.05.08"},
     "30.04.08",
     "01.05.08",
     5,
     1},
    {"fromDayAfterToDayReopens",
     {"30.04.08", "01.05.08", "30.04.08", "30.04.08"},
     "30.04.08",
     "01.05.08",
     1,
     3},
    {"emptyDataRow", {""}, "30.04.08", "30.04.08", -1, 0},
    {"noDataRows", {}, "30.04.08", "01.05.08", -1, 0},
};

void PrintTo(const ScanCase& c, std::ostream* os)
{
    *os << c.name;
}

class RangeScanTest : public testing::TestWithParam<ScanCase>
{
};

TEST_P(RangeScanTest, countsRowsFromFromDayUpToToDay)
{
    const ScanCase& c = GetParam();
    MeasurementTable table = tableOfDays(c.days);
    const RangeScan scan = scanRange(table, c.from, c.to);
    EXPECT_EQ(scan.firstRow, c.firstRow);
    EXPECT_EQ(scan.count, c.count);
}

INSTANTIATE_TEST_SUITE_P(Cases, RangeScanTest, testing::ValuesIn(kScans),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RangeScan, rowsBeyondTheRowCountAreNotScanned)
{
    MeasurementTable table = tableOfDays({"30.04.08", "30.04.08"});
    table.setRowCount(2);
    EXPECT_EQ(scanRange(table, "30.04.08", "01.05.08").count, 1);
}

TEST(PlotValues, consecutiveRowsFromFirstRowInTheChosenColumn)
{
    MeasurementTable table = tableOfDays({"30.04.08", "01.05.08", "30.04.08"});
    const char* t1[] = {"21,5", "x", "-3"};
    for (int row = 1; row <= 3; ++row) {
        table.setCell(2, row, t1[row - 1]);
        table.setCell(9, row, std::to_string(row));
    }
    const RangeScan range = scanRange(table, "30.04.08", "01.05.08");
    ASSERT_EQ(range.count, 2);

    const PlotValues t8 = collectPlotValues(table, range, 9, ',');
    EXPECT_EQ(t8.values, (std::vector<double>{1, 2}));
    EXPECT_FALSE(t8.badText);
}

TEST(PlotValues, stopsAtFirstTextThatIsNotANumberKeepingEarlierValues)
{
    MeasurementTable table = tableOfDays({"30.04.08", "30.04.08", "30.04.08", "30.04.08", "01.05.08"});
    const char* t1[] = {"21,5", "-0,5", "21.5", "7"};
    for (int row = 1; row <= 4; ++row)
        table.setCell(2, row, t1[row - 1]);
    const RangeScan range = scanRange(table, "30.04.08", "01.05.08");

    const PlotValues comma = collectPlotValues(table, range, 2, ',');
    EXPECT_EQ(comma.values, (std::vector<double>{21.5, -0.5}));
    EXPECT_EQ(comma.badText, "21.5");

    const PlotValues stop = collectPlotValues(table, range, 2, '.');
    EXPECT_TRUE(stop.values.empty());
    EXPECT_EQ(stop.badText, "21,5");
}

TEST(PlotValues, emptyCellInRangeIsNotANumber)
{
    MeasurementTable table = tableOfDays({"30.04.08"});
    const PlotValues plot = collectPlotValues(table, scanRange(table, "30.04.08", "01.05.08"), 2, ',');
    EXPECT_TRUE(plot.values.empty());
    EXPECT_EQ(plot.badText, "");
}

TEST(PlotValues, nothingInRangeGivesNoValues)
{
    MeasurementTable table = tableOfDays({"30.04.08"});
    const PlotValues plot = collectPlotValues(table, scanRange(table, "01.05.08", "02.05.08"), 2, ',');
    EXPECT_TRUE(plot.values.empty());
    EXPECT_FALSE(plot.badText);
}

} // namespace
