#include "data/cp1250.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace
{

// Bytes 0x80..0xFF; below 0x80 the code page is ASCII.
constexpr std::array<char16_t, 128> kHigh = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021, //
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, //
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, //
};

constexpr char16_t kReplacement = 0xFFFD;

struct Utf8Char {
    char bytes[3];
    std::uint8_t size;
};

constexpr Utf8Char encode(char16_t c)
{
    if (c < 0x80)
        return {{char(c), 0, 0}, 1};
    if (c < 0x800)
        return {{char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F)), 0}, 2};
    return {{char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))}, 3};
}

constexpr std::array<Utf8Char, 256> makeUtf8Table()
{
    std::array<Utf8Char, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = encode(b < 0x80 ? char16_t(b) : kHigh[b - 0x80]);
    return table;
}

constexpr std::array<Utf8Char, 256> kUtf8 = makeUtf8Table();

struct ReverseEntry {
    char16_t unicode;
    unsigned char byte;
};

// The defined high bytes sorted by their character, for a binary search.
std::array<ReverseEntry, 123> makeReverseTable()
{
    std::array<ReverseEntry, 123> table{};
    std::size_t n = 0;
    for (int b = 0x80; b < 0x100; ++b) {
        if (kHigh[b - 0x80] != kReplacement)
            table[n++] = {kHigh[b - 0x80], static_cast<unsigned char>(b)};
    }
    std::sort(table.begin(), table.end(),
              [](const ReverseEntry& a, const ReverseEntry& b) { return a.unicode < b.unicode; });
    return table;
}

char toByte(char32_t c)
{
    if (c < 0x80)
        return char(c);
    static const std::array<ReverseEntry, 123> reverse = makeReverseTable();
    auto it = std::lower_bound(reverse.begin(), reverse.end(), c,
                               [](const ReverseEntry& e, char32_t v) { return e.unicode < v; });
    if (it == reverse.end() || it->unicode != c)
        return '?';
    return char(it->byte);
}

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// Decodes one character at text[i] and advances i; an invalid or overlong
// sequence yields U+FFFD (which has no byte here) and consumes one byte.
char32_t decodeUtf8(std::string_view text, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80)
        return lead;
    const std::size_t extra = lead >= 0xF5 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : 0;
    if (extra == 0 || i + extra > text.size())
        return kReplacement;
    char32_t c = lead & (0x3F >> extra);
    for (std::size_t k = 0; k < extra; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if (!isContinuation(next))
            return kReplacement;
        c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[extra])
        return kReplacement;
    i += extra;
    return c;
}

} // namespace

namespace Cp1250
{

char16_t toUnicode(unsigned char byte)
{
    return byte < 0x80 ? char16_t(byte) : kHigh[byte - 0x80];
}

std::string toUtf8(std::string_view cp1250Bytes)
{
    std::string out;
    out.reserve(cp1250Bytes.size() * 2);
    for (char ch : cp1250Bytes) {
        const Utf8Char& u = kUtf8[static_cast<unsigned char>(ch)];
        out.append(u.bytes, u.size);
    }
    return out;
}

std::string fromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();)
        out.push_back(toByte(decodeUtf8(utf8, i)));
    return out;
}

} // namespace Cp1250
