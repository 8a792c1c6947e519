#include "childprocess.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{

std::runtime_error failure(const std::vector<std::string>& command, const std::string& why)
{
    return std::runtime_error(command.front() + ": " + why);
}

std::string readAll(int fd)
{
    std::string out;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) {
            out.append(buffer, std::size_t(got));
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        return out;
    }
}

pid_t spawnWithPipe(const std::vector<std::string>& command, int writeEnd)
{
    std::vector<char*> argv;
    for (const std::string& arg : command)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, writeEnd, STDOUT_FILENO);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        throw failure(command, std::strerror(rc));
    return pid;
}

} // namespace

std::string runAndCapture(const std::vector<std::string>& command)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw failure(command, std::strerror(errno));
    pid_t pid;
    try {
        pid = spawnWithPipe(command, fds[1]);
    } catch (...) {
        close(fds[0]);
        close(fds[1]);
        throw;
    }
    close(fds[1]);
    std::string out = readAll(fds[0]);
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw failure(command, "did not exit with 0");
    return out;
}

std::string selfExecutable()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        throw std::runtime_error("cannot find the running executable");
    return std::string(path, std::size_t(length));
}

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}
