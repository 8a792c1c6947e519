#pragma once

#include <optional>
#include <string_view>

// Text to number the way the user's locale writes it: blanks around it, an
// optional sign, digits with at most one decimal separator (only the given
// one) and an optional exponent. Anything else, a thousands separator or the
// other decimal separator included, is not a number.
namespace LocaleNumber
{

std::optional<double> parse(std::string_view text, char decimalSeparator);

} // namespace LocaleNumber
