// The desktop list view across processes, against tests/win/fake_desktop.cpp in a process
// of its own, and the crash filter against tests/win/crash_probe.cpp.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "base/process_paths.h"
#include "base/wide.h"
#include "base/win32_handles.h"
#include "shell/desktop_icons.h"
#include "temp_folder.h"
#include "win/fake_desktop_process.h"

namespace corvane {
namespace {

using testing::child_process;
using testing::fake_desktop;
using testing::start;
using testing::wait_for;
using testing::window_of_process;

void expect_no_buffers() {
    const list_view_access& access = list_view_state();
    EXPECT_EQ(access.shared_item.address, 0u);
    EXPECT_EQ(access.shared_text.address, 0u);
    EXPECT_EQ(access.shared_point.address, 0u);
    EXPECT_EQ(access.shared_item.handle, 0u);
    EXPECT_EQ(access.shared_text.handle, 0u);
    EXPECT_EQ(access.shared_point.handle, 0u);
}

// The first steps of every access, against the stand-in's list view.
list_view_info open_and_attach(const fake_desktop& desktop) {
    list_view_info info;
    info.window = desktop.list_view();
    open_shared_buffers(info.window);
    EXPECT_TRUE(attach_list_view(info));
    return info;
}

TEST(DesktopListView, ReadsLabelsAndPositionsAcrossProcesses) {
    fake_desktop desktop("\"Projects Documents=40,60\" \"Gr\u00FC\u00DFe=200,60\" Third=300,400");
    const list_view_info info = open_and_attach(desktop);
    ASSERT_NE(info.window, 0u);
    EXPECT_EQ(list_view_state().owner_process_id, desktop.process_id());
    EXPECT_TRUE(list_view_state().owner_is_64_bit);
    EXPECT_TRUE(is_nt_platform());
    EXPECT_TRUE(list_view_state().platform_known);

    EXPECT_EQ(info.class_name, "SysListView32");
    EXPECT_EQ(info.view_style, 0);
    EXPECT_EQ(info.item_total, 3);
    EXPECT_GT(info.window_rect.right, info.window_rect.left);
    // An icon view has no header columns; it still counts one.
    EXPECT_EQ(info.column_total, 1);
    ASSERT_EQ(info.column_names.size(), 1u);

    EXPECT_EQ(get_item_text(1, 1), "Projects Documents");
    EXPECT_EQ(get_item_text(2, 1), "Gr\u00FC\u00DFe");
    EXPECT_EQ(get_item_position(1), (icon_point{40, 60}));
    EXPECT_EQ(get_item_position(3), (icon_point{300, 400}));
    EXPECT_EQ(get_item_text(4, 1), "");
    EXPECT_EQ(get_item_position(4), icon_point{});

    close_shared_buffers();
    expect_no_buffers();
    // The window stays attached, but with no buffers every read is empty.
    EXPECT_EQ(list_view_state().list_view_window, info.window);
    EXPECT_EQ(get_item_text(1, 1), "");
    EXPECT_EQ(get_item_position(1), icon_point{});
}

TEST(DesktopListView, ReadsColumnTitlesWidthsAndSubitems) {
    fake_desktop desktop("--report Alpha=0,0 Beta=0,0");
    const list_view_info info = open_and_attach(desktop);
    ASSERT_NE(info.window, 0u);
    EXPECT_EQ(info.view_style, 1);
    EXPECT_EQ(info.column_total, 2);
    EXPECT_EQ(info.column_names, (std::vector<std::string>{"Name", "Size"}));
    EXPECT_EQ(info.column_widths, (std::vector<std::int32_t>{150, 80}));
    EXPECT_EQ(get_column_text(2), "Size");
    EXPECT_EQ(get_column_text(3), "");
    EXPECT_EQ(get_item_text(2, 2), "Beta size");
    close_shared_buffers();
}

TEST(DesktopListView, AttachesOnlyToListViews) {
    const HWND button = CreateWindowExW(0, L"BUTTON", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    list_view_info info;
    info.window = reinterpret_cast<window_handle>(button);
    info.item_total = 5;
    EXPECT_FALSE(attach_list_view(info));
    EXPECT_EQ(info.window, 0u);
    EXPECT_EQ(info.item_total, 0);
    EXPECT_EQ(info.class_name, "Button");
    EXPECT_EQ(list_view_state().list_view_window, 0u);
    DestroyWindow(button);

    list_view_info stale;
    stale.window = reinterpret_cast<window_handle>(button);
    stale.class_name = "untouched";
    stale.item_total = 7;
    EXPECT_FALSE(attach_list_view(stale));
    EXPECT_EQ(stale.window, reinterpret_cast<window_handle>(button));
    EXPECT_EQ(stale.class_name, "untouched");
    EXPECT_EQ(stale.item_total, 7);
    EXPECT_EQ(get_item_text(1, 1), "");
}

TEST(DesktopIconPosition, FindsTheFirstExactLabelAndMovesIt) {
    fake_desktop desktop("\"Projects Documents=40,60\" Other=200,60 \"Projects Documents=500,500\"");
    EXPECT_EQ(get_desktop_icon_position("Projects Documents.lnk"), (icon_point{40, 60}));
    EXPECT_EQ(get_desktop_icon_position("projects documents.lnk"), icon_point{});
    EXPECT_EQ(get_desktop_icon_position("Projects Documents"), icon_point{});
    expect_no_buffers();

    set_desktop_icon_position("Projects Documents.lnk", {120, 300});
    EXPECT_EQ(desktop.position(0), (icon_point{120, 300}));
    EXPECT_EQ(desktop.position(2), (icon_point{500, 500}));
    EXPECT_EQ(get_desktop_icon_position("Projects Documents.lnk"), (icon_point{120, 300}));

    set_desktop_icon_position("other.lnk", {1, 1});
    EXPECT_EQ(desktop.position(1), (icon_point{200, 60}));
    expect_no_buffers();
}

TEST(DesktopIconPosition, FindsAndMovesALabelInAnyScript) {
    fake_desktop desktop("\"\u6771\u4EAC C=40,60\" \"\u0150rs C=200,60\"");
    EXPECT_EQ(get_desktop_icon_position("\u0150rs C.lnk"), (icon_point{200, 60}));
    set_desktop_icon_position("\u6771\u4EAC C.lnk", {120, 300});
    EXPECT_EQ(desktop.position(0), (icon_point{120, 300}));
}

TEST(DesktopIconPosition, FindsTheViewInAWorkerWWindow) {
    fake_desktop desktop("--workerw Moved=10,20");
    EXPECT_EQ(get_desktop_icon_position("Moved.lnk"), (icon_point{10, 20}));
    set_desktop_icon_position("Moved.lnk", {64, 96});
    EXPECT_EQ(desktop.position(0), (icon_point{64, 96}));
}

// Wine's own desktop view answers E_NOTIMPL, so every other test here goes to the list
// view; this one has a view that answers, in the stand-in's process.
TEST(DesktopIconPosition, ReadsAndMovesThroughTheShellsDesktopViewWhereItAnswers) {
    fake_desktop desktop("--desktop-view Alpha=40,60 Beta=200,60");
    const testing::stand_in_shell_windows_scope shell_windows;
    EXPECT_EQ(get_desktop_icon_position("Beta.lnk"), (icon_point{200, 60}));
    set_desktop_icon_position("Alpha.lnk", {120, 300});
    EXPECT_EQ(desktop.position(0), (icon_point{120, 300}));
    EXPECT_EQ(desktop.desktop_view_calls(), 2);
    // A name the view does not know goes to the list view, which has none either.
    EXPECT_EQ(get_desktop_icon_position("Gamma.lnk"), icon_point{});
    EXPECT_EQ(desktop.desktop_view_calls(), 2);
}

TEST(DesktopIconPosition, WithoutADesktopNothingIsFoundOrMoved) {
    EXPECT_EQ(get_desktop_icon_position("Any.lnk"), icon_point{});
    // Some other program's top-level list view is not the desktop.
    fake_desktop stray("--stray Stray=30,40");
    EXPECT_EQ(get_desktop_icon_position("Stray.lnk"), icon_point{});
    set_desktop_icon_position("Stray.lnk", {300, 300});
    EXPECT_EQ(stray.position(0), (icon_point{30, 40}));
    expect_no_buffers();
}

TEST(DesktopIconPosition, LeavesNoMemoryInTheShellsProcess) {
    fake_desktop desktop("A=10,10 B=20,20 C=30,30");
    // The first accesses settle the desktop's own heap.
    get_desktop_icon_position("C.lnk");
    set_desktop_icon_position("C.lnk", {30, 30});
    const std::size_t before = desktop.committed_bytes();
    // Few: each access first asks Wine's desktop view, which takes tens of milliseconds.
    for (int i = 0; i < 100; ++i) {
        get_desktop_icon_position("C.lnk");
        set_desktop_icon_position("C.lnk", {30 + i % 2, 30});
    }
    // A leak would hold three pages for each of the 200 accesses.
    EXPECT_LT(desktop.committed_bytes(), before + 1024 * 1024) << before;
    expect_no_buffers();
}

struct message_box {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};

message_box find_message_box(DWORD process_id) {
    message_box box;
    box.window = window_of_process(L"#32770", process_id);
    if (!box.window) return box;
    wchar_t buffer[512]{};
    GetWindowTextW(box.window, buffer, 511);
    box.caption = from_wide(buffer);
    for (HWND part = FindWindowExW(box.window, nullptr, L"Static", nullptr); part;
         part = FindWindowExW(box.window, part, L"Static", nullptr)) {
        wchar_t text[512]{};
        GetWindowTextW(part, text, 511);
        if (wcslen(text) > box.text.size()) box.text = from_wide(text);
    }
    return box;
}

// The probe's fault, the message box it shows, and what it leaves behind.
void expect_crash_report(const std::string& fault, DWORD code, const std::string& message) {
    fake_desktop desktop("A=10,10");
    const std::size_t before = desktop.committed_bytes();
    testing::temp_folder folder;
    const std::string report = folder.file("buffers.txt");
    child_process probe =
        start("crash_probe.exe", std::to_string(desktop.list_view()) + " " + fault + " \"" + report + "\"");

    message_box box;
    // The dialog exists a moment before its texts do.
    ASSERT_TRUE(wait_for([&] { return !(box = find_message_box(probe.id)).text.empty(); })) << fault;
    std::uintptr_t item = 0, text = 0, point = 0;
    std::ifstream in{std::filesystem::path(to_wide(report))};
    in >> item >> text >> point;
    EXPECT_EQ(box.caption, "Vi Zozava");
    EXPECT_EQ(box.text, "FATAL error => " + message + "\n\nProgram will terminate");
    if (fault == "closed") {
        EXPECT_EQ(item, 0u);
    } else {
        EXPECT_NE(item, 0u);
        EXPECT_NE(point, 0u);
    }
    // Released before the box appeared.
    for (const std::uintptr_t address : {item, text, point}) {
        if (address) {
            EXPECT_FALSE(desktop.is_allocated(address)) << address;
        }
    }

    PostMessageW(box.window, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WaitForSingleObject(probe.process.get(), 30000), WAIT_OBJECT_0);
    DWORD exit_code = 0;
    GetExitCodeProcess(probe.process.get(), &exit_code);
    EXPECT_EQ(exit_code, code);
    EXPECT_LT(desktop.committed_bytes(), before + 64 * 1024);
}

TEST(FatalErrorFilter, ReportsAnAccessViolationAfterReleasingTheBuffers) {
    expect_crash_report("access", 0xC0000005, "General Protection Fault (Access Violation)");
}

TEST(FatalErrorFilter, ReportsADivisionByZeroByItsCode) {
    expect_crash_report("divide", 0xC0000094, "General Protection Fault, Error code hC0000094");
}

TEST(FatalErrorFilter, ReportsACrashWithNoBuffersOpen) {
    expect_crash_report("closed", 0xC0000005, "General Protection Fault (Access Violation)");
}

}  // namespace
}  // namespace corvane
