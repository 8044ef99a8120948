// Whole refreshes with the account's real staging folder, the desktop folder the shell
// names, the shell's shortcuts and the stand-in desktop.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "base/process_paths.h"
#include "base/wide.h"
#include "base/win32_handles.h"
#include "engine/main_mod.h"
#include "engine/own_links.h"
#include "state/notices.h"
#include "support/fixtures.h"
#include "win/support/fake_desktop_process.h"

namespace corvane {
namespace {

using testing::file_names;
using testing::save_shortcut;

// The shell's desktop moved to a temporary folder, and a refresh_scope over the real places,
// all put back afterwards.
struct real_places : testing::refresh_scope {
    static constexpr const wchar_t* shell_folders = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    testing::temp_folder moved_desktop;
    wchar_t old_desktop[MAX_PATH]{};

    real_places() {
        DWORD size = sizeof old_desktop;
        RegGetValueW(HKEY_CURRENT_USER, shell_folders, L"Desktop", RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr,
                     old_desktop, &size);
        set_desktop(REG_SZ, to_wide(moved_desktop.path()));
        staging = default_staging_folder();
        desktop = process_start_up_sources().desktop_folder;
    }
    ~real_places() {
        testing::remove_folder(containing_folder(staging));
        set_desktop(REG_EXPAND_SZ, old_desktop);
    }
    static void set_desktop(DWORD type, const std::wstring& value) {
        RegSetKeyValueW(HKEY_CURRENT_USER, shell_folders, L"Desktop", type, value.c_str(),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
};

bool read_only(const std::string& path) { return GetFileAttributesW(to_wide(path).c_str()) & FILE_ATTRIBUTE_READONLY; }

TEST(RefreshOnWindows, PutsALinkThatComesBackWhereItStoodAndRemembersADroppedOne) {
    real_places scope;
    ASSERT_EQ(scope.desktop, scope.moved_desktop.path() + "\\");
    ASSERT_EQ(scope.staging, environment_variable("LOCALAPPDATA") + "\\Quillon Corvane\\vantrel\\");
    testing::remove_folder(containing_folder(scope.staging));
    testing::write_bytes(scope.app.file("eaoaweoio"), "2");
    scope.init();
    globals::link_positions.add("Back p.lnk", 1, "300");
    globals::link_positions.add("Back p.lnk", 2, "240");
    // Half a pair of numbers is no place, and its link stays where it is.
    globals::link_positions.add("Odd p.lnk", 1, "12");
    globals::link_positions.add("Odd p.lnk", 2, "x");
    save_shortcut(scope.desktop + "Gone p.lnk", scope.folder("p/Gone"), link_marker);
    record_own_link(scope.desktop + "Gone p.lnk");
    scope.add_recent(scope.recent, "Back.lnk", scope.folder("p/Back"), 10);
    scope.add_recent(scope.recent, "Odd.lnk", scope.folder("p/Odd"), 5);
    // Its copies are the program's own: rewritten now, deleted by a later refresh.
    testing::set_read_only(join_path(scope.recent, "Back.lnk"), true);
    const testing::fake_desktop desktop("\"Back p=10,10\" \"Gone p=200,120\" \"Odd p=50,50\"");

    const auto start = std::chrono::steady_clock::now();
    refresh();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2000));

    EXPECT_EQ(file_names(scope.staging), (std::vector<std::string>{"Back p.lnk", "Odd p.lnk"}));
    EXPECT_EQ(file_names(scope.desktop), (std::vector<std::string>{"Back p.lnk", "Odd p.lnk"}));
    EXPECT_EQ(desktop.position(0), (icon_point{300, 240}));
    EXPECT_EQ(desktop.position(2), (icon_point{50, 50}));
    EXPECT_EQ(globals::link_positions.item("Gone p.lnk", 1), "200");
    EXPECT_EQ(globals::link_positions.item("Gone p.lnk", 2), "120");
    EXPECT_FALSE(read_only(scope.staging + "Back p.lnk"));
    EXPECT_FALSE(folder_exists("C:\\vantrel"));
    EXPECT_FALSE(read_only(scope.desktop + "Back p.lnk"));
    testing::set_read_only(join_path(scope.recent, "Back.lnk"), false);
}

// Stands in for the main form, whose timer runs the refresh; counts the ticks that come
// while a refresh runs.
int ticks_during_a_refresh = 0;
LRESULT CALLBACK form_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_TIMER) return DefWindowProcW(window, message, wparam, lparam);
    ticks_during_a_refresh += refresh_running();
    refresh();
    return 0;
}

// A tick that reaches the program while its refresh waits on the desktop's list view (a tray
// click's menu dispatches one) starts no second refresh inside the first, which would leave
// the first one's buffers behind and remember the place as (0, 0).
TEST(RefreshOnWindows, ATickDuringARefreshStartsNoSecondOne) {
    real_places scope;
    scope.init();
    save_shortcut(scope.desktop + "Gone p.lnk", scope.folder("p/Gone"), link_marker);
    record_own_link(scope.desktop + "Gone p.lnk");
    scope.add_recent(scope.recent, "Back.lnk", scope.folder("p/Back"), 10);
    WNDCLASSW form_class{};
    form_class.lpfnWndProc = form_procedure;
    form_class.hInstance = GetModuleHandleW(nullptr);
    form_class.lpszClassName = L"CorvanePokeTarget";
    RegisterClassW(&form_class);
    const HWND form = CreateWindowExW(0, L"CorvanePokeTarget", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    {
        const testing::fake_desktop desktop("--poke CorvanePokeTarget \"Gone p=200,120\"");
        refresh();
    }
    DestroyWindow(form);

    EXPECT_EQ(ticks_during_a_refresh, 1);
    EXPECT_EQ(globals::link_positions.item("Gone p.lnk", 1) + "," + globals::link_positions.item("Gone p.lnk", 2),
              "200,120");
    EXPECT_EQ(file_names(scope.desktop), std::vector<std::string>{"Back p.lnk"});
    EXPECT_EQ(list_view_state().shared_item.address, 0u);
}

unique_file hold_unshared(const std::string& path) {
    return unique_file(CreateFileW(to_wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

// A backup tool holds a store at sign-in, a scanner a recent shortcut for a moment.
TEST(RefreshOnWindows, AFileHeldOpenIsReadAfterAMomentAndAStoreHeldAtStartIsNeverOverwritten) {
    testing::refresh_scope scope;
    const std::string icons = scope.app.file("aweporrwrei");
    testing::write_bytes(icons, "Old x.lnk=C:\\icons\\red.ico\r\n");
    testing::write_bytes(join_path(scope.icons, "blue.ico"), "ico");
    {
        const unique_file held = hold_unshared(icons);
        ASSERT_TRUE(held);
        ASSERT_NO_THROW(scope.init());
    }
    EXPECT_EQ(next_notice(), notice::store_unreadable);
    scope.add_recent(scope.recent, "a.lnk", scope.folder("p/a"), 10);
    unique_file scanned = hold_unshared(join_path(scope.recent, "a.lnk"));
    std::thread scanner([&] { Sleep(100), scanned.reset(); });
    refresh();
    scanner.join();
    EXPECT_EQ(file_names(scope.desktop), std::vector<std::string>{"a p.lnk"});
    EXPECT_EQ(testing::read_bytes(icons), "Old x.lnk=C:\\icons\\red.ico\r\n");
}

}  // namespace
}  // namespace corvane
