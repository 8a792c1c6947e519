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
