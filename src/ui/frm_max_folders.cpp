#include "ui/frm_max_folders.h"

#include <cstdint>

#include "base/text.h"

namespace corvane {
namespace {

bool all_digits(std::string_view text) {
    for (const char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace

std::optional<std::string> typed_maximum(std::string_view text, std::string_view decimal_separator) {
    std::string_view number = trim_spaces(text);
    const bool negative = !number.empty() && number.front() == '-';
    if (!number.empty() && (number.front() == '-' || number.front() == '+')) number.remove_prefix(1);
    const std::size_t separator = decimal_separator.empty() ? std::string_view::npos : number.find(decimal_separator);
    const std::string_view whole = number.substr(0, separator);
    const std::string_view fraction =
        separator == std::string_view::npos ? std::string_view() : number.substr(separator + decimal_separator.size());
    if (whole.empty() && fraction.empty()) return std::nullopt;
    if (!all_digits(whole) || !all_digits(fraction)) return std::nullopt;

    // Digits only from here: anything past six whole digits is out of range anyway.
    const std::string_view significant = whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
    if (significant.size() > 6) return std::nullopt;
    std::int32_t value = 0;
    for (const char digit : significant) value = value * 10 + (digit - '0');
    // Exactly on the digits, so that 2.5000000001 goes up and 2.5 goes to the even 2.
    if (!fraction.empty() && fraction.front() >= '5') {
        const bool above_half = fraction.front() > '5' || fraction.find_first_not_of('0', 1) != std::string_view::npos;
        if (above_half || value % 2 == 1) ++value;
    }
    if (negative) value = -value;
    if (value < -32768 || value > 32767) return std::nullopt;
    return std::to_string(value);
}

}  // namespace corvane
