#include "emulatorprocess.h"
#include "loopbackclient.h"
#include "streamtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/socket.h>

namespace
{

const std::string Download = "\xE0";
const std::string ReadConfig = "\xE5";
constexpr std::size_t TenMiB = 10 * 1024 * 1024;

std::size_t count(const std::string& text, char c)
{
    return std::size_t(std::count(text.begin(), text.end(), c));
}

struct CutCase {
    const char* fault;
    bool reset;
};

void PrintTo(const CutCase& c, std::ostream* os)
{
    *os << c.fault;
}

class CutMidRow : public testing::TestWithParam<CutCase>
{
};

TEST_P(CutMidRow, streamStopsInsideARowAfterTheCompleteRows)
{
    EmulatorProcess emulator({"--rows", "10", "--cut-after", "4", "--fault", GetParam().fault});
    LoopbackClient client(emulator.port());
    client.send(Download);
    const std::string received = client.readToEnd();
    EXPECT_EQ(count(received, '\n'), 4u);
    EXPECT_FALSE(endsWith(received, "\n"));
    EXPECT_GT(received.size() - (received.rfind('\n') + 1), 0u);
    if (GetParam().reset)
        EXPECT_EQ(client.readError(), ECONNRESET);
    else
        EXPECT_TRUE(client.sawEnd());
}

INSTANTIATE_TEST_SUITE_P(Emulator, CutMidRow,
                         testing::Values(CutCase{"close-mid-row", false}, CutCase{"reset-mid-row", true}),
                         [](const auto& info) { return std::string(info.param.reset ? "reset" : "close"); });

TEST(Emulator, longRowIsTenMebibytesWithoutLineFeed)
{
    EmulatorProcess emulator({"--fault", "long-row"});
    LoopbackClient client(emulator.port());
    client.send(Download);
    const std::string row = client.readBytes(TenMiB);
    ASSERT_EQ(row.size(), TenMiB);
    EXPECT_EQ(row.find('\n'), std::string::npos);
    client.send(ReadConfig);
    const std::string reply = client.readBytes(17);
    ASSERT_EQ(reply.size(), 17u);
    EXPECT_EQ(uint8_t(reply[0]), 0xE9);
}

TEST(Emulator, manySeparatorsRowComesBeforeTheNormalRows)
{
    EmulatorProcess emulator({"--rows", "3", "--fault", "many-separators"});
    LoopbackClient client(emulator.port());
    client.send(Download);
    const std::vector<std::string> lines =
        linesOf(client.readUntil([](const std::string& r) { return endsWith(r, ";\n\n"); }), "\n");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], std::string(1'000'000, ';'));
    EXPECT_EQ(count(lines[1], ';'), 10u);
    EXPECT_EQ(lines[4], "");
}

TEST(Emulator, e9FirstPutsTheMarkerBeforeTheStream)
{
    EmulatorProcess emulator({"--rows", "3", "--fault", "e9-first"});
    LoopbackClient client(emulator.port());
    client.send(Download);
    const std::string stream = client.readUntil([](const std::string& r) { return endsWith(r, "\n\n"); });
    ASSERT_FALSE(stream.empty());
    EXPECT_EQ(uint8_t(stream[0]), 0xE9);
    EXPECT_EQ(count(stream, '\n'), 4u);
}

TEST(Emulator, silentEmulatorAnswersNothingAndClosesAfterTheClient)
{
    EmulatorProcess emulator({"--fault", "silent"});
    LoopbackClient client(emulator.port());
    client.send(Download + ReadConfig);
    ::shutdown(client.fd(), SHUT_WR);
    EXPECT_EQ(client.readToEnd(), "");
    EXPECT_TRUE(client.sawEnd());
}

TEST(Emulator, noReadEmulatorLetsTheClientSendsBackUp)
{
    EmulatorProcess emulator({"--fault", "no-read"});
    LoopbackClient client(emulator.port());
    ::fcntl(client.fd(), F_SETFL, ::fcntl(client.fd(), F_GETFL) | O_NONBLOCK);
    const std::string block(65536, char(0xE5));
    std::size_t sent = 0;
    ssize_t n = 0;
    while (sent < 256u * 1024 * 1024 &&
           (n = ::send(client.fd(), block.data(), block.size(), MSG_NOSIGNAL)) > 0)
        sent += std::size_t(n);
    EXPECT_EQ(n, -1);
    EXPECT_TRUE(errno == EAGAIN || errno == EWOULDBLOCK);
}

} // namespace
