#include "data/logstore.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr std::size_t kFirstBlockSize = std::size_t(64) << 10;
constexpr std::size_t kBlockSize = std::size_t(1) << 20;
constexpr std::size_t kEndsPerChunkShift = 14;
constexpr std::size_t kEndsPerChunk = std::size_t(1) << kEndsPerChunkShift;
} // namespace

std::uint32_t LogStore::endOf(std::size_t line) const
{
    return m_endChunks[line >> kEndsPerChunkShift][line & (kEndsPerChunk - 1)];
}

std::string_view LogStore::line(std::size_t i) const
{
    // Every block holds at least one line: the last block that starts at or before i holds it.
    const auto after =
        std::upper_bound(m_blocks.begin(), m_blocks.end(), i,
                         [](std::size_t line, const Block& block) { return line < block.firstLine; });
    const Block& block = *(after - 1);
    const std::uint32_t begin = i > block.firstLine ? endOf(i - 1) : 0;
    return {reinterpret_cast<const char*>(block.bytes.get()) + begin, std::size_t(endOf(i) - begin)};
}

LogStore::Block& LogStore::blockWithRoom(std::size_t size)
{
    if (m_blocks.empty() || m_blocks.back().capacity - m_blocks.back().used < size) {
        // A log of a few lines holds little memory; a download's log fills megabytes.
        const std::size_t capacity = std::max(m_byteCount < kBlockSize ? kFirstBlockSize : kBlockSize, size);
        m_blocks.push_back(Block{PopulatedMemory::allocate(capacity), capacity, 0, m_lineCount});
    }
    return m_blocks.back();
}

void LogStore::pushEnd(std::uint32_t end)
{
    if ((m_lineCount >> kEndsPerChunkShift) == m_endChunks.size())
        m_endChunks.push_back(std::make_unique_for_overwrite<std::uint32_t[]>(kEndsPerChunk));
    m_endChunks.back()[m_lineCount & (kEndsPerChunk - 1)] = end;
    ++m_lineCount;
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
    for (std::size_t end : ends)
        pushEnd(std::uint32_t(block.used + end));
    block.used += used;
    m_byteCount += used;
}
