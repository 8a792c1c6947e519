#pragma once

#include "modulesettings.h"

#include <cstdint>
#include <vector>

namespace emulator
{

constexpr uint8_t DownloadCode = 0xE0;
constexpr uint8_t ReadConfigCode = 0xE5;
constexpr uint8_t WriteStartCode = 0xE6;
constexpr uint8_t WriteEndCode = 0xE7;
constexpr uint8_t ConfigReplyMarker = 0xE9;

struct Request {
    enum class Kind { Download, ReadConfig, WriteSettings, Unknown, BrokenFrame };
    Kind kind = Kind::Unknown;
    uint8_t byte = 0; // the byte that was not understood
    ModuleSettings::Record record{};
};

// Cuts the bytes from the client into requests, however the reads split them:
// a write frame may arrive one byte at a time, and its 16 record bytes are
// data even when they equal a request code (a limit of -32 travels as 0xE0).
class RequestParser
{
  public:
    void feed(uint8_t byte, std::vector<Request>& requests);

  private:
    void feedIdle(uint8_t byte, std::vector<Request>& requests);

    enum class State { Idle, Record, End };
    State m_state = State::Idle;
    ModuleSettings::Record m_record{};
    std::size_t m_filled = 0;
};

} // namespace emulator
