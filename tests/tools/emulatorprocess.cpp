#include "emulatorprocess.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace
{

constexpr auto StartLimit = std::chrono::seconds(10);

std::vector<std::string> commandLine(const std::vector<std::string>& arguments)
{
    std::vector<std::string> all = {KESTROVA_EMULATOR, "--listen", "127.0.0.1", "--port", "0"};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return all;
}

// Runs in the forked child: only async-signal-safe calls from here on.
[[noreturn]] void execEmulator(char* const* argv, int stdoutFd)
{
#ifdef __linux__
    ::prctl(PR_SET_PDEATHSIG, SIGKILL); // no orphan if the test process dies
#endif
    ::dup2(stdoutFd, STDOUT_FILENO);
    ::execv(argv[0], argv);
    ::_exit(127);
}

} // namespace

EmulatorProcess::EmulatorProcess(const std::vector<std::string>& arguments)
{
    std::vector<std::string> all = commandLine(arguments);
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) < 0)
        return;
    m_pid = ::fork();
    if (m_pid == 0) {
        ::close(out[0]);
        execEmulator(argv.data(), out[1]);
    }
    ::close(out[1]);
    if (m_pid > 0)
        readPort(out[0], StartLimit);
    ::close(out[0]);
}

EmulatorProcess::~EmulatorProcess()
{
    if (m_pid <= 0)
        return;
    // SIGTERM first lets the emulator log how its connection ended.
    if (signalAndWait(SIGTERM, std::chrono::seconds(2)))
        return;
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
}

// The first line on the emulator's stdout is "listening 127.0.0.1:PORT".
void EmulatorProcess::readPort(int fd, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::string line;
    while (line.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd entry{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&entry, 1, int(left.count())) <= 0)
            return;
        char buffer[128];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return;
        line.append(buffer, std::size_t(n));
    }
    const std::string prefix = "listening 127.0.0.1:";
    if (line.rfind(prefix, 0) == 0)
        m_port = uint16_t(std::atoi(line.c_str() + prefix.size()));
}

bool EmulatorProcess::running()
{
    return m_pid > 0 && ::waitpid(m_pid, nullptr, WNOHANG) == 0;
}

std::optional<int> EmulatorProcess::signalAndWait(int signal, std::chrono::milliseconds limit)
{
    if (m_pid <= 0)
        return std::nullopt;
    ::kill(m_pid, signal);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return status;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return std::nullopt;
}
