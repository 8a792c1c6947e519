#include "eventlog.h"

#include <cstdio>

namespace emulator
{

void logLine(std::string_view line)
{
    std::string text(line);
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), stderr);
}

std::string hexByte(uint8_t byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

} // namespace emulator
