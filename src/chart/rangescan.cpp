#include "chart/rangescan.h"

#include "chart/localenumber.h"
#include "data/measurementtable.h"

RangeScan scanRange(const MeasurementTable& table, std::string_view fromKey, std::string_view toKey)
{
    RangeScan scan;
    bool inRange = false;
    for (int row = 1; row < table.rowCount(); ++row) {
        const std::string_view day = table.cell(0, row);
        if (day == fromKey) {
            inRange = true;
            if (scan.firstRow < 0)
                scan.firstRow = row;
        }
        if (day == toKey)
            inRange = false;
        if (inRange)
            ++scan.count;
    }
    return scan;
}

PlotValues collectPlotValues(const MeasurementTable& table, const RangeScan& range, int column,
                             char decimalSeparator)
{
    PlotValues plot;
    if (range.firstRow < 0)
        return plot;
    plot.values.reserve(std::size_t(range.count));
    for (int k = 0; k < range.count; ++k) {
        const std::string_view text = table.cell(column, range.firstRow + k);
        const std::optional<double> value = LocaleNumber::parse(text, decimalSeparator);
        if (!value) {
            plot.badText = std::string(text);
            return plot;
        }
        plot.values.push_back(*value);
    }
    return plot;
}
