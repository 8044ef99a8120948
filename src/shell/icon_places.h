#pragma once
// Whether a desktop icon's remembered place suits the desktop as it is now. A place is kept
// with the display it was taken on, so that after docking, a new resolution or scale, or a
// monitor gone, an icon is not put off the screen or onto another.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// In the desktop list view's own coordinates.
struct icon_point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const icon_point&) const = default;
};

struct screen_rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const screen_rect&) const = default;
};

// The virtual screen (every monitor) and the desktop's DPI.
struct display_info {
    screen_rect virtual_screen;
    std::int32_t dpi = 0;
    bool operator==(const display_info&) const = default;
};

// A place as stored: places stored before displays were kept have none.
struct stored_place {
    icon_point point;
    std::optional<display_info> display;
};

// The desktop as placing needs it.
struct desktop_layout {
    bool answered = true;  // false when the desktop stopped answering while it was read
    bool icons_hidden = false;
    bool auto_arrange = false;
    display_info display;
    std::vector<screen_rect> work_areas;  // of the monitors, on the screen
    icon_point origin;                    // where the view's (0, 0) is on the screen
    icon_point spacing;                   // the width and height of one icon's cell
    struct item {
        std::string label;
        icon_point point;
        bool returning = false;  // waits to be put in place: its cell is not taken
    };
    std::vector<item> items;
};

// The elements of a position entry: x and y, then the display's rectangle and DPI.
std::vector<std::string> place_elements(icon_point point, const display_info& display);
// Nothing unless the first two are 32-bit numbers; a display only when the next five are
// (width, height and DPI above 0).
std::optional<stored_place> parse_place(const std::vector<std::string>& elements);

// The item whose label + ".lnk" is the file name, letter case included: the first such.
std::optional<std::size_t> find_item(const desktop_layout& desktop, const std::string& link_file_name);

// Where in the view a returning icon goes, its place moved with the screen's corner; nothing
// while the desktop arranges its icons or hides them, nor onto the cell of an icon that is not
// returning itself. On the display the place was taken on, it goes wherever a monitor is now;
// elsewhere only when its whole cell lies inside a monitor's work area.
std::optional<icon_point> place_on(const stored_place& place, const desktop_layout& desktop);

}  // namespace corvane
