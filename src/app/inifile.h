#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI text held in memory: "[Section]" lines followed by "key=value" lines.
// Sections and keys compare without regard to ASCII letter case, as the
// Windows profile functions do. Writing a key keeps every other line of the
// file as it was.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(std::string_view text);

    std::optional<std::string> readString(std::string_view section, std::string_view key) const;
    // The key's value as a signed 32-bit decimal (or $/0x hexadecimal)
    // integer, or the fallback when it is missing or not such a number.
    int readInteger(std::string_view section, std::string_view key, int fallback) const;

    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, int value);

    // Lines ended by CR LF, as the file was always written.
    std::string text() const;

private:
    std::optional<std::size_t> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(std::size_t sectionLine, std::string_view key) const;
    std::size_t sectionEnd(std::size_t sectionLine) const;

    std::vector<std::string> m_lines;
};

std::optional<int> parseIniInteger(std::string_view text);
