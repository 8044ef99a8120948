#include <windows.h>

#include "base/text.h"
#include "base/wide.h"

namespace corvane {

std::string utf8_to_ansi(std::string_view text) {
    const std::wstring wide = to_wide(text);
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::string ansi_to_utf8(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                        size);
    return from_wide(wide);
}

std::string upper_case(std::string_view text) {
    const std::wstring wide = to_wide(text);
    if (wide.empty()) return {};
    const int size = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, wide.data(),
                                   static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr, 0);
    std::wstring upper(static_cast<std::size_t>(size), L'\0');
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, wide.data(),
                  static_cast<int>(wide.size()), upper.data(), size, nullptr, nullptr, 0);
    return from_wide(upper);
}

}  // namespace corvane
