// The tray program's rules that hold no window: where a form opens, the banned-list
// editor's text, the maximum the dialog stores, and when a burst of changes refreshes.

#include <gtest/gtest.h>

#include "ui/change_burst.h"
#include "ui/elevation.h"
#include "ui/form_placement.h"
#include "ui/frmEditor.h"
#include "ui/frm_max_folders.h"
#include "ui/late_click.h"

namespace corvane {
namespace {

using std::chrono::milliseconds;

TEST(EditorText, ShowsTheSectionsLinesAndWritesThemBackBehindItsHeader) {
    const struct {
        std::string file, shown;
    } cases[] = {
        {"[exclude]\r\nProjects Documents.lnk\r\n  data d.LNK  \r\n", "Projects Documents.lnk\r\n  data d.LNK  \r\n"},
        {"[other]\r\nk=v\r\n[exclude]\r\nA.lnk\r\n", "[other]k=v\r\n\r\nA.lnk\r\n"},
        {"[EXCLUDE]\r\nB.lnk", "[EXCLUDE]B.lnk"},
        {"", ""},
        {"[exclude]\r\n", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(editor_text_of_file(c.file), c.shown) << c.file;
    EXPECT_EQ(file_text_of_editor("Projects Documents.lnk\r\n  data d.LNK  \r\n"),
              "[exclude]\r\nProjects Documents.lnk\r\n  data d.LNK  \r\n");
    EXPECT_EQ(file_text_of_editor("[other]k=v\r\n\r\nA.lnk\r\n"), "[exclude]\r\n[other]k=v\r\n\r\nA.lnk\r\n");
    EXPECT_EQ(file_text_of_editor(""), "[exclude]\r\n");
}


TEST(TypedMaximum, StoresWholeNumbersRoundedHalfToEvenAndIgnoresTheRest) {
    const struct {
        const char* typed;
        const char* separator;
        std::optional<std::string> stored;
    } cases[] = {
        {"12", ".", "12"},       {"  5  ", ".", "5"},   {"7.5", ".", "8"},       {"6.5", ".", "6"},
        {"-3", ".", "-3"},       {"0", ".", "0"},       {"+4", ".", "4"},        {"-0.5", ".", "0"},
        {"2.5000001", ".", "3"}, {"2.49", ".", "2"},    {".5", ".", "0"},        {"9.", ".", "9"},
        {"7,5", ",", "8"},       {"7.5", ",", {}},      {"xyz", ".", {}},        {"", ".", {}},
        {" ", ".", {}},          {"-", ".", {}},        {"1e3", ".", {}},        {"5 5", ".", {}},
        {"32767", ".", "32767"}, {"-32768", ".", "-32768"}, {"32768", ".", {}}, {"32767.5", ".", {}},
        {"0000012", ".", "12"},  {"99999999", ".", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(typed_maximum(c.typed, c.separator), c.stored) << '"' << c.typed << '"';
}

TEST(FormOrigin, OpensBesideThePointerOnTheRoomierSideAndInsideTheWorkArea) {
    // 1920 x 1080 with a 40-pixel taskbar at the bottom, unless a case says otherwise.
    const screen_rect bottom_bar{0, 0, 1920, 1040};
    const struct {
        const char* where;
        screen_point pointer;
        screen_rect work_area;
        screen_point origin;
        int width = 300, height = 200;
    } cases[] = {
        {"on the tray, taskbar at the bottom", {1850, 1060}, bottom_bar, {1550, 840}},
        {"on the menu above the tray", {1800, 990}, bottom_bar, {1500, 790}},
        {"taskbar at the top", {1850, 20}, {0, 40, 1920, 1080}, {1550, 40}},
        {"taskbar on the left", {20, 1000}, {60, 0, 1920, 1080}, {60, 800}},
        {"taskbar on the right", {1900, 1000}, {0, 0, 1860, 1080}, {1560, 800}},
        {"in the middle of the screen", {900, 500}, bottom_bar, {900, 500}},
        {"a monitor left of the main one", {-100, 1060}, {-1920, 0, 0, 1040}, {-400, 840}},
        {"a monitor above, at 150 %", {100, -50}, {0, -1600, 2560, -40}, {100, -250}},
        {"a form larger than the work area keeps its top left corner on it", {1200, 700}, {0, 0, 1280, 760}, {0, 0},
         1600, 900},
    };
    for (const auto& c : cases) {
        const screen_point origin = form_origin(c.pointer, c.width, c.height, c.work_area);
        EXPECT_EQ(origin.x, c.origin.x) << c.where;
        EXPECT_EQ(origin.y, c.origin.y) << c.where;
    }
}


TEST(BurstDelay, RefreshesASecondAfterTheLastChangeAndAtMostFiveAfterTheFirst) {
    const struct {
        milliseconds since_first_change, delay;
    } cases[] = {
        {milliseconds{0}, milliseconds{1000}},    {milliseconds{3999}, milliseconds{1000}},
        {milliseconds{4000}, milliseconds{1000}}, {milliseconds{4600}, milliseconds{400}},
        {milliseconds{5000}, milliseconds{0}},    {milliseconds{90000}, milliseconds{0}},
    };
    for (const auto& c : cases) EXPECT_EQ(burst_delay(c.since_first_change), c.delay) << c.since_first_change.count();
}

TEST(LateClick, OpensTheMenuOnlyWhenWhatHeldItReturnedWithinASecond) {
    const struct {
        std::uint32_t click, busy_ended;
        bool opens;
    } cases[] = {
        {5000, 4000, true},   // nothing held it
        {5000, 5900, true},   {5000, 6000, true}, {5000, 6001, false}, {5000, 60000, false},
        {0xFFFFFF00u, 0x200u, true}, {0xFFFFFF00u, 0x500u, false},  // across the tick's wrap
    };
    for (const auto& c : cases) EXPECT_EQ(late_click_opens_menu(c.click, c.busy_ended), c.opens) << c.busy_ended;
}

TEST(ElevatedStart, AnElevatedCopyHandsOverToTheShellOnceOrEnds) {
    using enum elevated_start;
    const struct {
        bool elevated, shell_found, shell_elevated, handed_over;
        elevated_start step;
    } cases[] = {
        {false, true, false, false, run},       {false, false, false, false, run},
        {true, true, false, false, hand_over},  {true, true, false, true, refuse},  // the shell gave it back elevated
        {true, false, false, false, refuse},    {true, true, true, false, run},     // no other level: UAC off
    };
    for (const auto& c : cases)
        EXPECT_EQ(start_when(c.elevated, c.shell_found, c.shell_elevated, c.handed_over), c.step)
            << c.elevated << c.shell_found << c.shell_elevated << c.handed_over;
}

}  // namespace
}  // namespace corvane
