#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The text after the last path separator: the whole path when there is none, "" when the
// path ends in one.
std::string last_path_part(std::string_view path);

}  // namespace corvane
