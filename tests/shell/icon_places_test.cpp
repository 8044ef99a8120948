#include "shell/icon_places.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const display_info laptop{{0, 0, 1920, 1080}, 96};

// The laptop's screen, the returning icon put at the first free cell by the shell, and an
// icon of the user's.
desktop_layout laptop_desktop() {
    desktop_layout desktop;
    desktop.display = laptop;
    desktop.work_areas = {{0, 0, 1920, 1040}};
    desktop.spacing = {75, 75};
    desktop.items = {{"Back p", {20, 20}}, {"Mine", {700, 300}}};
    return desktop;
}

TEST(IconPlaces, AReturningIconGoesToItsPlaceOnlyWhereItFitsTheDisplayAndNoOtherIconIsThere) {
    desktop_layout docked = laptop_desktop();
    docked.display = {{-1920, 0, 1920, 1080}, 96};
    docked.origin = {-1920, 0};
    docked.work_areas = {{-1920, 0, 0, 1040}, {0, 0, 1920, 1040}};
    desktop_layout arranged = laptop_desktop(), hidden = laptop_desktop();
    arranged.auto_arrange = true;
    hidden.icons_hidden = true;
    const std::optional<display_info> unknown;
    const struct {
        const char* what;
        stored_place place;
        desktop_layout desktop;
        bool moves;
    } cases[] = {
        {"same display", {{1000, 500}, laptop}, laptop_desktop(), true},
        {"same display, beside the taskbar", {{1880, 1030}, laptop}, laptop_desktop(), true},
        {"same display, on the user's icon", {{720, 310}, laptop}, laptop_desktop(), false},
        {"same display, on the cell beside it", {{775, 300}, laptop}, laptop_desktop(), true},
        {"smaller screen, inside", {{1000, 500}, display_info{{0, 0, 2560, 1440}, 96}}, laptop_desktop(), true},
        {"smaller screen, outside", {{2400, 1300}, display_info{{0, 0, 2560, 1440}, 96}}, laptop_desktop(), false},
        {"smaller screen, over the edge", {{1880, 500}, display_info{{0, 0, 2560, 1440}, 96}}, laptop_desktop(), false},
        {"other DPI, inside", {{1000, 500}, display_info{{0, 0, 1920, 1080}, 144}}, laptop_desktop(), true},
        {"other DPI, under the taskbar", {{1000, 1000}, display_info{{0, 0, 1920, 1080}, 144}}, laptop_desktop(), false},
        {"no display stored, inside", {{1000, 500}, unknown}, laptop_desktop(), true},
        {"no display stored, off the left", {{-200, 40}, unknown}, laptop_desktop(), false},
        {"docked: the monitor on the left", {{100, 100}, laptop}, docked, true},
        {"undocked: that monitor gone", {{-1800, 100}, docked.display}, laptop_desktop(), false},
        {"the desktop arranges its icons", {{1000, 500}, laptop}, arranged, false},
        {"the desktop hides its icons", {{1000, 500}, laptop}, hidden, false},
    };
    for (const auto& c : cases) EXPECT_EQ(place_suits(c.place, c.desktop, 0), c.moves) << c.what;
}

TEST(IconPlaces, APlaceIsStoredWithItsDisplayAndAnOlderOneReadsAsDisplayUnknown) {
    const std::vector<std::string> stored = place_elements({-300, 240}, {{-1920, 0, 1920, 1080}, 120});
    EXPECT_EQ(stored, (std::vector<std::string>{"-300", "240", "-1920", "0", "3840", "1080", "120"}));
    const std::optional<stored_place> read = parse_place(stored);
    ASSERT_TRUE(read && read->display);
    EXPECT_EQ(read->point, (icon_point{-300, 240}));
    EXPECT_EQ(*read->display, (display_info{{-1920, 0, 1920, 1080}, 120}));
    const struct {
        std::vector<std::string> elements;
        bool place, display;
    } cases[] = {
        {{"300", "240"}, true, false},
        {{"300", "240", "0", "0", "1920"}, true, false},
        {{"300", "240", "0", "0", "0", "1080", "96"}, true, false},
        {{"300", "240", "2147483000", "0", "1000", "1080", "96"}, true, false},
        {{"300", "x", "0", "0", "1920", "1080", "96"}, false, false},
        {{"300"}, false, false},
    };
    for (const auto& c : cases) {
        const std::optional<stored_place> place = parse_place(c.elements);
        EXPECT_EQ(place.has_value(), c.place) << c.elements.size();
        EXPECT_EQ(place && place->display, c.display) << c.elements.size();
    }
}

}  // namespace
}  // namespace corvane
