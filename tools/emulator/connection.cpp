#include "connection.h"

#include "eventlog.h"

#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace emulator
{

namespace
{

constexpr auto ResetPoll = std::chrono::milliseconds(1);
// How long a reset waits for the client to take the bytes sent before it.
constexpr auto ResetPatience = std::chrono::seconds(2);

#ifdef POLLRDHUP
constexpr short PeerHangUp = POLLHUP | POLLRDHUP;
#else
constexpr short PeerHangUp = POLLHUP;
#endif

} // namespace

Connection::Connection(int fd, std::string peer, const Options& options, ModuleSettings& settings,
                       const ReadingLog& log)
    : m_fd(fd), m_peer(std::move(peer)), m_options(options), m_settings(settings), m_log(log),
      m_outbox(options.chunk, std::chrono::milliseconds(options.pauseMs))
{
    logLine("client " + m_peer + " connected");
}

Connection::~Connection()
{
    if (m_fd >= 0)
        close("dropped");
}

void Connection::fillPoll(pollfd& entry, Clock::time_point now) const
{
    entry.fd = m_fd;
    entry.events = 0;
    const bool sending = m_state == State::Open || m_state == State::InputClosed;
    if (sending && m_outbox.hasWork() && !m_outbox.paused(now))
        entry.events |= POLLOUT;
    if (m_state == State::Closing || (m_state == State::Open && m_options.fault != Fault::NoRead))
        entry.events |= POLLIN;
    if (m_state == State::Open && m_options.fault == Fault::NoRead)
        entry.events |= PeerHangUp;
}

std::optional<Connection::Clock::time_point> Connection::wakeup() const
{
    if (m_state == State::Resetting)
        return Clock::now() + ResetPoll;
    if (m_outbox.hasWork() && m_outbox.resumeAt() > Clock::now())
        return m_outbox.resumeAt();
    return std::nullopt;
}

void Connection::handle(short revents, Clock::time_point now)
{
    if (revents & (POLLERR | POLLNVAL)) {
        close("failed");
        return;
    }
    if (m_options.fault == Fault::NoRead && (revents & PeerHangUp)) {
        close("went away");
        return;
    }
    if (revents & (POLLIN | POLLHUP))
        readInput();
    if (m_state == State::Open || m_state == State::InputClosed)
        sendAnswers(now);
    if (m_state == State::Resetting)
        resetWhenDelivered(now);
}

void Connection::readInput()
{
    uint8_t bytes[4096];
    const ssize_t n = ::recv(m_fd, bytes, sizeof bytes, 0);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))
        return;
    if (n < 0) {
        close("failed");
        return;
    }
    if (n == 0) {
        if (m_state == State::Closing)
            close("closed");
        else
            m_state = State::InputClosed;
        return;
    }
    if (m_state != State::Open)
        return;
    std::vector<Request> requests;
    for (ssize_t i = 0; i < n; ++i)
        m_parser.feed(bytes[i], requests);
    for (const Request& request : requests)
        answer(request);
}

void Connection::answer(const Request& request)
{
    switch (request.kind) {
    case Request::Kind::Download:
        logRequest(DownloadCode);
        if (answering())
            m_outbox.push(
                DataStream(m_log, m_options.fault, m_options.cutAfter.value_or(m_log.rowCount() / 2)));
        return;
    case Request::Kind::ReadConfig:
        logRequest(ReadConfigCode);
        if (answering())
            m_outbox.push(configReply());
        return;
    case Request::Kind::WriteSettings:
        logLine("request 0xE6: " + ModuleSettings::describe(request.record));
        m_settings.apply(request.record);
        return;
    case Request::Kind::BrokenFrame:
        logLine("request 0xE6 dropped: " + hexByte(request.byte) + " where 0xE7 should end it");
        return;
    case Request::Kind::Unknown:
        logLine("ignored byte " + hexByte(request.byte));
        return;
    }
}

bool Connection::answering() const
{
    return m_options.fault != Fault::Silent;
}

void Connection::logRequest(uint8_t code) const
{
    logLine("request " + hexByte(code) + (answering() ? "" : " (silent: not answered)"));
}

std::string Connection::configReply() const
{
    const ModuleSettings::Record record = m_settings.record();
    return std::string(1, char(ConfigReplyMarker)) + std::string(record.begin(), record.end());
}

void Connection::sendAnswers(Clock::time_point now)
{
    const Outbox::Progress progress = m_outbox.send(m_fd, now);
    if (progress.failed) {
        close("went away while being answered");
        return;
    }
    if (progress.end) {
        finish(*progress.end, now);
        return;
    }
    if (m_state == State::InputClosed && !m_outbox.hasWork())
        close("closed");
}

void Connection::finish(EndAction action, Clock::time_point now)
{
    if (action == EndAction::Reset) {
        m_state = State::Resetting;
        m_resetDeadline = now + ResetPatience;
        return;
    }
    if (m_state == State::InputClosed) {
        close("closed mid-row");
        return;
    }
    ::shutdown(m_fd, SHUT_WR);
    m_state = State::Closing;
    logLine("client " + m_peer + ": stream cut mid-row, connection shut down");
}

void Connection::resetWhenDelivered(Clock::time_point now)
{
    int unsent = 0;
#ifdef TIOCOUTQ
    if (::ioctl(m_fd, TIOCOUTQ, &unsent) < 0)
        unsent = 0;
#endif
    if (unsent > 0 && now < m_resetDeadline)
        return;
    close("reset mid-row", true);
}

void Connection::close(const char* why, bool reset)
{
    if (reset) {
        const linger abortive{1, 0};
        ::setsockopt(m_fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    }
    ::close(m_fd);
    m_fd = -1;
    m_state = State::Closed;
    logLine("client " + m_peer + " " + why);
}

} // namespace emulator
