#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// A plain blocking TCP client on 127.0.0.1 whose reads all have a time limit,
// so that a test fails instead of hanging when the emulator keeps quiet.
class LoopbackClient
{
  public:
    static constexpr std::chrono::milliseconds ReadLimit{10000};

    explicit LoopbackClient(uint16_t port);
    ~LoopbackClient();
    LoopbackClient(const LoopbackClient&) = delete;
    LoopbackClient& operator=(const LoopbackClient&) = delete;

    bool connected() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    bool send(std::string_view bytes);

    // Reads until done(received) holds, the connection ends or the time limit
    // passes; returns everything received so far in this call.
    std::string readUntil(const std::function<bool(const std::string&)>& done);
    std::string readBytes(std::size_t count);
    std::string readToEnd();

    bool sawEnd() const { return m_sawEnd; }  // orderly end (FIN) seen
    int readError() const { return m_error; } // errno of a failed read, 0 if none

  private:
    int m_fd = -1;
    bool m_sawEnd = false;
    int m_error = 0;
};
