#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace emulator
{

// One line on stderr per event; stderr is unbuffered, so lines appear as they happen.
void logLine(std::string_view line);
std::string hexByte(uint8_t byte);

} // namespace emulator
