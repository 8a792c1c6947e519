#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A TCP server on 127.0.0.1 at a port the system picks, for the socket
// tests to talk to. Without listening it is a port where connections are
// refused, held so that nobody else takes it. A receive buffer size above 0
// makes its connections slow to take bytes.
class LoopbackServer
{
  public:
    explicit LoopbackServer(bool listening = true, int receiveBuffer = 0);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    int port() const { return m_port; }

    // The next connection, or -1 when none comes within the time.
    int accept(int timeoutMs);
    // Closes an accepted connection, with a reset instead of an orderly close.
    void close(int peer, bool reset = false);

    static bool sendAll(int peer, const std::string& bytes);
    // Up to count bytes, as many as arrive before the time is up or the
    // connection ends.
    static std::string receive(int peer, std::size_t count, int timeoutMs);
    // True when the connection was ended by the other side.
    static bool endedByClient(int peer, int timeoutMs);
    // Shrinks the send buffer of this process's own end of the connection,
    // so that a client's sends block soon when the peer does not read.
    static bool shrinkClientSendBuffer(int peer);

  private:
    int m_listener = -1;
    int m_port = 0;
    std::vector<int> m_peers;
};
