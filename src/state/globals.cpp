#include "state/globals.h"

#include <algorithm>

#include "base/error.h"
#include "base/process_paths.h"
#include "base/text.h"
#include "state/notices.h"
#include "store/file_system.h"
#include "store/reach.h"

namespace corvane {

namespace globals {
persistent_string max_folders;
persistent_dictionary link_icons;
std::string icons_folder;
std::string desktop_folder;
std::string exe_name;
std::vector<std::string> recent_sources;
persistent_array_dict link_positions;
std::string staging_folder;
std::vector<std::string> scratch_folders;
std::string user_profile;
persistent_dictionary own_links;
std::function<std::string()> read_desktop_folder;
}  // namespace globals

namespace {

const std::string shell_folders_key = R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)";

std::string office_general_key(const char* version) {
    return std::string(R"(Software\Microsoft\Office\)") + version + R"(\Common\General)";
}

bool blank(const std::string& text) { return trim_spaces(text).empty(); }

// Back to the state before start-up, so that a failed step leaves the later fields empty.
void clear_globals() {
    // What a start has to say belongs to that start.
    forget_notices();
    globals::max_folders = {};
    globals::link_icons = {};
    globals::icons_folder.clear();
    globals::desktop_folder.clear();
    globals::exe_name.clear();
    globals::recent_sources.clear();
    globals::link_positions = {};
    globals::staging_folder.clear();
    globals::scratch_folders.clear();
    globals::user_profile.clear();
    globals::own_links = {};
    globals::read_desktop_folder = nullptr;
}

// OneDrive's backup and policies often move it away from the profile's own "Desktop".
std::string shown_desktop_folder() {
    std::string desktop = shell_desktop_folder();
    if (desktop.empty()) {
        desktop = environment_variable("USERPROFILE");
        desktop += path_separator;
        desktop += "Desktop";
    }
    return desktop + path_separator;
}

// Expanded, and long where it is local: a server that is away at sign-in is not asked.
std::string full_folder_path(const std::string& folder) {
    const std::string expanded = expand_environment(folder);
    return is_network_path(expanded) ? expanded : long_path_name(expanded);
}

// Left over from old setup guides, or where Windows falls back to the profile when TEMP and
// TMP are deleted: a drive or a share whole, or a folder that holds the profile or the
// desktop, is no scratch folder, and would leave no folder a link.
bool too_wide_for_scratch(const std::string& folder) {
    std::string_view own = folder;
    while (!own.empty() && own.back() == path_separator) own.remove_suffix(1);
    const std::size_t depth = split(own, std::string_view(&path_separator, 1)).size();
    const bool root = depth <= (is_network_path(folder) ? 4u : 1u);
    return root || path_within(globals::user_profile, folder) || path_within(globals::desktop_folder, folder);
}

}  // namespace

start_up_sources process_start_up_sources() {
    return {
        .application_folder = application_folder(),
        .desktop_folder = shown_desktop_folder(),
        .exe_name = executable_name(),
        .read_registry = read_registry_value,
        .staging_folder = default_staging_folder(),
        .temporary_folders = temporary_folders(),
        .internet_cache = internet_cache_folder(),
        .profile = profile_folder(),
        // No fallback here: a shell that cannot say for a moment has not moved the desktop.
        .read_desktop_folder = [] {
            const std::string desktop = shell_desktop_folder();
            return desktop.empty() ? desktop : desktop + path_separator;
        },
    };
}

void init_globals() { init_globals(process_start_up_sources()); }

void init_globals(const start_up_sources& sources) {
    clear_globals();
    set_application_folder(sources.application_folder);
    // No store yet: the program's very first start, which it says so the user can find it.
    const char* const stores[] = {"eaoaweoio", "aweporrwrei", "pp3imsfd", own_links_store};
    if (std::none_of(std::begin(stores), std::end(stores),
                     [&](const char* store) { return file_exists(join_path(sources.application_folder, store)); }))
        tell_user(notice::first_word);

    globals::max_folders.create("eaoaweoio", std::to_string(default_max_folders));
    globals::link_icons.create("aweporrwrei");
    globals::icons_folder = join_path(sources.application_folder, "icons");
    // Only to fail early: a program without its icons folder does not start.
    folder_files(globals::icons_folder);
    globals::desktop_folder = sources.desktop_folder;
    globals::exe_name = sources.exe_name;
    globals::recent_sources = find_recent_sources(sources.read_registry);
    globals::link_positions.create("pp3imsfd");
    globals::staging_folder = sources.staging_folder;
    if (globals::staging_folder.empty())
        throw error(error_number::path_not_found, "Windows names no local application data folder for the links");
    if (!blank(sources.profile)) globals::user_profile = full_folder_path(sources.profile);
    std::vector<std::string> scratch = sources.temporary_folders;
    scratch.push_back(sources.internet_cache);
    for (const std::string& folder : scratch) {
        const std::string full = full_folder_path(folder);
        if (!blank(full) && !too_wide_for_scratch(full)) globals::scratch_folders.push_back(full);
    }
    globals::own_links.create(own_links_store);
    globals::read_desktop_folder = sources.read_desktop_folder;
    for (const persistent_string* store : {&globals::max_folders, &globals::link_icons.file_text,
                                           &globals::link_positions.store.file_text, &globals::own_links.file_text})
        if (store->unreadable) tell_user(notice::store_unreadable);
}

std::vector<std::string> find_recent_sources(const registry_reader& read_registry) {
    std::vector<std::string> sources;
    const auto read = [&](const std::string& subkey, const char* value_name) {
        return read_registry(hkey_current_user, subkey, value_name);
    };

    // A folder on a server that is not up yet at sign-in is one all the same: it gets the grace
    // of a folder that is away, and is read once it is there. One that is gone is none.
    const auto now = std::chrono::steady_clock::now();
    const auto usable = [&](const std::string& folder) { return folder_reach(folder, now) != reach::gone; };
    const std::string recent = read(shell_folders_key, "Recent");
    if (!blank(recent) && usable(recent) && not_in_collection(recent, sources)) sources.push_back(recent);

    // "AppData" is read once, after the first Office version's value, and serves them all.
    const std::string first_office_name = read(office_general_key("9.0"), "RecentFiles");
    const std::string app_data = read(shell_folders_key, "AppData");
    const auto add_office_folder = [&](const std::string& name) {
        const std::string candidate = join_path(join_path(join_path(app_data, "Microsoft"), "Office"), name);
        if (!blank(name) && !blank(app_data) && usable(candidate) && not_in_collection(candidate, sources))
            sources.push_back(candidate);
    };
    add_office_folder(first_office_name);
    for (const char* version : {"10.0", "11.0", "12.0", "13.0", "14.0", "15.0", "16.0"})
        add_office_folder(read(office_general_key(version), "RecentFiles"));
    return sources;
}

bool not_in_collection(const std::string& text, const std::vector<std::string>& collection) {
    return std::find(collection.begin(), collection.end(), text) == collection.end();
}

}  // namespace corvane
