#pragma once

#include "modulesettings.h"
#include "options.h"
#include "outbox.h"
#include "readinglog.h"
#include "requestparser.h"

#include <chrono>
#include <optional>
#include <string>

struct pollfd;

namespace emulator
{

// One client: reads its requests, answers them, and ends the connection as
// the client or a fault switch asks.
class Connection
{
  public:
    using Clock = std::chrono::steady_clock;

    Connection(int fd, std::string peer, const Options& options, ModuleSettings& settings,
               const ReadingLog& log);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void fillPoll(pollfd& entry, Clock::time_point now) const;
    std::optional<Clock::time_point> wakeup() const;
    // Called with the poll result, or with 0 when a wake-up time has come.
    void handle(short revents, Clock::time_point now);
    bool closed() const { return m_state == State::Closed; }

  private:
    enum class State {
        Open,
        InputClosed, // the client sent its last byte: finish the answers, then close
        Closing,     // our side is shut down: wait for the client's end
        Resetting,   // wait until the client has the bytes, then reset
        Closed,
    };

    void readInput();
    void answer(const Request& request);
    bool answering() const;
    void logRequest(uint8_t code) const;
    std::string configReply() const;
    void sendAnswers(Clock::time_point now);
    void finish(EndAction action, Clock::time_point now);
    void resetWhenDelivered(Clock::time_point now);
    void close(const char* why, bool reset = false);

    int m_fd;
    std::string m_peer;
    const Options& m_options;
    ModuleSettings& m_settings;
    const ReadingLog& m_log;
    RequestParser m_parser;
    Outbox m_outbox;
    State m_state = State::Open;
    Clock::time_point m_resetDeadline{};
};

} // namespace emulator
