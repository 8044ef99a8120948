#include "engine/returning_icons.h"

#include <optional>
#include <utility>
#include <vector>

#include "shell/desktop_icons.h"

namespace corvane {
namespace {

struct waiting_icon {
    std::string link_file_name;
    stored_place place;
    std::chrono::steady_clock::time_point since;
};

std::vector<waiting_icon> waiting;
bool placing = false;

}  // namespace

void queue_returning_icon(const std::string& link_file_name, const stored_place& place,
                          std::chrono::steady_clock::time_point now) {
    forget_returning_icon(link_file_name);
    waiting.push_back({link_file_name, place, now});
}

void forget_returning_icon(const std::string& link_file_name) {
    std::erase_if(waiting, [&](const waiting_icon& icon) { return icon.link_file_name == link_file_name; });
}

bool returning_icons_waiting() { return !waiting.empty(); }

bool placing_returning_icons() { return placing; }

void place_returning_icons(std::chrono::steady_clock::time_point now) {
    if (placing || waiting.empty()) return;
    placing = true;
    const struct done {
        ~done() { placing = false; }
    } done;
    std::vector<waiting_icon> still_waiting;
    try {
        std::optional<desktop_layout> desktop = read_desktop_layout();
        // A desktop that did not answer is not asked again and again, each time for seconds.
        if (desktop && (desktop->icons_hidden || desktop->auto_arrange || !desktop->answered)) {
            waiting.clear();
            return;
        }
        // Icons that come back together may each stand on the other's place for now.
        std::vector<std::optional<std::size_t>> items;
        for (const waiting_icon& icon : waiting) {
            items.push_back(desktop ? find_item(*desktop, icon.link_file_name) : std::nullopt);
            if (items.back()) desktop->items[*items.back()].returning = true;
        }
        for (std::size_t index = 0; index < waiting.size(); ++index) {
            waiting_icon& icon = waiting[index];
            const std::optional<std::size_t> item = items[index];
            if (!item) {
                if (now - icon.since < returning_icon_patience) still_waiting.push_back(std::move(icon));
                continue;
            }
            desktop_layout::item& shown = desktop->items[*item];
            shown.returning = false;
            if (const std::optional<icon_point> place = place_on(icon.place, *desktop)) {
                set_desktop_icon_position(icon.link_file_name, *place);
                shown.point = *place;
            }
        }
    } catch (const std::exception&) {
        // An icon left where the shell put it is no loss worth more than that.
        still_waiting.clear();
    }
    waiting = std::move(still_waiting);
}

}  // namespace corvane
