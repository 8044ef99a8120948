#include "engine/main_mod.h"

#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <utility>

#include "base/error.h"
#include "base/process_paths.h"
#include "base/text.h"
#include "engine/cleanup_mod.h"
#include "engine/never_linked.h"
#include "engine/own_links.h"
#include "engine/returning_icons.h"
#include "shell/desktop_icons.h"
#include "shell/easy_link.h"
#include "shell/easy_path.h"
#include "state/globals.h"
#include "state/notices.h"
#include "store/dictionary.h"
#include "store/dictionary_ext.h"
#include "store/reach.h"
#include "ui/exclude_mod.h"

namespace corvane {

const std::string link_marker = "Quillon Corvane Link";

namespace {

// The tree of the current refresh, replaced by the next one.
std::unique_ptr<recent_items> recent_tree;

bool refreshing = false;

// Refreshes running in which the desktop refused a link, and until when it is left alone.
int refused_refreshes = 0;
std::chrono::steady_clock::time_point desktop_rest_until{};
constexpr int desktop_refusals_to_rest = 3;
constexpr std::chrono::hours desktop_rest{1};

// When each target folder that did not answer was first found so; one that answers is forgotten.
std::map<std::string, std::chrono::steady_clock::time_point> unreachable_since;

// When each recent folder that is away was first found so; one that is back is forgotten.
std::map<std::string, std::chrono::steady_clock::time_point> away_since;

std::string staged(const std::string& file_name) { return child_path(globals::staging_folder, file_name); }

// A hand-edited maximum that is no number counts as the default, so that the refresh
// still completes and its cleanup runs. Notepad leaves a line end after the number.
double maximum_links() {
    const std::string_view text = trim_white_space(globals::max_folders.value());
    double value = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (problem != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return default_max_folders;
    return value;
}

// Anything but a pair of 32-bit numbers (a hand-edited store) counts as no position, so
// that one bad entry cannot fail every refresh at its link.
std::optional<stored_place> remembered_place(const std::string& link_file_name) {
    if (!globals::link_positions.exists(link_file_name)) return std::nullopt;
    return parse_place(split_array(globals::link_positions.store.item(link_file_name)));
}

// OneDrive's folder backup moves the desktop, often just after the first sign-in: the links
// leave the folder the shell no longer shows and are made on the new one.
void follow_shown_desktop(std::chrono::steady_clock::time_point now) {
    if (!globals::read_desktop_folder) return;
    const std::string shown = globals::read_desktop_folder();
    std::optional<std::string> left;
    if (!shown.empty() && shown != globals::desktop_folder && folder_within_reach(shown, now))
        left = std::exchange(globals::desktop_folder, shown);
    // Those carried along with the files first, so that only the ones left behind go.
    follow_carried_links(globals::desktop_folder);
    if (left) remove_own_links_from(*left);
}

// Where the program's own link of that name on the desktop leads; nothing for a file that is
// not its own, or one kept online only, which reading would download.
std::optional<std::string> own_link_target(const std::string& on_desktop) {
    if (!is_own_link(on_desktop) || is_online_only(on_desktop)) return std::nullopt;
    return link_target_path(on_desktop);
}

// Unreachable is not gone: a link of ours to a folder whose drive or server does not answer
// (mapped drives and the VPN not back after sign-in or resume, a drive unplugged) keeps its
// place and its slot for as long as a recent folder that is away keeps its links.
bool keep_unreachable_link(const std::string& target, const std::string& link, const std::string& link_name,
                           std::chrono::steady_clock::time_point now) {
    const auto since = unreachable_since.try_emplace(target, now).first->second;
    const std::string on_desktop = child_path(globals::desktop_folder, link_name);
    if (now - since >= recent_folder_grace || own_link_target(on_desktop) != target) return false;
    try {
        copy_file(on_desktop, link);
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

enum class placing { nothing, placed, refused };

// Copies a link just made to the desktop, unless one of that name is there; rewrites the
// program's own in its place when a newer folder of the same display name takes it over.
placing put_on_desktop(const std::string& link, const std::string& link_name, const std::string& target,
                       std::chrono::steady_clock::time_point now) {
    const std::string on_desktop = child_path(globals::desktop_folder, link_name);
    if (!file_exists(on_desktop)) {
        // A folder of that name is passed over, and so is every new link while the record of
        // the program's own cannot be read: none made then could be known as ours again.
        if (now < desktop_rest_until || folder_exists(on_desktop) || globals::own_links.file_text.unreadable)
            return placing::nothing;
        try {
            copy_to_new_file(link, on_desktop);
        } catch (const error& failure) {
            // The other links and the cleanup go on; a file that came meanwhile is not ours.
            return failure.number() == error_number::permission_denied ? placing::refused : placing::nothing;
        }
        record_own_link(on_desktop);
        restore_icon_position(link_name);
        desktop_rest_until = {};
        return placing::placed;
    }
    // One that cannot be rewritten (hidden, read-only, locked) stays as it is. Anything else
    // of that name is the user's or another PC's, and the name is passed over this time.
    if (const std::optional<std::string> led_to = own_link_target(on_desktop); led_to && *led_to != target) {
        try {
            copy_file(link, on_desktop);
            record_own_link(on_desktop);
        } catch (const std::exception&) {
        }
    }
    return placing::nothing;
}

}  // namespace

bool refresh_running() { return refreshing; }

void refresh() { refresh(std::chrono::steady_clock::now()); }

void refresh(std::chrono::steady_clock::time_point now) {
    // A message sent to the program while the refresh waits on the desktop's process (a
    // tick, a tray click whose menu dispatches the tick) must not start a second one inside,
    // nor one inside the placing of icons.
    if (refreshing || placing_returning_icons()) return;
    refreshing = true;
    const struct done {
        ~done() { refreshing = false; }
    } done;
    desktop_may_answer_again();
    try {
        follow_shown_desktop(now);
        adopt_marked_links(globals::desktop_folder);
        recent_tree = std::make_unique<recent_items>();
        bool away_for_a_moment = false;
        for (const std::string& source : globals::recent_sources) {
            // A recent folder redirected to a server is asked as a shortcut's target is.
            if (folder_within_reach(source, now)) {
                away_since.erase(source);
                scan_recent_folder(source, *recent_tree);
                continue;
            }
            // A folder removed since start-up (an office suite uninstalled) is passed over
            // rather than failing every refresh until the next start. Just gone, it may be
            // back in a moment: its links must not all be deleted, to be copied back then.
            const auto since = away_since.try_emplace(source, now).first->second;
            if (now - since < recent_folder_grace) away_for_a_moment = true;
        }
        prepare_staging_folder();
        create_folder_links(*recent_tree, now);
        if (!away_for_a_moment) remove_stale_links();
    } catch (...) {
        // Silent by design: what was done stays, and the next tick starts afresh.
    }
}

void scan_recent_folder(const std::string& folder_path, recent_items& tree) {
    // The listing has left out every file whose time it could not read.
    for (const file_entry& file : folder_files(folder_path)) tree.insert(file, file.modified);
}

void prepare_staging_folder() {
    const std::string& staging = globals::staging_folder;
    // The program's own folder in the profile comes first.
    const std::string parent = containing_folder(staging);
    if (!parent.empty() && !folder_exists(parent)) create_folder(parent);
    if (!folder_exists(staging)) create_folder(staging);
    // Never empty or follow a link planted in the folder's place or in its parent's.
    if (!is_real_folder(staging) || (!parent.empty() && !is_real_folder(parent)))
        throw error(error_number::path_file_access, "\"" + staging + "\" is a link or not a folder");
    for (const file_entry& file : folder_files(staging)) delete_file(file.path);
}

void create_folder_links(const recent_items& tree, std::chrono::steady_clock::time_point now) {
    const std::vector<file_entry> items = tree.get_list();
    std::size_t made = 0;
    bool refused = false;
    for (auto item = items.rbegin(); item != items.rend(); ++item) {
        std::string target, link;
        try {
            target = link_target_path(item->path);
            if (target.empty()) continue;
            link = link_file_path(target);
        } catch (const std::exception&) {
            continue;
        }
        // A name made already in this refresh: not even its folder is asked.
        if (file_exists(link)) continue;
        const reach verdict = folder_reach(target, now);
        if (verdict != reach::away) unreachable_since.erase(target);
        if (verdict == reach::gone) continue;
        const std::string link_name = last_path_part(link);
        // Out of reach, only a link of ours there already is worth a look.
        if (verdict == reach::away && !globals::own_links.exists(child_path(globals::desktop_folder, link_name))) continue;
        // A name the file system cannot hold here or on the desktop is passed over like a
        // banned one, before anything is copied, so that older folders still get theirs.
        if (never_linked(target) || !not_excluded(link_name) ||
            !path_fits(globals::staging_folder, link_name) || !path_fits(globals::desktop_folder, link_name))
            continue;
        if (verdict == reach::away) {
            if (!keep_unreachable_link(target, link, link_name, now)) continue;
            if (maximum_links() <= static_cast<double>(++made)) break;
            continue;
        }
        try {
            // Straight to the link's name: a recent shortcut may bear any name, that of
            // another folder's link included.
            copy_file(item->path, link);
        } catch (const std::exception&) {
            continue;
        }

        set_link_marks(link, link_marker, choose_link_icon(link_name), 0);
        const placing placed = put_on_desktop(link, link_name, target, now);
        refused = refused || placed == placing::refused;

        ++made;
        if (maximum_links() <= static_cast<double>(made)) break;
    }
    // Three refreshes running: Windows Security's Controlled folder access, most likely.
    refused_refreshes = refused ? refused_refreshes + 1 : 0;
    if (refused_refreshes >= desktop_refusals_to_rest) {
        refused_refreshes = 0;
        desktop_rest_until = now + desktop_rest;
        tell_user(notice::desktop_refused);
    }
}

std::string link_file_path(const std::string& target_path) {
    return staged(folder_display_name(target_path) + ".lnk");
}

std::string folder_display_name(const std::string& path) {
    if (path.empty()) throw error(error_number::subscript_out_of_range, "A folder path has no name");
    const std::vector<std::string_view> parts = split(path, std::string_view(&path_separator, 1));
    std::string parent = parts.size() >= 2 ? std::string(parts[parts.size() - 2]) : std::string();
    std::erase(parent, ':');
    std::string name(parts.back());
    if (!parent.empty()) name += " " + parent;
    return std::string(trim_spaces(name));
}

void restore_icon_position(const std::string& link_file_name) {
    if (const std::optional<stored_place> place = remembered_place(link_file_name))
        queue_returning_icon(link_file_name, *place, std::chrono::steady_clock::now());
}

std::string choose_link_icon(const std::string& link_file_name) {
    if (globals::link_icons.exists(link_file_name)) return globals::link_icons.item(link_file_name);

    // Every desktop file that bears a known link name counts as a user of that link's icon.
    dictionary usage;
    for (const file_entry& file : folder_files(globals::desktop_folder))
        if (globals::link_icons.exists(file.name)) usage.add(file.name, globals::link_icons.item(file.name));

    stree<std::string, std::size_t> by_use;
    for (const file_entry& icon : folder_files(globals::icons_folder))
        by_use.insert(icon.path, dict_item_count(usage, icon.path));

    const std::vector<std::string> least_used_first = by_use.get_list();
    const std::string choice = least_used_first.empty() ? std::string() : least_used_first.front();
    globals::link_icons.add(link_file_name, choice);
    return choice;
}

}  // namespace corvane
