#include "app/inifile.h"

#include <charconv>
#include <cstdint>

namespace {

std::string_view trim(std::string_view s)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool equalsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trim(line);
    if (line.size() < 2 || line.front() != '[')
        return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

} // namespace

IniFile::IniFile(std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        m_lines.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

std::optional<std::size_t> IniFile::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        auto name = sectionName(m_lines[i]);
        if (name && equalsNoCase(*name, section))
            return i;
    }
    return std::nullopt;
}

std::size_t IniFile::sectionEnd(std::size_t sectionLine) const
{
    std::size_t i = sectionLine + 1;
    while (i < m_lines.size() && !sectionName(m_lines[i]))
        ++i;
    return i;
}

std::optional<std::size_t> IniFile::findKey(std::size_t sectionLine, std::string_view key) const
{
    const std::size_t end = sectionEnd(sectionLine);
    for (std::size_t i = sectionLine + 1; i < end; ++i) {
        std::string_view line = m_lines[i];
        const auto eq = line.find('=');
        if (eq != std::string_view::npos && equalsNoCase(trim(line.substr(0, eq)), key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::readString(std::string_view section, std::string_view key) const
{
    const auto sectionLine = findSection(section);
    if (!sectionLine)
        return std::nullopt;
    const auto keyLine = findKey(*sectionLine, key);
    if (!keyLine)
        return std::nullopt;
    std::string_view line = m_lines[*keyLine];
    return std::string(trim(line.substr(line.find('=') + 1)));
}

int IniFile::readInteger(std::string_view section, std::string_view key, int fallback) const
{
    const auto text = readString(section, key);
    if (!text)
        return fallback;
    return parseIniInteger(*text).value_or(fallback);
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    std::string line = std::string(key) + "=" + std::string(value);
    auto sectionLine = findSection(section);
    if (!sectionLine) {
        if (!m_lines.empty() && !trim(m_lines.back()).empty())
            m_lines.emplace_back();
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(std::move(line));
        return;
    }
    if (auto keyLine = findKey(*sectionLine, key)) {
        m_lines[*keyLine] = std::move(line);
        return;
    }
    // After the section's last non-blank line, so a blank line before the next section stays there.
    std::size_t at = sectionEnd(*sectionLine);
    while (at > *sectionLine + 1 && trim(m_lines[at - 1]).empty())
        --at;
    m_lines.insert(m_lines.begin() + std::ptrdiff_t(at), std::move(line));
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value)
{
    writeString(section, key, std::to_string(value));
}

std::string IniFile::text() const
{
    std::string out;
    for (const auto& line : m_lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::optional<int> parseIniInteger(std::string_view text)
{
    text = trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with('$')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.front() == '-' || text.front() == '+')
        return std::nullopt;
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    if (negative)
        value = -value;
    // Hexadecimal codes name the 32 bits directly ($8000000F is clBtnFace).
    if (base == 16 && value > INT32_MAX && value <= UINT32_MAX)
        value -= std::int64_t(1) << 32;
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return int(value);
}
