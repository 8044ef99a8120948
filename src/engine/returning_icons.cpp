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
    std::optional<desktop_layout> desktop = read_desktop_layout();
    if (desktop && (desktop->icons_hidden || desktop->auto_arrange)) {
        waiting.clear();
        return;
    }
    std::vector<waiting_icon> still_waiting;
    for (waiting_icon& icon : waiting) {
        const std::optional<std::size_t> item = desktop ? find_item(*desktop, icon.link_file_name) : std::nullopt;
        if (!item) {
            if (now - icon.since < returning_icon_patience) still_waiting.push_back(std::move(icon));
            continue;
        }
        if (!place_suits(icon.place, *desktop, *item)) continue;
        set_desktop_icon_position(icon.link_file_name, icon.place.point);
        // Icons that come back together never land on each other.
        desktop->items[*item].point = icon.place.point;
    }
    waiting = std::move(still_waiting);
}

}  // namespace corvane
