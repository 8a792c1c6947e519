#include "emulatorprocess.h"
#include "loopbackclient.h"
#include "streamtext.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <thread>

namespace
{

const std::string Download = "\xE0";
const std::string ReadConfig = "\xE5";
const std::string StartClock = "01.03.24 00:00:20";

std::string download(LoopbackClient& client, const std::string& lineEnd = "\n")
{
    client.send(Download);
    return client.readUntil(
        [&](const std::string& r) { return r == lineEnd || endsWith(r, lineEnd + lineEnd); });
}

std::string readConfig(LoopbackClient& client)
{
    client.send(ReadConfig);
    return client.readBytes(17);
}

uint8_t byteAt(const std::string& bytes, std::size_t i)
{
    return uint8_t(bytes.at(i));
}

// Text against a pattern in which '9' stands for any digit.
bool fits(const std::string& text, const std::string& pattern)
{
    if (text.size() != pattern.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == '9' ? !digit : text[i] != pattern[i])
            return false;
    }
    return true;
}

// "dd.mm.yy;HH:MM:SS;" then one reading with one decimal per active port, empty cells for the rest.
bool hasRowShape(const std::string& row, int ports, char decimalSeparator)
{
    std::vector<std::string> cells = linesOf(row, ";");
    if (cells.size() != 10 || row.back() != ';')
        return false;
    if (!fits(cells[0], "99.99.99") || !fits(cells[1], "99:99:99"))
        return false;
    for (int sensor = 0; sensor < 8; ++sensor) {
        const std::string& cell = cells[2 + sensor];
        const std::string point(1, decimalSeparator);
        const bool reading = fits(cell, "99" + point + "9") || fits(cell, "9" + point + "9");
        if (sensor < ports ? !reading : !cell.empty())
            return false;
    }
    return true;
}

struct ShapeCase {
    const char* name;
    std::vector<std::string> arguments;
    std::size_t rows;
    int ports;
    std::string lineEnd;
    char decimalSeparator = '.';
};

void PrintTo(const ShapeCase& c, std::ostream* os)
{
    *os << c.name;
}

class StreamShape : public testing::TestWithParam<ShapeCase>
{
};

TEST_P(StreamShape, downloadGivesEveryRowThenOneEmptyLine)
{
    const ShapeCase& c = GetParam();
    EmulatorProcess emulator(c.arguments);
    LoopbackClient client(emulator.port());
    ASSERT_TRUE(client.connected());
    const std::string stream = download(client, c.lineEnd);
    ASSERT_TRUE(endsWith(stream, c.lineEnd));
    const std::vector<std::string> lines = linesOf(stream, c.lineEnd);
    ASSERT_EQ(lines.size(), c.rows + 1);
    EXPECT_EQ(lines.back(), "");
    for (std::size_t i = 0; i < c.rows; ++i)
        EXPECT_TRUE(hasRowShape(lines[i], c.ports, c.decimalSeparator)) << lines[i];
}

INSTANTIATE_TEST_SUITE_P(
    Emulator, StreamShape,
    testing::Values(ShapeCase{"lineFeeds", {"--rows", "50"}, 50, 4, "\n"},
                    ShapeCase{"twoPorts", {"--rows", "7", "--ports", "2"}, 7, 2, "\n"},
                    ShapeCase{"crLf", {"--rows", "20", "--crlf"}, 20, 4, "\r\n"},
                    ShapeCase{"emptyLog", {"--rows", "0"}, 0, 4, "\n"},
                    ShapeCase{"decimalComma", {"--rows", "9", "--decimal-comma"}, 9, 4, "\n", ','}),
    [](const auto& info) { return std::string(info.param.name); });

struct TimelineCase {
    const char* name;
    const char* rows;
    const char* interval;
    std::string firstRowStart;
};

void PrintTo(const TimelineCase& c, std::ostream* os)
{
    *os << c.name;
}

class Timeline : public testing::TestWithParam<TimelineCase>
{
};

TEST_P(Timeline, rowsAreSpacedByTheIntervalAndEndAtTheClock)
{
    const TimelineCase& c = GetParam();
    EmulatorProcess emulator({"--rows", c.rows, "--interval", c.interval, "--clock", StartClock});
    LoopbackClient client(emulator.port());
    const std::vector<std::string> lines = linesOf(download(client), "\n");
    ASSERT_EQ(lines.size(), std::stoul(c.rows) + 1);
    EXPECT_EQ(lines.front().substr(0, 18), c.firstRowStart);
    EXPECT_EQ(lines[lines.size() - 2].substr(0, 18), "01.03.24;00:00:20;");
}

