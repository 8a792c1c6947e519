#include "chart/localenumber.h"

#include <charconv>
#include <string>

namespace
{

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// Copies the digits at text[pos] to out; returns how many there were.
std::size_t takeDigits(std::string_view text, std::size_t& pos, std::string& out)
{
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos]))
        out.push_back(text[pos++]);
    return pos - start;
}

void takeSign(std::string_view text, std::size_t& pos, std::string& out)
{
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        if (text[pos] == '-')
            out.push_back('-');
        ++pos;
    }
}

// Rewrites the text in the form std::from_chars reads (full stop, no '+'),
// or gives an empty text when it is not a number.
std::string normalise(std::string_view text, char decimalSeparator)
{
    std::string out;
    std::size_t pos = 0;
    takeSign(text, pos, out);
    std::size_t digits = takeDigits(text, pos, out);
    if (pos < text.size() && text[pos] == decimalSeparator) {
        out.push_back('.');
        ++pos;
        digits += takeDigits(text, pos, out);
    }
    if (digits == 0)
        return {};
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        out.push_back('e');
        ++pos;
        takeSign(text, pos, out);
        if (takeDigits(text, pos, out) == 0)
            return {};
    }
    return pos == text.size() ? out : std::string();
}

} // namespace

namespace LocaleNumber
{

std::optional<double> parse(std::string_view text, char decimalSeparator)
{
    const std::string normal = normalise(trimBlanks(text), decimalSeparator);
    if (normal.empty())
        return std::nullopt;
    double value = 0;
    const char* end = normal.data() + normal.size();
    const auto [ptr, ec] = std::from_chars(normal.data(), end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace LocaleNumber
