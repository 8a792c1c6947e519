#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The lines of the status log (code page 1250 bytes each), append-only.
// All texts share one buffer, so a million lines cost a million offsets and
// their bytes rather than a million allocations.
class LogStore
{
  public:
    LogStore() = default;

    std::size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }
    // i in 0..size()-1; the view lives until the next append.
    std::string_view line(std::size_t i) const;
    void append(std::string_view text);

    // Bytes of all lines together, without line breaks.
    std::size_t byteCount() const { return m_text.size(); }

  private:
    std::string m_text;
    std::vector<std::size_t> m_ends;
};
