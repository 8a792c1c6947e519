#pragma once

#include "data/measurementtable.h"
#include "link/loglines.h"
#include "link/protocol.h"
#include "link/settingsrecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What one read event produced besides the cells it stored.
struct ReadOutcome {
    // Status-log lines, in order.
    LogLines logLines;
    // A configuration reply that is complete and to be shown.
    std::optional<SettingsRecord> settings;
};

// Reads everything the module sends, one read event at a time: the data
// stream into the measurement table at its receive cursor, and the
// configuration reply.
class StreamReader
{
  public:
    // "Přijem konfiurace" in code page 1250.
    static constexpr std::string_view kConfigurationLogLine = "P\xF8ijem konfiurace";

    explicit StreamReader(MeasurementTable& table);

    // The download request: resets the table for a download and forgets the
    // cell text and any partial configuration reply.
    void startDownload();

    ReadOutcome readEvent(const std::uint8_t* data, std::size_t n);

  private:
    void readData(const std::uint8_t* p, const std::uint8_t* end, LogLines& log);
    void takeConfiguration(const std::uint8_t* data, std::size_t n, ReadOutcome& out);
    void endCell(std::string_view run);
    std::string_view joinCarriedText(std::string_view run);
    void endRow(std::string_view run);
    void storeCells();
    void finishEvent(LogLines& log);

    MeasurementTable& m_table;
    // The current cell's text received in earlier read events.
    std::string m_cellCarry;
    // The carried text joined with its end, for the first cell of an event.
    std::string m_joinedCell;
    // Cells of the cursor row ended in this read event and not yet stored:
    // a row is stored at once, at its line feed or at the end of the event.
    std::array<std::string_view, MeasurementTable::kColumnCount> m_cells;
    int m_firstCellColumn = 0;
    int m_cellCount = 0;
    std::array<std::uint8_t, protocol::kConfigurationReplyLength> m_reply{};
    // Bytes of a configuration reply received so far; 0 when none is pending.
    std::size_t m_replyLength = 0;
};
