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

bool place_suits(const stored_place& place, const desktop_layout& desktop, std::size_t moving_item) {
    if (desktop.icons_hidden || desktop.auto_arrange) return false;
    const std::int64_t width = cell_side(desktop.spacing.x), height = cell_side(desktop.spacing.y);
    for (std::size_t index = 0; index < desktop.items.size(); ++index) {
        const icon_point other = desktop.items[index].point;
        if (index != moving_item && std::abs(std::int64_t{other.x} - place.point.x) < width &&
            std::abs(std::int64_t{other.y} - place.point.y) < height)
            return false;
    }
    if (place.display == desktop.display) return true;
    const std::int64_t left = std::int64_t{desktop.origin.x} + place.point.x;
    const std::int64_t top = std::int64_t{desktop.origin.y} + place.point.y;
    if (left < INT32_MIN || top < INT32_MIN || left + width > INT32_MAX || top + height > INT32_MAX) return false;
    const screen_rect cell{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                           static_cast<std::int32_t>(left + width), static_cast<std::int32_t>(top + height)};
    return std::any_of(desktop.work_areas.begin(), desktop.work_areas.end(),
                       [&](const screen_rect& area) { return within(cell, area); });
}

}  // namespace corvane
