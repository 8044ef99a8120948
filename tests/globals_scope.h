#pragma once
// The shared state over temporary folders for one test: an application folder with an
// "icons" folder, a desktop folder, a staging folder (not yet made) and a registry table.
// refresh_scope adds what whole refreshes read: a Recent folder and an office recent-files
// folder as the registry names them, and target folders for shortcuts to point at.

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "state/globals.h"
#include "store/file_system.h"
#include "temp_folder.h"

namespace corvane::testing {

// (subkey, value name) -> the text the registry reader gives.
using registry_table = std::map<std::pair<std::string, std::string>, std::string>;

registry_reader table_reader(const registry_table& table);

class globals_scope {
public:
    // Files that must be there before start-up go into app.file(...) before init().
    explicit globals_scope(bool with_icons_folder = true);
    ~globals_scope();
    globals_scope(const globals_scope&) = delete;
    globals_scope& operator=(const globals_scope&) = delete;

    start_up_sources sources() const;
    void init() const { init_globals(sources()); }

    temp_folder app;
    temp_folder desktop_root;
    std::string icons;    // app + "icons"
    std::string desktop;  // desktop_root with a trailing separator
    // app + "Quillon Corvane" + "vantrel" with a trailing separator, as the program's own
    // folder in the profile holds it; neither is made yet.
    std::string staging;
    // Makes the staging folder's parent; gives the staging folder without its separator.
    std::string staging_parent() const;
    std::string exe_name = "tool";
    registry_table registry;
};

class refresh_scope : public globals_scope {
public:
    refresh_scope();  // init() is still the test's to call

    // Made with its parents under the targets folder; relative is '/'-separated.
    std::string folder(std::string_view relative) const;
    // A shortcut in a recent folder, last modified the given seconds after a fixed point.
    void add_recent(const std::string& source, const std::string& name, const std::string& target,
                    int modified) const;

    temp_folder profile;
    temp_folder targets;
    std::string recent;  // the user's Recent folder
    std::string office;  // AppData + "\Microsoft\Office\Recent"
};

// Made with its parents; relative is '/'-separated.
std::string make_folders(std::string path, std::string_view relative);

// The names of the files in a folder, sorted.
std::vector<std::string> file_names(const std::string& folder);

// Every file of a folder by name: its bytes and last-modified time.
using folder_snapshot = std::map<std::string, std::pair<std::string, file_time>>;
folder_snapshot snapshot(const std::string& folder);

}  // namespace corvane::testing
