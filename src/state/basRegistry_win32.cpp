#include <windows.h>

#include "base/text.h"
#include "base/win32_handles.h"
#include "state/basRegistry.h"

namespace corvane {
namespace {

// The predefined keys are negative 32-bit values, sign-extended into a 64-bit HKEY.
HKEY predefined_key(std::uint32_t root_key) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root_key)));
}

}  // namespace

std::string read_registry_value(std::uint32_t root_key, const std::string& subkey, const std::string& value_name) {
    HKEY opened = nullptr;
    if (RegOpenKeyA(predefined_key(root_key), utf8_to_ansi(subkey).c_str(), &opened) != ERROR_SUCCESS) return {};
    const unique_hkey key(opened);
    if (!key) return {};

    const std::string name = utf8_to_ansi(value_name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) type = 0;

    if (type == REG_SZ) {
        std::string buffer(size, ' ');
        // A value that grew since the first query does not fit and reads as nothing.
        if (RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                             &size) != ERROR_SUCCESS)
            return {};
        const std::size_t nul = buffer.find('\0');
        if (nul != std::string::npos) buffer.resize(nul);
        return ansi_to_utf8(buffer);
    }
    if (type == REG_DWORD) {
        DWORD number = 0;
        DWORD number_size = sizeof number;
        if (RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&number),
                             &number_size) != ERROR_SUCCESS)
            return {};
        return std::to_string(static_cast<std::int32_t>(number));
    }
    return {};
}

}  // namespace corvane
