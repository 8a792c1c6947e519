#include "outbox.h"

#include <cerrno>
#include <sys/socket.h>

namespace emulator
{

namespace
{

constexpr std::size_t BlockSize = 64 * 1024;

} // namespace

Outbox::Outbox(std::size_t chunk, std::chrono::milliseconds pause) : m_chunk(chunk), m_pause(pause) {}

void Outbox::push(std::string bytes)
{
    m_queue.emplace_back(std::move(bytes));
}

void Outbox::push(DataStream stream)
{
    m_queue.emplace_back(std::move(stream));
}

bool Outbox::hasWork() const
{
    return m_sent < m_buffer.size() || !m_queue.empty() || m_end;
}

// Makes sure the buffer holds unsent bytes, if any are left before an end action.
bool Outbox::refill()
{
    if (m_sent < m_buffer.size())
        return true;
    m_buffer.clear();
    m_sent = 0;
    while (m_buffer.empty() && !m_queue.empty() && !m_end) {
        if (auto* bytes = std::get_if<std::string>(&m_queue.front())) {
            m_buffer = std::move(*bytes);
            m_queue.pop_front();
            continue;
        }
        auto& stream = std::get<DataStream>(m_queue.front());
        stream.fill(m_buffer, BlockSize);
        if (!stream.finished())
            continue;
        if (stream.endAction() != EndAction::KeepOpen)
            m_end = stream.endAction();
        m_queue.pop_front();
    }
    return !m_buffer.empty();
}

Outbox::Progress Outbox::send(int fd, Clock::time_point now)
{
    while (!paused(now)) {
        if (!refill())
            return {false, m_end};
        std::size_t count = m_buffer.size() - m_sent;
        if (m_chunk > 0 && count > m_chunk)
            count = m_chunk;
        const ssize_t written = ::send(fd, m_buffer.data() + m_sent, count, MSG_NOSIGNAL);
        if (written < 0)
            return {errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR, std::nullopt};
        m_sent += std::size_t(written);
        if (m_chunk > 0)
            m_resumeAt = now + m_pause;
    }
    return {};
}

} // namespace emulator
