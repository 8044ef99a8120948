#include <windows.h>

#include <vector>

#include "base/wide.h"
#include "environment.h"

namespace corvane::testing {

void set_environment(const std::string& name, const std::optional<std::string>& value) {
    SetEnvironmentVariableW(to_wide(name).c_str(), value ? to_wide(*value).c_str() : nullptr);
}

std::optional<std::string> get_environment(const std::string& name) {
    const std::wstring wide_name = to_wide(name);
    const DWORD needed = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetEnvironmentVariableW(wide_name.c_str(), buffer.data(), needed);
    return from_wide(std::wstring_view(buffer.data(), length));
}

}  // namespace corvane::testing
