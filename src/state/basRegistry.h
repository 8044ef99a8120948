#pragma once
// Reads one registry value as text. The portable build has no registry: every read is "".

#include <cstdint>
#include <functional>
#include <string>

namespace corvane {

// The predefined root key, as its 32-bit handle value.
constexpr std::uint32_t hkey_current_user = 0x80000001;

// REG_SZ: the text before its first NUL. REG_DWORD: its signed decimal text. Any other
// type (REG_EXPAND_SZ too), a missing key or value, or a failed read: "".
std::string read_registry_value(std::uint32_t root_key, const std::string& subkey, const std::string& value_name);

// What recent-source discovery asks the registry through; tests pass a table.
using registry_reader =
    std::function<std::string(std::uint32_t root_key, const std::string& subkey, const std::string& value_name)>;

}  // namespace corvane
