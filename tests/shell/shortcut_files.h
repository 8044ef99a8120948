#pragma once
// A shortcut file as the platform's shell writes it: through the shell's own link object on
// Windows, byte by byte in the published format elsewhere.

#include <string>

namespace corvane::testing {

void save_shortcut(const std::string& path, const std::string& target, const std::string& description = {});

}  // namespace corvane::testing
