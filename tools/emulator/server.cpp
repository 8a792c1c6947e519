#include "server.h"

#include "eventlog.h"
#include "stopsignal.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace emulator
{

namespace
{

// Small enough that a client writing to a --fault no-read emulator soon blocks.
constexpr int NoReadReceiveBuffer = 4096;

void setNonBlocking(int fd)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

std::string describe(const sockaddr_in& address)
{
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
    return std::string(text) + ":" + std::to_string(ntohs(address.sin_port));
}

bool failed(const char* what)
{
    logLine(std::string(what) + ": " + std::strerror(errno));
    return false;
}

} // namespace

Server::Server(const Options& options, ModuleSettings& settings, const ReadingLog& log)
    : m_options(options), m_settings(settings), m_log(log)
{
}

Server::~Server()
{
    m_client.reset();
    if (m_listenFd >= 0)
        ::close(m_listenFd);
}

bool Server::listen()
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(m_options.port);
    if (::inet_pton(AF_INET, m_options.listenAddress.c_str(), &address.sin_addr) != 1) {
        logLine("not an IPv4 address: " + m_options.listenAddress);
        return false;
    }
    m_listenFd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (m_listenFd < 0)
        return failed("socket");
    setListenOptions();
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0)
        return failed("bind");
    if (::listen(m_listenFd, 4) < 0)
        return failed("listen");
    setNonBlocking(m_listenFd);
    socklen_t length = sizeof address;
    ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length);
    std::printf("listening %s\n", describe(address).c_str());
    std::fflush(stdout);
    return true;
}

void Server::setListenOptions()
{
    const int on = 1;
    ::setsockopt(m_listenFd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    // Set before listen() so that accepted sockets inherit it.
    if (m_options.fault == Fault::NoRead)
        ::setsockopt(m_listenFd, SOL_SOCKET, SO_RCVBUF, &NoReadReceiveBuffer, sizeof NoReadReceiveBuffer);
}

void Server::accept()
{
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    const int fd = ::accept(m_listenFd, reinterpret_cast<sockaddr*>(&peer), &length);
    if (fd < 0)
        return;
    setNonBlocking(fd);
    const int on = 1;
    // Chunks are meant to travel as separate segments, not be merged by Nagle's algorithm.
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    if (m_client)
        logLine("new connection replaces the current client");
    m_client.reset();
    m_client = std::make_unique<Connection>(fd, describe(peer), m_options, m_settings, m_log);
}

int Server::pollTimeout() const
{
    const auto wakeup = m_client ? m_client->wakeup() : std::nullopt;
    if (!wakeup)
        return -1;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(*wakeup - Connection::Clock::now());
    return wait.count() < 0 ? 0 : int(wait.count());
}

void Server::run()
{
    while (!StopSignal::raised()) {
        pollfd fds[3] = {{StopSignal::fd(), POLLIN, 0}, {m_listenFd, POLLIN, 0}, {-1, 0, 0}};
        if (m_client)
            m_client->fillPoll(fds[2], Connection::Clock::now());
        if (::poll(fds, 3, pollTimeout()) < 0 && errno != EINTR) {
            failed("poll");
            return;
        }
        if (fds[1].revents & POLLIN)
            accept();
        else if (m_client)
            m_client->handle(fds[2].revents, Connection::Clock::now());
        if (m_client && m_client->closed())
            m_client.reset();
    }
    logLine("stopping");
}

} // namespace emulator
