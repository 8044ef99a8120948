#include "shell/icon_places.h"

#include <algorithm>
#include <cstdlib>

#include "base/text.h"

namespace corvane {
namespace {

// A view that tells no spacing still has cells: those of 96 DPI's default.
constexpr std::int32_t default_cell = 75;

std::int32_t cell_side(std::int32_t side) { return side > 0 ? side : default_cell; }

bool parse_all(const std::vector<std::string>& elements, std::size_t first, std::int32_t* values, std::size_t count) {
    if (elements.size() < first + count) return false;
    for (std::size_t index = 0; index < count; ++index)
        if (parse_int32(elements[first + index], values[index]) != std::errc()) return false;
    return true;
}

bool within(const screen_rect& inner, const screen_rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

std::vector<std::string> place_elements(icon_point point, const display_info& display) {
    const screen_rect& screen = display.virtual_screen;
    const std::int64_t numbers[] = {point.x,     point.y, screen.left, screen.top, std::int64_t{screen.right} - screen.left,
                                    std::int64_t{screen.bottom} - screen.top, display.dpi};
    std::vector<std::string> elements;
    for (const std::int64_t number : numbers) elements.push_back(std::to_string(number));
    return elements;
}

std::optional<stored_place> parse_place(const std::vector<std::string>& elements) {
    std::int32_t point[2]{};
    if (!parse_all(elements, 0, point, 2)) return std::nullopt;
    stored_place place{{point[0], point[1]}, std::nullopt};
    std::int32_t display[5]{};  // left, top, width, height, DPI
    if (parse_all(elements, 2, display, 5) && display[2] > 0 && display[3] > 0 && display[4] > 0 &&
        display[0] <= INT32_MAX - display[2] && display[1] <= INT32_MAX - display[3])
        place.display = display_info{{display[0], display[1], display[0] + display[2], display[1] + display[3]}, display[4]};
    return place;
}

std::optional<std::size_t> find_item(const desktop_layout& desktop, const std::string& link_file_name) {
    for (std::size_t index = 0; index < desktop.items.size(); ++index)
        if (desktop.items[index].label + ".lnk" == link_file_name) return index;
    return std::nullopt;
}

std::optional<icon_point> place_on(const stored_place& place, const desktop_layout& desktop) {
    if (desktop.icons_hidden || desktop.auto_arrange) return std::nullopt;
    const std::int64_t width = cell_side(desktop.spacing.x), height = cell_side(desktop.spacing.y);
    // The view's (0, 0) is the corner of the screen it was taken on: a monitor added on the
    // left moves every point of the primary one.
    const bool same = place.display == desktop.display;
    const icon_point corner = place.display ? icon_point{place.display->virtual_screen.left, place.display->virtual_screen.top}
                                            : desktop.origin;
    const std::int64_t left = std::int64_t{corner.x} + place.point.x, top = std::int64_t{corner.y} + place.point.y;
    const std::int64_t x = left - desktop.origin.x, y = top - desktop.origin.y;
    if (std::min({left, top, x, y}) < INT32_MIN || std::max({left + width, top + height, x, y}) > INT32_MAX)
        return std::nullopt;
    // On the same display the user's own place near an edge stands; elsewhere the whole cell
    // must be on a monitor now. Either way, never where no monitor is.
    const screen_rect cell{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                           static_cast<std::int32_t>(left + (same ? 1 : width)),
                           static_cast<std::int32_t>(top + (same ? 1 : height))};
    if (std::none_of(desktop.work_areas.begin(), desktop.work_areas.end(),
                     [&](const screen_rect& area) { return within(cell, area); }))
        return std::nullopt;
    for (const desktop_layout::item& other : desktop.items)
        if (!other.returning && std::abs(other.point.x - x) < width && std::abs(other.point.y - y) < height)
            return std::nullopt;
    return icon_point{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}

}  // namespace corvane
