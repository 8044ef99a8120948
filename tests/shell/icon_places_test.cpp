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
    // A monitor docked on the left: the view's corner, and every point on the laptop, moves.
    desktop_layout docked = laptop_desktop();
    docked.display = {{-1920, 0, 1920, 1080}, 96};
    docked.origin = {-1920, 0};
    docked.work_areas = {{-1920, 0, 0, 1040}, {0, 0, 1920, 1040}};
    desktop_layout arranged = laptop_desktop(), hidden = laptop_desktop(), returning = laptop_desktop();
    arranged.auto_arrange = true;
    hidden.icons_hidden = true;
    returning.items[1].returning = true;  // it stands where the icon goes, but leaves too
    const std::optional<display_info> unknown;
    const display_info larger{{0, 0, 2560, 1440}, 96}, scaled{{0, 0, 1920, 1080}, 144};
    const std::optional<icon_point> stays;
    const struct {
        const char* what;
        stored_place place;
        desktop_layout desktop;
        std::optional<icon_point> goes_to;
    } cases[] = {
        {"same display", {{1000, 500}, laptop}, laptop_desktop(), icon_point{1000, 500}},
        {"same display, beside the taskbar", {{1880, 1030}, laptop}, laptop_desktop(), icon_point{1880, 1030}},
        {"same display, on the user's icon", {{720, 310}, laptop}, laptop_desktop(), stays},
        {"same display, on an icon returning too", {{720, 310}, laptop}, returning, icon_point{720, 310}},
        {"same display, on the cell beside it", {{775, 300}, laptop}, laptop_desktop(), icon_point{775, 300}},
        {"larger screen before, inside", {{1000, 500}, larger}, laptop_desktop(), icon_point{1000, 500}},
        {"larger screen before, outside", {{2400, 1300}, larger}, laptop_desktop(), stays},
        {"larger screen before, over the edge", {{1880, 500}, larger}, laptop_desktop(), stays},
        {"other DPI, inside", {{1000, 500}, scaled}, laptop_desktop(), icon_point{1000, 500}},
        {"other DPI, under the taskbar", {{1000, 1000}, scaled}, laptop_desktop(), stays},
        {"no display stored, inside", {{1000, 500}, unknown}, laptop_desktop(), icon_point{1000, 500}},
        {"no display stored, off the left", {{-200, 40}, unknown}, laptop_desktop(), stays},
        {"docked: the laptop's place, moved with the corner", {{100, 100}, laptop}, docked, icon_point{2020, 100}},
        {"undocked: a place on the laptop", {{2020, 100}, docked.display}, laptop_desktop(), icon_point{100, 100}},
        {"undocked: a place on the monitor gone", {{120, 100}, docked.display}, laptop_desktop(), stays},
        {"the desktop arranges its icons", {{1000, 500}, laptop}, arranged, stays},
        {"the desktop hides its icons", {{1000, 500}, laptop}, hidden, stays},
    };
    for (const auto& c : cases) EXPECT_EQ(place_on(c.place, c.desktop), c.goes_to) << c.what;
}

TEST(IconPlaces, APlaceIsStoredWithItsDisplayAndAnOlderOneReadsAsDisplayUnknown) {
    const display_info docked{{-1920, 0, 1920, 1080}, 120};
    const std::vector<std::string> stored = place_elements({-300, 240}, docked);
    EXPECT_EQ(stored, (std::vector<std::string>{"-300", "240", "-1920", "0", "3840", "1080", "120"}));
    const std::optional<display_info> unknown;
    const struct {
        std::vector<std::string> elements;
        bool place;
        std::optional<display_info> display;
    } cases[] = {{stored, true, docked},
                 {{"300", "240"}, true, unknown},
                 {{"300", "240", "0", "0", "1920"}, true, unknown},
                 {{"300", "240", "0", "0", "0", "1080", "96"}, true, unknown},
                 {{"300", "240", "2147483000", "0", "1000", "1080", "96"}, true, unknown},
                 {{"300", "x", "0", "0", "1920", "1080", "96"}, false, unknown}};
    for (const auto& c : cases) {
        const std::optional<stored_place> place = parse_place(c.elements);
        EXPECT_EQ(place.has_value(), c.place) << c.elements[1];
        EXPECT_EQ(place ? place->display : unknown, c.display) << c.elements.size();
    }
}

}  // namespace
}  // namespace corvane
