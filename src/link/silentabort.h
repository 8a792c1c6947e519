#pragma once

// Thrown by a handler of a socket event to end that event's processing
// without any message; the socket adapter drops it where it emitted the event.
class SilentAbort
{
};

// Ends the running socket event handler silently.
[[noreturn]] inline void silentAbort()
{
    throw SilentAbort{};
}
