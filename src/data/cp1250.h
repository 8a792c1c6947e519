#pragma once

#include <string>
#include <string_view>

// Windows code page 1250, the 8-bit encoding of every text the program keeps.
namespace Cp1250
{

// The Unicode character of one byte; the five bytes the code page leaves
// undefined give U+FFFD. Every character of the code page lies in the BMP.
char16_t toUnicode(unsigned char byte);

std::string toUtf8(std::string_view cp1250Bytes);

// Characters the code page cannot hold, and bytes that are not UTF-8, become '?'.
std::string fromUtf8(std::string_view utf8);

} // namespace Cp1250
