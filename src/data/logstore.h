#pragma once

#include "data/populatedmemory.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

// The lines of the status log (code page 1250 bytes each), append-only.
// Texts are packed into blocks that are filled once and never moved, so a
// million lines cost their bytes and four bytes each, and appending never
// copies what is already stored.
class LogStore
{
  public:
    LogStore() = default;

    std::size_t size() const { return m_lineCount; }
    bool empty() const { return m_lineCount == 0; }
    // i in 0..size()-1; the view stays valid as long as the store.
    std::string_view line(std::size_t i) const;
    void append(std::string_view text);
    // Appends a block of lines held the same way: line i of the block is
    // text[ends[i-1], ends[i]), the first from 0.
    void appendBlock(std::string_view text, std::span<const std::size_t> ends);

    // Bytes of all lines together, without line breaks.
    std::size_t byteCount() const { return m_byteCount; }

  private:
    struct Block {
        PopulatedMemory::Bytes bytes;
        std::size_t capacity = 0;
        std::size_t used = 0;
        std::size_t firstLine = 0;
    };

    // Room for size bytes in the last block, opening a new one when needed.
    Block& blockWithRoom(std::size_t size);
    void pushEnd(std::uint32_t end);
    std::uint32_t endOf(std::size_t line) const;

    std::vector<Block> m_blocks;
    // Where each line ends in its block; it begins where the line before it
    // in the same block ends. Kept in chunks that never move, so a growing
    // log is not copied over and over.
    std::vector<std::unique_ptr<std::uint32_t[]>> m_endChunks;
    std::size_t m_lineCount = 0;
    std::size_t m_byteCount = 0;
};
