#include "stopsignal.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace emulator
{

namespace
{

int pipeFds[2] = {-1, -1};
volatile std::sig_atomic_t stopRequested = 0;

extern "C" void onStop(int)
{
    stopRequested = 1;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], &byte, 1);
}

} // namespace

bool StopSignal::install()
{
    if (::pipe(pipeFds) < 0)
        return false;
    for (int fd : pipeFds) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction action = {};
    action.sa_handler = onStop;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return true;
}

int StopSignal::fd()
{
    return pipeFds[0];
}

bool StopSignal::raised()
{
    return stopRequested != 0;
}

} // namespace emulator
