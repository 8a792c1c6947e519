#pragma once

namespace emulator
{

// SIGTERM and SIGINT end the poll loop through a self-pipe, so a signal that
// arrives just before poll() is not lost. SIGPIPE is ignored.
class StopSignal
{
  public:
    static bool install();
    static int fd();
    static bool raised();
};

} // namespace emulator
