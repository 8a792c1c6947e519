#include "link/clientsocket.h"

#include "link/silentabort.h"
#include "link/socketerrors.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstdint>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

bool wouldBlock(int err)
{
    return err == EAGAIN || err == EWOULDBLOCK || err == EINTR;
}

} // namespace

template <typename Emit> void ClientSocket::deliver(Emit emitSignal)
{
    try {
        emitSignal();
    } catch (const SilentAbort&) {
        // The handler ended the event on purpose; nothing more to report.
    }
}

ClientSocket::ClientSocket(QObject* parent) : QObject(parent)
{
    m_readNotifier.setEnabled(false);
    m_writeNotifier.setEnabled(false);
    connect(&m_readNotifier, &QSocketNotifier::activated, this, &ClientSocket::onReadable);
    connect(&m_writeNotifier, &QSocketNotifier::activated, this, &ClientSocket::onWritable);
}

ClientSocket::~ClientSocket()
{
    closeSocket();
}

void ClientSocket::setAddress(const QString& address)
{
    m_address = address;
}

void ClientSocket::setPort(int port)
{
    m_port = port;
}

void ClientSocket::setActive(bool active)
{
    if (active) {
        if (m_state == State::Open)
            return;
        closeSocket();
        open();
        return;
    }
    const bool wasOpen = m_state == State::Open;
    closeSocket();
    if (wasOpen)
        deliver([this] { emit disconnected(); });
}

// No name lookup: the address must be a dotted IPv4 literal.
void ClientSocket::open()
{
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    const QByteArray text = m_address.toLatin1();
    const bool literal =
        !m_address.contains(QChar(0)) && inet_pton(AF_INET, text.constData(), &peer.sin_addr) == 1;
    if (!literal || m_port < 1 || m_port > 65535) {
        failLater(wsa::kAddressNotAvailable);
        return;
    }
    peer.sin_port = htons(static_cast<std::uint16_t>(m_port));
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0) {
        failLater(wsa::fromErrno(errno));
        return;
    }
    if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0 && errno != EINPROGRESS) {
        failLater(wsa::fromErrno(errno));
        return;
    }
    // Also an immediate success is reported from the event loop, so that
    // setActive(true) never delivers an event before it returns.
    m_state = State::Opening;
    m_readNotifier.setSocket(m_fd);
    m_writeNotifier.setSocket(m_fd);
    m_writeNotifier.setEnabled(true);
}

void ClientSocket::closeSocket()
{
    m_readNotifier.setEnabled(false);
    m_writeNotifier.setEnabled(false);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_state = State::Closed;
    m_pending.clear();
}

void ClientSocket::fail(int wsaCode)
{
    closeSocket();
    deliver([this, wsaCode] { emit error(wsaCode); });
}

// For failures found inside a call of the program's own: the error event
// comes afterwards, like every other socket event.
void ClientSocket::failLater(int wsaCode)
{
    closeSocket();
    QMetaObject::invokeMethod(
        this, [this, wsaCode] { deliver([this, wsaCode] { emit error(wsaCode); }); }, Qt::QueuedConnection);
}

void ClientSocket::onReadable()
{
    if (m_state != State::Open)
        return;
    char probe = 0;
    const ssize_t peeked = ::recv(m_fd, &probe, 1, MSG_PEEK);
    if (peeked > 0) {
        m_receiveCalled = false;
        deliver([this] { emit readyRead(); });
        // As with Windows Sockets, the next read event waits for a receive.
        if (!m_receiveCalled && m_state == State::Open)
            m_readNotifier.setEnabled(false);
        return;
    }
    if (peeked == 0) {
        closeSocket();
        deliver([this] { emit disconnected(); });
        return;
    }
    if (!wouldBlock(errno))
        fail(wsa::fromErrno(errno));
}

void ClientSocket::onWritable()
{
    if (m_state == State::Closed)
        return;
    if (m_state == State::Opening)
        finishOpening();
    else
        flushPending();
}

void ClientSocket::finishOpening()
{
    int err = 0;
    socklen_t length = sizeof err;
    if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &err, &length) != 0)
        err = errno;
    if (err != 0) {
        fail(wsa::fromErrno(err));
        return;
    }
    m_state = State::Open;
    m_writeNotifier.setEnabled(false);
    m_readNotifier.setEnabled(true);
    deliver([this] { emit connected(); });
}

void ClientSocket::flushPending()
{
    const ssize_t sent = ::send(m_fd, m_pending.data(), m_pending.size(), MSG_NOSIGNAL);
    if (sent < 0) {
        if (!wouldBlock(errno))
            fail(wsa::fromErrno(errno));
        return;
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + sent);
    if (m_pending.empty())
        m_writeNotifier.setEnabled(false);
}

int ClientSocket::sendBuf(const void* data, int count)
{
    if (m_state != State::Open || data == nullptr || count <= 0)
        return 0;
    const char* bytes = static_cast<const char*>(data);
    ssize_t sent = 0;
    if (m_pending.empty()) {
        sent = ::send(m_fd, bytes, static_cast<std::size_t>(count), MSG_NOSIGNAL);
        if (sent < 0 && !wouldBlock(errno)) {
            failLater(wsa::fromErrno(errno));
            return -1;
        }
        sent = std::max<ssize_t>(sent, 0);
    }
    if (!queuePending(bytes + sent, static_cast<std::size_t>(count - sent)))
        return -1;
    return count;
}

// A peer that does not read makes the send block; the rest waits here for
// the write notifier rather than being dropped.
bool ClientSocket::queuePending(const char* data, std::size_t count)
{
    if (count == 0)
        return true;
    if (m_pending.size() + count > kMaxPendingBytes) {
        failLater(wsa::kNoBufferSpace);
        return false;
    }
    m_pending.insert(m_pending.end(), data, data + count);
    m_writeNotifier.setEnabled(true);
    return true;
}

int ClientSocket::receiveBuf(void* buffer, int count)
{
    if (m_state != State::Open || buffer == nullptr || count <= 0)
        return 0;
    m_receiveCalled = true;
    m_readNotifier.setEnabled(true);
    const ssize_t received = ::recv(m_fd, buffer, static_cast<std::size_t>(count), 0);
    if (received >= 0)
        return static_cast<int>(received);
    if (wouldBlock(errno))
        return 0;
    failLater(wsa::fromErrno(errno));
    return -1;
}
