#pragma once

#include <string_view>

namespace corvane {

// Equal after removing leading and trailing spaces (U+0020 only) and upper-casing both by
// the user's locale rules. Inner spaces count.
bool same_text(std::string_view a, std::string_view b);

}  // namespace corvane
