#pragma once

#include "connection.h"
#include "modulesettings.h"
#include "options.h"
#include "readinglog.h"

#include <memory>

namespace emulator
{

// The listening socket and the poll loop. One client at a time: a new
// connection replaces the current one, which is closed.
class Server
{
  public:
    Server(const Options& options, ModuleSettings& settings, const ReadingLog& log);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Binds and listens; prints "listening ADDRESS:PORT" on stdout. False on failure.
    bool listen();
    // Runs until SIGTERM or SIGINT.
    void run();

  private:
    void setListenOptions();
    void accept();
    int pollTimeout() const;

    const Options& m_options;
    ModuleSettings& m_settings;
    const ReadingLog& m_log;
    int m_listenFd = -1;
    std::unique_ptr<Connection> m_client;
};

} // namespace emulator
