#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace emulator
{

// The module's settings record: a running clock, the active ports, the
// measuring interval and the alarm limits of T1 to T4.
class ModuleSettings
{
  public:
    static constexpr std::size_t RecordSize = 16;
    using Record = std::array<uint8_t, RecordSize>;

    ModuleSettings(int64_t clockSeconds, int ports, int interval);

    // The record as the module reports it, its clock read at this moment.
    Record record() const;
    // Sets the clock and stores the other fields byte for byte, unchecked, so
    // that a later read returns exactly what was written.
    void apply(const Record& record);

    int64_t clockNow() const;
    static std::string describe(const Record& record);

  private:
    int64_t m_clockOffset = 0; // module clock minus the computer's local clock
    uint8_t m_ports = 4;
    uint8_t m_interval = 10;
    std::array<uint8_t, 8> m_limits{};
};

} // namespace emulator
