#include <windows.h>

#include "base/wide.h"
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
    if (RegOpenKeyExW(predefined_key(root_key), to_wide(subkey).c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return {};
    const unique_hkey key(opened);
    if (!key) return {};

    const std::wstring name = to_wide(value_name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) type = 0;

    if (type == REG_SZ) {
        // One more character, so that a value stored without its NUL still ends in one.
        std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
        // A value that grew since the first query does not fit and reads as nothing.
        if (RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer.data()),
                             &size) != ERROR_SUCCESS)
            return {};
        return from_wide(buffer.c_str());
    }
    if (type == REG_DWORD) {
        DWORD number = 0;
        DWORD number_size = sizeof number;
        if (RegQueryValueExW(key.get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&number),
                             &number_size) != ERROR_SUCCESS)
            return {};
        return std::to_string(static_cast<std::int32_t>(number));
    }
    return {};
}

}  // namespace corvane
