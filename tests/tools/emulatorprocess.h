#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

// The emulator executable started as a child process on 127.0.0.1 with a port
// the system picks. The child is killed when this object goes, whatever the
// test did.
class EmulatorProcess
{
  public:
    explicit EmulatorProcess(const std::vector<std::string>& arguments = {});
    ~EmulatorProcess();
    EmulatorProcess(const EmulatorProcess&) = delete;
    EmulatorProcess& operator=(const EmulatorProcess&) = delete;

    // 0 when the emulator did not report its port in time.
    uint16_t port() const { return m_port; }
    bool running();
    // Sends the signal and waits for the exit; the wait status, or nothing on time-out.
    std::optional<int> signalAndWait(int signal, std::chrono::milliseconds limit);

  private:
    void readPort(int stdoutFd, std::chrono::milliseconds limit);

    pid_t m_pid = -1;
    uint16_t m_port = 0;
};
