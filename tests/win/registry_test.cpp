// The registry reader against the real registry of the prefix.

#include <windows.h>

#include <gtest/gtest.h>

#include "base/wide.h"
#include "state/basRegistry.h"

namespace corvane {
namespace {

TEST(ReadRegistryValue, GivesTextAndNumbersAndNothingForEveryOtherTypeAndClosesItsKeys) {
    const std::string subkey = R"(Software\Corvane Test)";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, to_wide(subkey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const DWORD five = 5, minus = 0xFFFFFFFF;
    const std::wstring wide = L"\u041F\u0440\u043E\u0433 \u6771\u4EAC";
    const struct {
        const char* name;
        DWORD type;
        std::string_view data;
        std::string read;
    } cases[] = {
        {"text", REG_SZ, {"C:\\Users\\x\\Recent", 18}, "C:\\Users\\x\\Recent"},
        {"ansi", REG_SZ, {"Gr\xFC\xDF" "e", 6}, "Gr\u00FC\u00DFe"},
        {"embedded", REG_SZ, {"abc\0def", 8}, "abc"},
        {"unterminated", REG_SZ, {"raw", 3}, "raw"},
        {"empty", REG_SZ, {"", 1}, ""},
        {"five", REG_DWORD, {reinterpret_cast<const char*>(&five), 4}, "5"},
        {"minus", REG_DWORD, {reinterpret_cast<const char*>(&minus), 4}, "-1"},
        {"expand", REG_EXPAND_SZ, {"%USERPROFILE%", 14}, ""},
        {"binary", REG_BINARY, {"\x01\x02", 2}, ""},
        {"multi", REG_MULTI_SZ, {"a\0b\0", 5}, ""},
    };
    for (const auto& c : cases) {
        RegSetValueExA(key, c.name, 0, c.type, reinterpret_cast<const BYTE*>(c.data.data()),
                       static_cast<DWORD>(c.data.size()));
        EXPECT_EQ(read_registry_value(hkey_current_user, subkey, c.name), c.read) << c.name;
    }
    RegSetValueExW(key, L"wide", 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                   static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    EXPECT_EQ(read_registry_value(hkey_current_user, subkey, "wide"), from_wide(wide));
    EXPECT_EQ(read_registry_value(hkey_current_user, subkey + "\\No such key", "text"), "");

    DWORD before = 0, after = 0;
    GetProcessHandleCount(GetCurrentProcess(), &before);
    for (int i = 0; i < 500; ++i) read_registry_value(hkey_current_user, subkey, i % 2 ? "five" : "missing");
    GetProcessHandleCount(GetCurrentProcess(), &after);
    EXPECT_LT(after, before + 10);
    RegCloseKey(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, to_wide(subkey).c_str());
}

}  // namespace
}  // namespace corvane
