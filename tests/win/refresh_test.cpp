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
#include "engine/returning_icons.h"
#include "shell/desktop_view.h"
#include "store/persistent_array_dict.h"
#include "state/notices.h"
#include "support/fixtures.h"
#include "win/support/desktop_view_stand_in.h"
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

// Seven links come back at once, as after a display change or at sign-in; an eighth has no
// usable place and one of the program's is dropped.
TEST(RefreshOnWindows, LinksThatComeBackGetTheirPlacesAfterTheRefreshWhichRemembersADroppedOne) {
    real_places scope;
    ASSERT_EQ(scope.desktop, scope.moved_desktop.path() + "\\");
    ASSERT_EQ(scope.staging, environment_variable("LOCALAPPDATA") + "\\Quillon Corvane\\vantrel\\");
    testing::remove_folder(containing_folder(scope.staging));
    testing::write_bytes(scope.app.file("eaoaweoio"), "8");
    scope.init();
    save_shortcut(scope.desktop + "Gone p.lnk", scope.folder("p/Gone"), link_marker);
    record_own_link(scope.desktop + "Gone p.lnk");
    const testing::fake_desktop desktop("--show \"" + scope.moved_desktop.path() + "\"");
    ASSERT_TRUE(testing::wait_for([&] { return desktop.position("Gone p").x >= 0; }));
    const auto place = [](int index) { return icon_point{700, 20 + 90 * index}; };
    for (int index = 0; index < 8; ++index) {
        const std::string name = "Back" + std::to_string(index);
        const icon_point at = place(index);
        globals::link_positions.add(name + " p.lnk", place_elements(at, current_display()));
        scope.add_recent(scope.recent, name + ".lnk", scope.folder("p/" + name), 10 + index);
    }
    // Half a pair of numbers is no place, and its link stays where the shell put it.
    globals::link_positions.add("Back7 p.lnk", 2, "x");
    // Its copies are the program's own: rewritten now, deleted by a later refresh.
    testing::set_read_only(join_path(scope.recent, "Back0.lnk"), true);

    const auto start = std::chrono::steady_clock::now();
    refresh();
    // Any wait on the shell takes a second or more; how fast it is otherwise, the benchmark says.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    const auto placed = [&] {
        place_returning_icons(std::chrono::steady_clock::now());
        return !returning_icons_waiting();
    };
    EXPECT_TRUE(testing::wait_for(placed));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    for (int index = 0; index < 7; ++index) EXPECT_EQ(desktop.position("Back" + std::to_string(index) + " p"), place(index));
    EXPECT_NE(desktop.position("Back7 p"), place(7));
    const std::vector<std::string> remembered = split_array(globals::link_positions.store.item("Gone p.lnk"));
    ASSERT_EQ(remembered.size(), 7u);
    EXPECT_EQ(parse_place(remembered)->display, current_display());
    EXPECT_FALSE(read_only(scope.staging + "Back0 p.lnk"));
    EXPECT_FALSE(folder_exists("C:\\vantrel"));
    EXPECT_FALSE(read_only(scope.desktop + "Back0 p.lnk"));
    testing::set_read_only(join_path(scope.recent, "Back0.lnk"), false);
}

// Placed by hand, on the stand-in's own items: nothing goes onto another icon's cell, and
// nothing moves or waits while the desktop arranges its icons itself or hides them.
TEST(RefreshOnWindows, AReturningIconNeverLandsOnAnotherNorMovesOnADesktopThatArrangesOrHidesIcons) {
    for (const std::string options : {"", "--arrange", "--hidden"}) {
        SCOPED_TRACE(options);
        const testing::fake_desktop desktop(options + " \"Taken p=10,10\" \"Free p=10,100\" Mine=400,400");
        const icon_point taken = desktop.position(0), free = desktop.position(1);
        const auto now = std::chrono::steady_clock::now();
        queue_returning_icon("Taken p.lnk", {{410, 405}, current_display()}, now);
        queue_returning_icon("Free p.lnk", {{600, 400}, current_display()}, now);
        place_returning_icons(now);
        EXPECT_FALSE(returning_icons_waiting());
        EXPECT_EQ(desktop.position(0), taken);
        EXPECT_EQ(desktop.position(1), (options.empty() ? icon_point{600, 400} : free));
    }
}

// The shell's desktop view stuck inside a call, as in a slow session at sign-in.
TEST(RefreshOnWindows, AShellViewStuckInACallHoldsARefreshASecondAndIsLeftAloneAfterwards) {
    static testing::desktop_view_stand_in stuck;
    stuck.block = 10000;
    const testing::shell_desktop_view shell;
    const testing::desktop_view_registration registration(stuck);
    real_places scope;
    scope.init();
    for (const char* name : {"Gone p.lnk", "Also p.lnk"}) {
        save_shortcut(scope.desktop + name, scope.folder("p/Gone"), link_marker);
        record_own_link(scope.desktop + name);
    }
    const testing::fake_desktop desktop("\"Gone p=200,120\" \"Also p=300,120\"");
    const auto start = std::chrono::steady_clock::now();
    refresh();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1800));
    // Through the list view, and the view asked once.
    EXPECT_EQ(globals::link_positions.item("Gone p.lnk", 1), "200");
    EXPECT_EQ(globals::link_positions.item("Also p.lnk", 1), "300");
    EXPECT_EQ(stuck.asked, 1);
    desktop_view_rest_ends();
}

// Run by the next test, in a process of its own.
TEST(RefreshOnWindows, DISABLED_EndsWhileAThreadIsStuckInTheShell) {
    static testing::desktop_view_stand_in stuck;
    stuck.block = 60000;
    const testing::shell_desktop_view shell;
    const testing::desktop_view_registration registration(stuck);
    EXPECT_EQ(get_desktop_icon_position("Any.lnk"), std::nullopt);
}

TEST(RefreshOnWindows, TheProgramEndsAtOnceWhileAThreadIsStuckInTheShell) {
    const testing::child_process child = testing::start(
        "unit_tests.exe", "--gtest_also_run_disabled_tests --gtest_filter=*DISABLED_EndsWhileAThreadIsStuckInTheShell");
    EXPECT_EQ(WaitForSingleObject(child.process.get(), 30000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(child.process.get(), &code);
    EXPECT_EQ(code, 0u);
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
