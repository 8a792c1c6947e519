#include "link/clientsocket.h"
#include "link/protocol.h"
#include "link/silentabort.h"
#include "link/socketerrors.h"
#include "loopbackserver.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <thread>

namespace
{

constexpr int kTimeoutMs = 5000;

// A client socket with a spy on each of its events.
struct Client {
    explicit Client(const QString& address, int port)
    {
        socket.setAddress(address);
        socket.setPort(port);
    }

    bool open()
    {
        socket.setActive(true);
        return connected.wait(kTimeoutMs);
    }

    ClientSocket socket;
    QSignalSpy connected{&socket, &ClientSocket::connected};
    QSignalSpy disconnected{&socket, &ClientSocket::disconnected};
    QSignalSpy error{&socket, &ClientSocket::error};
};

int errorCode(const QSignalSpy& spy)
{
    return spy.isEmpty() ? 0 : spy.first().first().toInt();
}

} // namespace

TEST(ClientSocket, connectsOnlyThroughTheEventLoop)
{
    LoopbackServer server;
    Client client("127.0.0.1", server.port());
    client.socket.setActive(true);
    EXPECT_FALSE(client.socket.isActive());
    EXPECT_EQ(client.connected.count(), 0);
    ASSERT_TRUE(client.connected.wait(kTimeoutMs));
    EXPECT_TRUE(client.socket.isActive());
    EXPECT_GE(server.accept(kTimeoutMs), 0);
}

TEST(ClientSocket, nothingListeningReportsConnectionRefused)
{
    LoopbackServer closedPort(false);
    Client client("127.0.0.1", closedPort.port());
    client.socket.setActive(true);
    ASSERT_TRUE(client.error.wait(kTimeoutMs));
    EXPECT_EQ(errorCode(client.error), wsa::kConnectionRefused);
    EXPECT_EQ(client.connected.count(), 0);
    EXPECT_EQ(client.disconnected.count(), 0);
    EXPECT_FALSE(client.socket.isActive());
}

TEST(ClientSocket, orderlyCloseByPeerDisconnectsWithoutError)
{
    LoopbackServer server;
    Client client("127.0.0.1", server.port());
    ASSERT_TRUE(client.open());
    server.close(server.accept(kTimeoutMs));
    ASSERT_TRUE(client.disconnected.wait(kTimeoutMs));
    EXPECT_EQ(client.error.count(), 0);
    EXPECT_FALSE(client.socket.isActive());
}

TEST(ClientSocket, resetByPeerReportsConnectionResetWithoutDisconnect)
{
    LoopbackServer server;
    Client client("127.0.0.1", server.port());
    ASSERT_TRUE(client.open());
    server.close(server.accept(kTimeoutMs), true);
    ASSERT_TRUE(client.error.wait(kTimeoutMs));
    EXPECT_EQ(errorCode(client.error), wsa::kConnectionReset);
    EXPECT_EQ(client.disconnected.count(), 0);
    EXPECT_FALSE(client.socket.isActive());
}

TEST(ClientSocket, deactivationDisconnectsBeforeReturning)
{
    LoopbackServer server;
    Client client("127.0.0.1", server.port());
    ASSERT_TRUE(client.open());
    const int peer = server.accept(kTimeoutMs);
    client.socket.setActive(false);
    EXPECT_EQ(client.disconnected.count(), 1);
    EXPECT_FALSE(client.socket.isActive());
    EXPECT_TRUE(LoopbackServer::endedByClient(peer, kTimeoutMs));
    client.socket.setActive(false);
    EXPECT_EQ(client.disconnected.count(), 1);
}

TEST(ClientSocket, secondActivationWhileOpeningLeavesOneConnection)
{
    LoopbackServer server;
    Client client("127.0.0.1", server.port());
    client.socket.setActive(true);
    ASSERT_TRUE(client.open());
    ASSERT_EQ(client.socket.sendBuf("x", 1), 1);

    int live = 0;
    int ended = 0;
    for (int peer = server.accept(kTimeoutMs); peer >= 0; peer = server.accept(live ? 100 : kTimeoutMs)) {
        if (LoopbackServer::receive(peer, 1, kTimeoutMs) == "x")
            ++live;
        else
            ++ended;
    }
    EXPECT_EQ(live, 1);
    EXPECT_LE(ended, 1);
    EXPECT_EQ(client.connected.count(), 1);
    EXPECT_EQ(client.error.count(), 0);
}

