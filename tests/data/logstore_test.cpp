#include "data/logstore.h"

#include <gtest/gtest.h>

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
