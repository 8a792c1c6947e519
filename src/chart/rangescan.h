#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class MeasurementTable;

// The rows of the measurement table that a chart from one day to another
// plots: `count` consecutive rows from `firstRow` (-1 when no row has the
// from-day's key).
struct RangeScan {
    int firstRow = -1;
    int count = 0;
};

// Walks data rows 1..rowCount-1 in order. A row whose column 0 equals fromKey
// opens the range, then one that equals toKey closes it, then an open range
// counts the row: so the to-day's rows are never counted, a range from a day to
// itself counts nothing, and the from-day seen again after the to-day reopens
// it. Keys compare byte for byte.
RangeScan scanRange(const MeasurementTable& table, std::string_view fromKey, std::string_view toKey);

struct PlotValues {
    std::vector<double> values;
    // The first text that was not a number; the values before it are kept.
    std::optional<std::string> badText;
};

// The numbers in `column` (2..9 hold T1..T8) of the rows of `range`, read with
// the user's decimal separator, up to the first text that is not a number.
PlotValues collectPlotValues(const MeasurementTable& table, const RangeScan& range, int column,
                             char decimalSeparator);
