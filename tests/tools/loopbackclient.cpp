#include "loopbackclient.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

LoopbackClient::LoopbackClient(uint16_t port)
{
    m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (m_fd >= 0 && ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

LoopbackClient::~LoopbackClient()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool LoopbackClient::send(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

std::string LoopbackClient::readUntil(const std::function<bool(const std::string&)>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + ReadLimit;
    std::string received;
    char buffer[65536];
    while (!done(received) && !m_sawEnd && m_error == 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd entry{m_fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&entry, 1, int(left.count())) <= 0)
            break;
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n < 0)
            m_error = errno;
        if (n == 0)
            m_sawEnd = true;
        if (n > 0)
            received.append(buffer, std::size_t(n));
    }
    return received;
}

std::string LoopbackClient::readBytes(std::size_t count)
{
    return readUntil([count](const std::string& r) { return r.size() >= count; });
}

std::string LoopbackClient::readToEnd()
{
    return readUntil([](const std::string&) { return false; });
}