INSTANTIATE_TEST_SUITE_P(Emulator, Timeline,
                         testing::Values(TimelineCase{"acrossMidnight", "50", "10", "29.02.24;23:52:10;"},
                                         TimelineCase{"threeDays", "8641", "30", "27.02.24;00:00:20;"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Emulator, chunkedAnswersCarryTheSameBytes)
{
    const std::vector<std::string> common = {"--rows", "40", "--clock", StartClock};
    std::vector<std::string> chunked = common;
    chunked.insert(chunked.end(), {"--chunk", "7"});
    EmulatorProcess whole(common);
    EmulatorProcess pieces(chunked);
    LoopbackClient wholeClient(whole.port());
    LoopbackClient piecesClient(pieces.port());
    const std::string expected = download(wholeClient);
    ASSERT_TRUE(endsWith(expected, "\n\n"));
    EXPECT_EQ(download(piecesClient), expected);
    const std::string reply = readConfig(piecesClient);
    ASSERT_EQ(reply.size(), 17u);
    EXPECT_EQ(byteAt(reply, 0), 0xE9);
}

TEST(Emulator, configReplyIsTheMarkerAndTheSettingsRecord)
{
    EmulatorProcess emulator({"--clock", StartClock});
    LoopbackClient client(emulator.port());
    const std::string reply = readConfig(client);
    ASSERT_EQ(reply.size(), 17u);
    EXPECT_EQ(byteAt(reply, 0), 0xE9);
    EXPECT_EQ(reply.substr(1, 5), std::string("\x01\x03\x18\x00\x00", 5));
    EXPECT_GE(byteAt(reply, 6), 20);
    EXPECT_LT(byteAt(reply, 6), 30);
    EXPECT_EQ(reply.substr(7), std::string("\x04\x0A\xF6\x1E\xF6\x1E\xF6\x1E\xF6\x1E", 10));
}

// 15.06.24 12:30:00, 2 ports, 15 s, limits -40 40 -32 -25 -26 -27 -1 1: four of
// the limits travel as the request codes 0xE0, 0xE7, 0xE6 and 0xE5.
const std::string Written("\x0F\x06\x18\x0C\x1E\x00\x02\x0F\xD8\x28\xE0\xE7\xE6\xE5\xFF\x01", 16);

struct SplitCase {
    const char* name;
    std::vector<std::size_t> pieces;
};

void PrintTo(const SplitCase& c, std::ostream* os)
{
    *os << c.name;
}

class WriteFrame : public testing::TestWithParam<SplitCase>
{
};

TEST_P(WriteFrame, writtenSettingsComeBackInTheConfigReply)
{
    EmulatorProcess emulator;
    LoopbackClient client(emulator.port());
    const std::string frame = "\xE6" + Written + "\xE7";
    std::size_t offset = 0;
    for (std::size_t piece : GetParam().pieces) {
        ASSERT_TRUE(client.send(frame.substr(offset, piece)));
        offset += piece;
        std::this_thread::sleep_for(std::chrono::milliseconds(3)); // separate reads on the other side
    }
    ASSERT_EQ(offset, frame.size());
    const std::string reply = readConfig(client);
    ASSERT_EQ(reply.size(), 17u);
    EXPECT_EQ(reply.substr(1, 5), Written.substr(0, 5));
    EXPECT_LE(byteAt(reply, 6), 2);
    EXPECT_EQ(reply.substr(7), Written.substr(6));
}

INSTANTIATE_TEST_SUITE_P(Emulator, WriteFrame,
                         testing::Values(SplitCase{"oneSend", {18}},
                                         SplitCase{"asTheClientSends", {1, 16, 1}},
                                         SplitCase{"unevenPieces", {5, 9, 4}},
                                         SplitCase{"byteByByte", std::vector<std::size_t>(18, 1)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Emulator, strayBytesAndAFrameWithoutItsEndAreIgnored)
{
    EmulatorProcess emulator;
    LoopbackClient client(emulator.port());
    client.send("AB\x01");
    client.send("\xE6" + Written + "X");
    const std::string reply = readConfig(client);
    ASSERT_EQ(reply.size(), 17u);
    EXPECT_EQ(reply.substr(7, 2), "\x04\x0A");
}

TEST(Emulator, newConnectionReplacesTheCurrentClient)
{
    EmulatorProcess emulator;
    LoopbackClient first(emulator.port());
    ASSERT_EQ(readConfig(first).size(), 17u);
    LoopbackClient second(emulator.port());
    EXPECT_EQ(readConfig(second).size(), 17u);
    EXPECT_EQ(first.readToEnd(), "");
    EXPECT_TRUE(first.sawEnd());
}

TEST(Emulator, clientLeavingMidStreamDoesNotStopTheEmulator)
{
    EmulatorProcess emulator({"--rows", "200000"});
    {
        LoopbackClient leaving(emulator.port());
        leaving.send(Download);
        ASSERT_GE(leaving.readBytes(1000).size(), 1000u);
    }
    LoopbackClient next(emulator.port());
    EXPECT_EQ(readConfig(next).size(), 17u);
    EXPECT_TRUE(emulator.running());
}

class StopSignal : public testing::TestWithParam<int>
{
};

TEST_P(StopSignal, endsTheEmulatorCleanlyWhileItSends)
{
    EmulatorProcess emulator({"--rows", "1000000"});
    LoopbackClient client(emulator.port());
    client.send(Download);
    ASSERT_FALSE(client.readBytes(1).empty());
    const std::optional<int> status = emulator.signalAndWait(GetParam(), std::chrono::seconds(10));
    ASSERT_TRUE(status.has_value());
    ASSERT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 0);
}

INSTANTIATE_TEST_SUITE_P(Emulator, StopSignal, testing::Values(SIGTERM, SIGINT), [](const auto& info) {
    return std::string(info.param == SIGTERM ? "term" : "interrupt");
});

} // namespace
