#pragma once

#include <cstddef>
#include <span>
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
    // Appends a block of lines held the same way: line i of the block is
    // text[ends[i-1], ends[i]), the first from 0.
    void appendBlock(std::string_view text, std::span<const std::size_t> ends);

    // Bytes of all lines together, without line breaks.
    std::size_t byteCount() const { return m_text.size(); }

  private:
    std::string m_text;
    std::vector<std::size_t> m_ends;
};
