// The desktop list view across processes, against the stand-in desktop (fake_desktop.cpp);
// the shell's desktop view against a stand-in in this process; the crash filter against
// crash_probe.cpp.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "base/wide.h"
#include "shell/desktop_icons.h"
#include "shell/desktop_view.h"
#include "support/fixtures.h"
#include "win/support/desktop_view_stand_in.h"
#include "win/support/fake_desktop_process.h"

namespace corvane {
namespace {

using testing::desktop_view_stand_in;
using testing::fake_desktop;

void expect_no_buffers() {
    const list_view_access& access = list_view_state();
    for (const shared_buffer* buffer : {&access.shared_item, &access.shared_text, &access.shared_point}) {
        EXPECT_EQ(buffer->address, 0u);
        EXPECT_EQ(buffer->handle, 0u);
    }
}

TEST(DesktopListView, ReadsLabelsAndPlacesAcrossProcessesOfListViewsOnly) {
    const fake_desktop desktop("\"Projects Documents=40,60\" \"Gr\u00FC\u00DFe=200,60\" Third=300,400");
    list_view_info info;
    info.window = desktop.list_view();
    open_shared_buffers(info.window);
    EXPECT_TRUE(attach_list_view(info));
    EXPECT_EQ(list_view_state().owner_process_id, desktop.process_id());
    EXPECT_TRUE(list_view_state().owner_is_64_bit);
    EXPECT_EQ(info.class_name, "SysListView32");
    EXPECT_EQ(info.item_total, 3);
    EXPECT_EQ(get_item_text(2, 1), "Gr\u00FC\u00DFe");
    EXPECT_EQ(get_item_position(3), (icon_point{300, 400}));
    EXPECT_EQ(get_item_text(4, 1), "");
    EXPECT_EQ(get_item_position(4), icon_point{});
    close_shared_buffers();
    expect_no_buffers();
    EXPECT_EQ(get_item_text(1, 1), "");  // still attached, but with no buffers every read is empty

    const HWND button = CreateWindowExW(0, L"BUTTON", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    list_view_info other;
    other.window = reinterpret_cast<window_handle>(button);
    EXPECT_FALSE(attach_list_view(other));
    EXPECT_EQ(other.window, 0u);
    EXPECT_EQ(list_view_state().list_view_window, 0u);
    DestroyWindow(button);
}

TEST(DesktopIconPosition, FindsTheFirstExactLabelAndMovesItWhereverTheViewSits) {
    // Across processes through Wine's explorer, which answers "not implemented", to the list view.
    const testing::shell_desktop_view shell;
    {
        const fake_desktop desktop("\"Projects Documents=40,60\" Other=200,60 \"Projects Documents=500,500\"");
        EXPECT_EQ(get_desktop_icon_position("Projects Documents.lnk"), (icon_point{40, 60}));
        EXPECT_EQ(get_desktop_icon_position("Projects Documents"), std::nullopt);
        set_desktop_icon_position("Projects Documents.lnk", {120, 300});
        set_desktop_icon_position("other.lnk", {1, 1});
        EXPECT_EQ(desktop.position(0), (icon_point{120, 300}));
        EXPECT_EQ(desktop.position(1), (icon_point{200, 60}));
        EXPECT_EQ(desktop.position(2), (icon_point{500, 500}));
        expect_no_buffers();
    }
    const struct {
        const char* items;
        const char* name;
        int index;
    } views[] = {{"--workerw Moved=10,20", "Moved.lnk", 0}, {"Other=1,1 \"\u6771\u4EAC C=10,20\"", "\u6771\u4EAC C.lnk", 1}};
    for (const auto& v : views) {
        const fake_desktop desktop(v.items);
        EXPECT_EQ(get_desktop_icon_position(v.name), (icon_point{10, 20})) << v.name;
        set_desktop_icon_position(v.name, {30, 40});
        EXPECT_EQ(desktop.position(v.index), (icon_point{30, 40})) << v.name;
    }
}

// The setup's way to start the program as the signed-in user. Wine's shell starts it from this
// process; Windows' from the desktop's, with the shell's rights.
TEST(DesktopViewStart, TheShellsOwnDesktopViewStartsAProgram) {
    const testing::shell_desktop_view shell;
    ASSERT_EQ(FindWindowW(L"Notepad", nullptr), nullptr);
    wchar_t system[MAX_PATH]{};
    GetSystemDirectoryW(system, MAX_PATH);
    ASSERT_TRUE(desktop_view_start_program(from_wide(system) + "\\notepad.exe"));
    HWND started = nullptr;
    ASSERT_TRUE(testing::wait_for([&] { return (started = FindWindowW(L"Notepad", nullptr)) != nullptr; }));
    PostMessageW(started, WM_CLOSE, 0, 0);
}

// Wine's own desktop view answers E_NOTIMPL, so every other test here goes to the list view.
TEST(DesktopIconPosition, ReadsAndMovesThroughTheShellsDesktopViewWhereItAnswers) {
    static desktop_view_stand_in view;
    view.items = {{L"Alpha.lnk", {40, 60}}, {L"Beta.lnk", {200, 60}}};
    // A class registered in this process comes before the shell's.
    const testing::shell_desktop_view shell;
    const testing::desktop_view_registration registration(view);
    const fake_desktop desktop("Alpha=1,1");
    EXPECT_EQ(get_desktop_icon_position("Beta.lnk"), (icon_point{200, 60}));
    set_desktop_icon_position("Alpha.lnk", {120, 300});
    EXPECT_EQ(view.items[0].second.x, 120);
    EXPECT_EQ(view.items[0].second.y, 300);
    EXPECT_EQ(desktop.position(0), (icon_point{1, 1}));
    EXPECT_EQ(view.calls, 2);
    // A name the view does not know goes to the list view.
    EXPECT_EQ(get_desktop_icon_position("Gamma.lnk"), std::nullopt);
    EXPECT_EQ(view.calls, 2);
}

// A hung shell answers nothing, soon, as a missing desktop does, and keeps none of our buffers.
TEST(DesktopIconPosition, AHungDesktopAnswersNothingWithinSeconds) {
    const fake_desktop desktop("--hang Hung=10,20");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(get_desktop_icon_position("Hung.lnk"), std::nullopt);
    set_desktop_icon_position("Hung.lnk", {30, 40});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
    expect_no_buffers();
}

// The shell answers an item's text only after the program has given up on it: the buffers it
// writes into then are still its own, and the list view is asked again at the next refresh.
TEST(DesktopIconPosition, AnAnswerAfterTheTimeLimitLandsInBuffersLeftToTheShell) {
    const fake_desktop desktop("--late-text 3000 Late=10,20");
    EXPECT_EQ(get_desktop_icon_position("Late.lnk"), std::nullopt);
    expect_no_buffers();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(get_desktop_icon_position("Late.lnk"), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    Sleep(2000);
    EXPECT_EQ(desktop.position(0), (icon_point{10, 20}));  // alive after its late answer
    desktop_may_answer_again();
    EXPECT_EQ(get_desktop_icon_position("Late.lnk"), (icon_point{10, 20}));
}

TEST(DesktopIconPosition, WithoutADesktopNothingIsFoundOrMovedAndNothingLeaks) {
    EXPECT_EQ(get_desktop_icon_position("Any.lnk"), std::nullopt);
    {
        // Some other program's top-level list view is not the desktop.
        const fake_desktop stray("--stray Stray=30,40");
        EXPECT_EQ(get_desktop_icon_position("Stray.lnk"), std::nullopt);
        set_desktop_icon_position("Stray.lnk", {300, 300});
        EXPECT_EQ(stray.position(0), (icon_point{30, 40}));
        expect_no_buffers();
    }
    const fake_desktop desktop("A=10,10 B=20,20 C=30,30");
    // The first accesses settle the desktop's own heap.
    get_desktop_icon_position("C.lnk");
    set_desktop_icon_position("C.lnk", {30, 30});
    const std::size_t before = desktop.committed_bytes();
    for (int i = 0; i < 100; ++i) {
        get_desktop_icon_position("C.lnk");
        set_desktop_icon_position("C.lnk", {30 + i % 2, 30});
    }
    // A leak would hold three pages for each of the 200 accesses.
    EXPECT_LT(desktop.committed_bytes(), before + 1024 * 1024) << before;
    expect_no_buffers();
}

// The probe's fault, the message box it shows, and the buffers it released before.
TEST(FatalErrorFilter, ReleasesTheBuffersThenReportsTheFaultByItsCode) {
    const struct {
        const char* fault;  // "closed": an access violation with no buffers open
        DWORD code;
        const char* message;
    } cases[] = {
        {"access", 0xC0000005, "General Protection Fault (Access Violation)"},
        {"divide", 0xC0000094, "General Protection Fault, Error code hC0000094"},
        {"closed", 0xC0000005, "General Protection Fault (Access Violation)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        const fake_desktop desktop("A=10,10");
        const testing::temp_folder folder;
        const std::string report = folder.file("buffers.txt");
        const testing::child_process probe = testing::start(
            "crash_probe.exe", std::to_string(desktop.list_view()) + " " + c.fault + " \"" + report + "\"");
        HWND box = nullptr;
        std::string text;
        // The dialog exists a moment before its texts do.
        ASSERT_TRUE(testing::wait_for([&] {
            box = testing::window_of_process(L"#32770", probe.id);
            text = box ? testing::longest_text(box) : "";
            return !text.empty();
        }));
        EXPECT_EQ(testing::window_text(box), "Vi Zozava");
        EXPECT_EQ(text, "FATAL error => " + std::string(c.message) + "\n\nProgram will terminate");
        std::uintptr_t item = 0, text_buffer = 0, point = 0;
        std::ifstream{std::filesystem::path(to_wide(report))} >> item >> text_buffer >> point;
        EXPECT_EQ(item != 0 && point != 0, std::string(c.fault) != "closed");
        for (const std::uintptr_t address : {item, text_buffer, point})
            EXPECT_FALSE(address && desktop.is_allocated(address)) << address;

        PostMessageW(box, WM_COMMAND, IDOK, 0);
        ASSERT_EQ(WaitForSingleObject(probe.process.get(), 30000), WAIT_OBJECT_0);
        DWORD exit_code = 0;
        GetExitCodeProcess(probe.process.get(), &exit_code);
        EXPECT_EQ(exit_code, c.code);
    }
}

}  // namespace
}  // namespace corvane
