#include "data/logstore.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

TEST(LogStore, keepsLinesInOrderWithEmptyOnes)
{
    LogStore log;
    EXPECT_TRUE(log.empty());
    const std::string_view lines[] = {"P\xF8ipojeno", "", "Kreslen\xED grafu", "x;y\r"};
    for (auto line : lines)
        log.append(line);
    ASSERT_EQ(log.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(log.line(i), lines[i]) << i;
    EXPECT_EQ(log.byteCount(), 9u + 0 + 14 + 4);
}

TEST(LogStore, aBlockOfLinesFollowsTheLinesBeforeIt)
{
    LogStore store;
    store.append("first");
    const std::size_t ends[] = {3, 3, 8};
    store.appendBlock("abcdefgh", ends);
    ASSERT_EQ(store.size(), 4u);
    EXPECT_EQ(store.line(0), "first");
    EXPECT_EQ(store.line(1), "abc");
    EXPECT_EQ(store.line(2), "");
    EXPECT_EQ(store.line(3), "defgh");
    store.appendBlock("", {});
    EXPECT_EQ(store.size(), 4u);
}

TEST(LogStore, linesStayWholeAcrossManyBlocks)
{
    LogStore store;
    std::vector<std::string> expected;
    std::string event;
    std::vector<std::size_t> ends;
    // About 6 MB in read-event-sized blocks of lines, and one line larger than a block.
    for (std::size_t i = 0; i < 200'000; ++i) {
        std::string line = i == 150'000 ? std::string(3 << 20, 'L') : std::string(i % 57, char('a' + i % 26));
        event += line;
        ends.push_back(event.size());
        expected.push_back(std::move(line));
        if (event.size() >= 65'000 || i % 1000 == 999) {
            store.appendBlock(event, ends);
            event.clear();
            ends.clear();
        }
    }
    store.appendBlock(event, ends);
    ASSERT_EQ(store.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(store.line(i), expected[i]) << "line " << i;
}
