#include "loopbackserver.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

bool waitReadable(int fd, int timeoutMs)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) == 1;
}

} // namespace

LoopbackServer::LoopbackServer(bool listening, int receiveBuffer)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (receiveBuffer > 0)
        ::setsockopt(m_listener, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
    if (listening)
        ::listen(m_listener, 8);
}

LoopbackServer::~LoopbackServer()
{
    for (int peer : m_peers)
        ::close(peer);
    ::close(m_listener);
}

int LoopbackServer::accept(int timeoutMs)
{
    if (!waitReadable(m_listener, timeoutMs))
        return -1;
    const int peer = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (peer >= 0)
        m_peers.push_back(peer);
    return peer;
}

void LoopbackServer::close(int peer, bool reset)
{
    if (reset) {
        const linger abortive{1, 0};
        ::setsockopt(peer, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    }
    ::close(peer);
    m_peers.erase(std::remove(m_peers.begin(), m_peers.end(), peer), m_peers.end());
}

bool LoopbackServer::sendAll(int peer, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(peer, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::string LoopbackServer::receive(int peer, std::size_t count, int timeoutMs)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || !waitReadable(peer, static_cast<int>(left.count())))
            break;
        const ssize_t n = ::recv(peer, buffer, std::min(sizeof buffer, count - bytes.size()), 0);
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

bool LoopbackServer::endedByClient(int peer, int timeoutMs)
{
    char byte;
    return waitReadable(peer, timeoutMs) && ::recv(peer, &byte, 1, MSG_PEEK) == 0;
}

bool LoopbackServer::shrinkClientSendBuffer(int peer)
{
    sockaddr_in client{};
    socklen_t length = sizeof client;
    if (::getpeername(peer, reinterpret_cast<sockaddr*>(&client), &length) != 0)
        return false;
    for (int fd = 0; fd < 1024; ++fd) {
        sockaddr_in local{};
        length = sizeof local;
        if (fd == peer || ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0)
            continue;
        if (local.sin_family != AF_INET || local.sin_port != client.sin_port)
            continue;
        const int size = 4096;
        return ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &size, sizeof size) == 0;
    }
    return false;
}
