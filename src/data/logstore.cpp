#include "data/logstore.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kBlockSize = std::size_t(1) << 20;
} // namespace

std::string_view LogStore::line(std::size_t i) const
{
    const LineEnd& here = m_lines[i];
    const std::uint32_t begin = i > 0 && m_lines[i - 1].block == here.block ? m_lines[i - 1].end : 0;
    return {m_blocks[here.block].bytes.get() + begin, std::size_t(here.end - begin)};
}

LogStore::Block& LogStore::blockWithRoom(std::size_t size)
{
    if (m_blocks.empty() || m_blocks.back().capacity - m_blocks.back().used < size) {
        const std::size_t capacity = std::max(kBlockSize, size);
        m_blocks.push_back(Block{std::make_unique_for_overwrite<char[]>(capacity), capacity, 0});
    }
    return m_blocks.back();
}

void LogStore::append(std::string_view text)
{
    const std::size_t one = text.size();
    appendBlock(text, std::span<const std::size_t>(&one, 1));
}

void LogStore::appendBlock(std::string_view text, std::span<const std::size_t> ends)
{
    if (ends.empty())
        return;
    const std::size_t used = ends.back();
    Block& block = blockWithRoom(used);
    if (used > 0)
        std::memcpy(block.bytes.get() + block.used, text.data(), used);
    const auto blockIndex = std::uint32_t(m_blocks.size() - 1);
    for (std::size_t end : ends)
        m_lines.push_back({blockIndex, std::uint32_t(block.used + end)});
    block.used += used;
    m_byteCount += used;
}
