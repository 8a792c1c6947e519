// The program settings file: any text is read, then the address and the
// colour are written into it. Reading the written text gives back both, and
// every other line of the text is still there, in its order.
#include "fuzzcheck.h"
#include "textlines.h"

#include "app/inifile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace
{

constexpr std::string_view kSection = "Settings";
constexpr std::string_view kAddressKey = "IPAddress";
constexpr std::string_view kColorKey = "GraphColor";
constexpr int kFallbackColor = 255; // clRed

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [lower](char x, char y) { return lower(x) == lower(y); });
}

// An address as a line edit holds it and a value reads back: one line, no
// blanks at its ends.
std::string editableAddress(std::string text)
{
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return std::string(trimmed(text));
}

// The lines that writing the two keys may replace: their lines in any
// section named Settings.
std::vector<bool> settingsKeyLines(const std::vector<std::string_view>& lines)
{
    std::vector<bool> keyLines;
    bool inSettings = false;
    for (std::string_view line : lines) {
        const std::string_view text = trimmed(line);
        const std::size_t close = text.find(']');
        if (text.size() >= 2 && text.front() == '[' && close != std::string_view::npos) {
            inSettings = equalsNoCase(trimmed(text.substr(1, close - 1)), kSection);
            keyLines.push_back(false);
            continue;
        }
        const std::string_view key = trimmed(line.substr(0, line.find('=')));
        const bool isKey = line.find('=') != std::string_view::npos &&
                           (equalsNoCase(key, kAddressKey) || equalsNoCase(key, kColorKey));
        keyLines.push_back(inSettings && isKey);
    }
    return keyLines;
}

// Other lines keep their order; new lines are only the two keys' lines, the
// section's line and a blank line before it.
void checkOtherLinesKept(std::string_view original, std::string_view written,
                         const std::set<std::string>& newLines)
{
    const std::vector<std::string_view> before = textLines(original);
    const std::vector<std::string_view> after = textLines(written);
    const std::vector<bool> replaceable = settingsKeyLines(before);
    std::size_t next = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (replaceable[i])
            continue;
        while (next < after.size() && after[next] != before[i])
            ++next;
        FUZZ_CHECK(next < after.size());
        ++next;
    }
    FUZZ_CHECK(after.size() <= before.size() + newLines.size());
    const std::set<std::string_view> old(before.begin(), before.end());
    for (std::string_view line : after)
        FUZZ_CHECK(old.count(line) || newLines.count(std::string(line)));
}

void checkRead(const IniFile& ini)
{
    const auto colorText = ini.readString(kSection, kColorKey);
    const int color = ini.readInteger(kSection, kColorKey, kFallbackColor);
    const std::optional<int> parsed = colorText ? parseIniInteger(*colorText) : std::nullopt;
    FUZZ_CHECK(color == parsed.value_or(kFallbackColor));
    if (parsed)
        FUZZ_CHECK(parseIniInteger(std::to_string(*parsed)) == parsed);
    if (const auto address = ini.readString(kSection, kAddressKey))
        FUZZ_CHECK(editableAddress(*address) == *address);
}

// A colour code reads back from its decimal text and from the hexadecimal
// texts that name its 32 bits.
void checkIntegerTexts(int value)
{
    FUZZ_CHECK(parseIniInteger(std::to_string(value)) == value);
    char hex[32];
    std::snprintf(hex, sizeof hex, "$%X", unsigned(value));
    FUZZ_CHECK(parseIniInteger(hex) == value);
    std::snprintf(hex, sizeof hex, " 0x%08x\t", unsigned(value));
    FUZZ_CHECK(parseIniInteger(hex) == value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int color = input.ConsumeIntegral<int>();
    const std::string address = editableAddress(input.ConsumeRandomLengthString(64));
    const std::string original = input.ConsumeRemainingBytesAsString();
    checkIntegerTexts(color);

    IniFile ini(original);
    checkRead(ini);
    ini.writeString(kSection, kAddressKey, address);
    ini.writeInteger(kSection, kColorKey, color);
    const std::string written = ini.text();

    const IniFile reread(written);
    FUZZ_CHECK(reread.readString(kSection, kAddressKey) == address);
    FUZZ_CHECK(reread.readInteger(kSection, kColorKey, kFallbackColor) == color);
    FUZZ_CHECK(reread.text() == written);
    const std::string addressLine = std::string(kAddressKey) + "=" + address;
    const std::string colorLine = std::string(kColorKey) + "=" + std::to_string(color);
    checkOtherLinesKept(original, written, {"", "[" + std::string(kSection) + "]", addressLine, colorLine});
    return 0;
}
