#pragma once

#include <string_view>

namespace corvane {

// Equal after removing leading and trailing spaces (U+0020 only) and upper-casing both by
// the user's locale rules. Inner spaces count.
bool same_text(std::string_view a, std::string_view b);

// True when the text holds a wildcard, "*" or "?"; no file name can.
bool is_name_pattern(std::string_view text);

// The whole name matches the pattern as the shell matches file names: "*" stands for any
// run of characters, none included, "?" for exactly one UTF-16 unit; letter case and the
// spaces around the pattern aside.
bool matches_name_pattern(std::string_view pattern, std::string_view name);

}  // namespace corvane