TEST(ClientSocket, sendWhileNotConnectedSendsNothing)
{
    LoopbackServer server;
    Client client("127.0.0.1", server.port());
    EXPECT_EQ(client.socket.sendBuf("a", 1), 0);
    client.socket.setActive(true);
    EXPECT_EQ(client.socket.sendBuf("b", 1), 0);
    ASSERT_TRUE(client.connected.wait(kTimeoutMs));
    const std::uint8_t request = protocol::kRequestCodes[protocol::DownloadData];
    EXPECT_EQ(client.socket.sendBuf(&request, 1), 1);
    EXPECT_EQ(LoopbackServer::receive(server.accept(kTimeoutMs), 1, kTimeoutMs), "\xE0");
    EXPECT_EQ(client.error.count(), 0);
}

TEST(ClientSocket, arrivingBytesAreReadInEventsOfAtMostOneBuffer)
{
    LoopbackServer server;
    Client client("127.0.0.1", server.port());
    ASSERT_TRUE(client.open());
    const int peer = server.accept(kTimeoutMs);

    std::string stream(300000, '\0');
    for (std::size_t i = 0; i < stream.size(); ++i)
        stream[i] = char('a' + i % 26);
    std::string received;
    int events = 0;
    QObject::connect(&client.socket, &ClientSocket::readyRead, [&] {
        std::vector<char> buffer(protocol::kReceiveBufferSize);
        const int n = client.socket.receiveBuf(buffer.data(), static_cast<int>(buffer.size()));
        received.append(buffer.data(), static_cast<std::size_t>(std::max(n, 0)));
        ++events;
    });
    std::thread sender([&] {
        LoopbackServer::sendAll(peer, stream);
        ::shutdown(peer, SHUT_WR);
    });
    const bool ended = client.disconnected.wait(kTimeoutMs);
    sender.join();
    ASSERT_TRUE(ended);
    EXPECT_EQ(received, stream);
    EXPECT_GE(events, int(stream.size() / protocol::kReceiveBufferSize));
    EXPECT_EQ(client.error.count(), 0);
}

TEST(ClientSocket, sendToPeerThatDoesNotReadKeepsEveryByte)
{
    LoopbackServer server(true, 4096);
    Client client("127.0.0.1", server.port());
    ASSERT_TRUE(client.open());
    const int peer = server.accept(kTimeoutMs);
    ASSERT_TRUE(LoopbackServer::shrinkClientSendBuffer(peer));

    std::string sent;
    for (int i = 0; sent.size() < 512u << 10; ++i) {
        const std::string piece(1000, char('0' + i % 10));
        ASSERT_EQ(client.socket.sendBuf(piece.data(), int(piece.size())), int(piece.size())) << sent.size();
        sent += piece;
    }
    std::string received;
    QEventLoop loop;
    std::thread reader([&] {
        received = LoopbackServer::receive(peer, sent.size(), kTimeoutMs);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QTimer::singleShot(2 * kTimeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    reader.join();
    EXPECT_EQ(received.size(), sent.size());
    EXPECT_TRUE(received == sent);
    EXPECT_EQ(client.error.count(), 0);
}

class NotAnAddress : public testing::TestWithParam<const char*>
{
};

TEST_P(NotAnAddress, isReportedAsAddressNotAvailable)
{
    Client client(QString::fromUtf8(GetParam()), protocol::kModulePort);
    client.socket.setActive(true);
    EXPECT_EQ(client.error.count(), 0);
    ASSERT_TRUE(client.error.wait(kTimeoutMs));
    EXPECT_EQ(errorCode(client.error), wsa::kAddressNotAvailable);
    EXPECT_EQ(client.connected.count(), 0);
    EXPECT_FALSE(client.socket.isActive());
}

INSTANTIATE_TEST_SUITE_P(ClientSocket, NotAnAddress,
                         testing::Values("", "localhost", "1.2.3", "256.0.0.1", "127.0.0.1 ", "::1",
                                         "127.0.0.ž"));

TEST(ClientSocket, handlerCanEndAnEventSilently)
{
    LoopbackServer closedPort(false);
    Client client("127.0.0.1", closedPort.port());
    QObject::connect(&client.socket, &ClientSocket::error, [] { silentAbort(); });
    client.socket.setActive(true);
    ASSERT_TRUE(client.error.wait(kTimeoutMs));
    LoopbackServer server;
    client.socket.setPort(server.port());
    EXPECT_TRUE(client.open());
}
