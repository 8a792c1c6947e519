#pragma once

#include "datastream.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <variant>

namespace emulator
{

// The answers waiting for one client, in the order of its requests, and the
// pacing of --chunk. Streams are turned into bytes a block at a time.
class Outbox
{
  public:
    using Clock = std::chrono::steady_clock;

    Outbox(std::size_t chunk, std::chrono::milliseconds pause);

    void push(std::string bytes);
    void push(DataStream stream);

    // True while there is something to send, or an end action still to report.
    bool hasWork() const;
    bool paused(Clock::time_point now) const { return m_chunk > 0 && now < m_resumeAt; }
    Clock::time_point resumeAt() const { return m_resumeAt; }

    struct Progress {
        bool failed = false;
        std::optional<EndAction> end; // a stream that asks to close or reset is out
    };
    // Writes what the socket takes now without blocking.
    Progress send(int fd, Clock::time_point now);

  private:
    bool refill();

    std::size_t m_chunk;
    std::chrono::milliseconds m_pause;
    Clock::time_point m_resumeAt{};
    std::deque<std::variant<std::string, DataStream>> m_queue;
    std::string m_buffer;
    std::size_t m_sent = 0;
    std::optional<EndAction> m_end;
};

} // namespace emulator
