#pragma once
// Windows only: UTF-8 <-> the wide strings of the W APIs (wchar_t is UTF-16 there).

#include <string>
#include <string_view>

#include "base/text.h"

namespace corvane {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wide.h serves the Windows build only");

inline std::wstring to_wide(std::string_view text) {
    const std::u16string u16 = utf8_to_utf16(text);
    return std::wstring(u16.begin(), u16.end());
}

inline std::string from_wide(std::wstring_view text) {
    return utf16_to_utf8(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

}  // namespace corvane
