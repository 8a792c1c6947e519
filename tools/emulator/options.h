#pragma once

#include "civiltime.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace emulator
{

// Deliberate misbehaviour, for the client's fault tests.
enum class Fault {
    None,
    ResetMidRow,    // answer to 0xE0 stops inside a row, then the connection is reset (RST)
    CloseMidRow,    // answer to 0xE0 stops inside a row, then an orderly close (FIN)
    LongRow,        // answer to 0xE0 is one 10 MiB row without a line feed
    ManySeparators, // answer to 0xE0 starts with a row of 1,000,000 ';'
    E9First,        // answer to 0xE0 starts with the byte 0xE9
    Silent,         // requests are read but never answered
    NoRead,         // nothing is ever read from the client
};

struct Options {
    std::string listenAddress = "127.0.0.1";
    uint16_t port = 10001;
    std::size_t rows = 2000;
    std::size_t chunk = 0; // 0: send as much as the socket takes
    int pauseMs = 1;
    bool crlf = false;
    char decimalSeparator = '.';
    Fault fault = Fault::None;
    std::optional<std::size_t> cutAfter; // rows before the cut of the *-mid-row faults
    uint64_t seed = 1;
    std::optional<CivilTime> clock;
    int ports = 4;
    int interval = 10;
    bool help = false;

    // Returns nothing and sets error when the command line is not understood.
    static std::optional<Options> parse(int argc, char** argv, std::string& error);
    static const char* usage();
};

} // namespace emulator
