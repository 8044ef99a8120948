// The registry reader and recent-source discovery against the real registry of the prefix.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/process_paths.h"
#include "base/wide.h"
#include "base/win32_handles.h"
#include "state/basRegistry.h"
#include "state/globals.h"
#include "store/file_system.h"
#include "temp_folder.h"

namespace corvane {
namespace {

// A key of its own under HKCU, deleted with everything in it at the end.
class scratch_key {
public:
    explicit scratch_key(std::string subkey) : subkey_(std::move(subkey)) {
        HKEY created = nullptr;
        EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, to_wide(subkey_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &created, nullptr),
                  ERROR_SUCCESS);
        key_.reset(created);
    }
    ~scratch_key() {
        key_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, to_wide(subkey_).c_str());
    }
    const std::string& subkey() const { return subkey_; }

    void set(const char* name, DWORD type, const void* data, DWORD size) {
        EXPECT_EQ(RegSetValueExA(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }
    void set_text(const char* name, DWORD type, std::string_view ansi_bytes) {
        set(name, type, ansi_bytes.data(), static_cast<DWORD>(ansi_bytes.size()));
    }
    void set_number(const char* name, DWORD number) { set(name, REG_DWORD, &number, sizeof number); }
    void set_wide(const char* name, const std::string& text) {
        const std::wstring wide = to_wide(text);
        EXPECT_EQ(RegSetValueExW(key_.get(), to_wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                                 static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }

private:
    std::string subkey_;
    unique_hkey key_;
};

std::string read(const scratch_key& key, const std::string& name) {
    return read_registry_value(hkey_current_user, key.subkey(), name);
}

TEST(ReadRegistryValue, GivesTextAndNumbersAndNothingForEveryOtherType) {
    scratch_key key(R"(Software\Corvane Test\Values)");
    key.set_text("text", REG_SZ, std::string_view("C:\\Users\\x\\Recent", 18));
    key.set_text("ansi", REG_SZ, std::string_view("Gr\xFC\xDF" "e", 6));
    key.set_text("embedded", REG_SZ, std::string_view("abc\0def", 8));
    key.set_text("unterminated", REG_SZ, std::string_view("raw", 3));
    key.set_text("empty", REG_SZ, std::string_view("", 1));
    key.set_wide("wide", "\u041F\u0440\u043E\u0433 \u6771\u4EAC");
    key.set_number("five", 5);
    key.set_number("minus", 0xFFFFFFFF);
    key.set_text("expand", REG_EXPAND_SZ, std::string_view("%USERPROFILE%", 14));
    key.set_text("binary", REG_BINARY, std::string_view("\x01\x02", 2));
    key.set_text("multi", REG_MULTI_SZ, std::string_view("a\0b\0", 5));

    EXPECT_EQ(read(key, "text"), "C:\\Users\\x\\Recent");
    EXPECT_EQ(read(key, "ansi"), "Gr\u00FC\u00DFe");
    EXPECT_EQ(read(key, "wide"), "\u041F\u0440\u043E\u0433 \u6771\u4EAC");
    EXPECT_EQ(read(key, "embedded"), "abc");
    EXPECT_EQ(read(key, "unterminated"), "raw");
    EXPECT_EQ(read(key, "empty"), "");
    EXPECT_EQ(read(key, "five"), "5");
    EXPECT_EQ(read(key, "minus"), "-1");
    EXPECT_EQ(read(key, "expand"), "");
    EXPECT_EQ(read(key, "binary"), "");
    EXPECT_EQ(read(key, "multi"), "");
    EXPECT_EQ(read(key, "missing"), "");
    EXPECT_EQ(read_registry_value(hkey_current_user, R"(Software\Corvane Test\No such key)", "text"), "");
}

TEST(ReadRegistryValue, ClosesEveryKeyItOpens) {
    scratch_key key(R"(Software\Corvane Test\Handles)");
    key.set_number("n", 1);
    DWORD before = 0;
    GetProcessHandleCount(GetCurrentProcess(), &before);
    for (int i = 0; i < 500; ++i) read(key, i % 2 ? "n" : "missing");
    DWORD after = 0;
    GetProcessHandleCount(GetCurrentProcess(), &after);
    EXPECT_LT(after, before + 10);
}

TEST(FindRecentSources, FindsTheRecentAndOfficeFoldersOfTheRealRegistry) {
    const std::string shell_folders = R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)";
    const std::string recent = read_registry_value(hkey_current_user, shell_folders, "Recent");
    const std::string app_data = read_registry_value(hkey_current_user, shell_folders, "AppData");
    ASSERT_FALSE(app_data.empty());
    ASSERT_TRUE(folder_exists(app_data)) << app_data;

    const std::string microsoft = join_path(app_data, "Microsoft");
    const std::string office = join_path(microsoft, "Office");
    const std::string office_recent = join_path(office, "Corvane Recent");
    for (const std::string& folder : {microsoft, office, office_recent})
        if (!folder_exists(folder)) create_folder(folder);
    scratch_key general(R"(Software\Microsoft\Office\12.0\Common\General)");
    general.set_text("RecentFiles", REG_SZ, std::string_view("Corvane Recent", 15));

    std::vector<std::string> expected;
    if (!recent.empty() && folder_exists(recent)) expected.push_back(recent);
    expected.push_back(office_recent);
    EXPECT_EQ(find_recent_sources(read_registry_value), expected);
    RemoveDirectoryW(to_wide(office_recent).c_str());
}

TEST(FindRecentSources, FindsARecentFolderNamedInAnyScript) {
    const std::string user = "C:\\users\\\u041F\u0440\u043E\u0433";
    const std::string recent = join_path(user, "Recent");
    for (const std::string& folder : {user, recent})
        if (!folder_exists(folder)) create_folder(folder);
    scratch_key shell_folders(R"(Software\Corvane Test\Shell Folders)");
    shell_folders.set_wide("Recent", recent);
    // The discovery's own key, answered from the scratch key.
    const auto reader = [&](std::uint32_t root, const std::string& subkey, const std::string& name) {
        return read_registry_value(root, subkey.ends_with("Shell Folders") ? shell_folders.subkey() : subkey, name);
    };
    EXPECT_EQ(find_recent_sources(reader).front(), recent);
    testing::remove_folder(user);
}

}  // namespace
}  // namespace corvane
