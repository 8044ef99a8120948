#pragma once
// What the tests stand on: fresh temporary folders, byte-exact file helpers that bypass the
// code under test, and the shared state over temporary folders for one test. Paths are
// UTF-8, joined with the platform's separator.

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/error.h"
#include "state/globals.h"
#include "store/file_system.h"

namespace corvane::testing {

// The number of the program error the action raises; 0 when it raises none.
int error_of(const auto& action) {
    try {
        action();
    } catch (const error& e) {
        return e.number();
    }
    return 0;
}

// A fresh folder under the system's temporary folder, removed with everything in it when
// the owner goes.
class temp_folder {
public:
    temp_folder();
    ~temp_folder();
    temp_folder(const temp_folder&) = delete;
    temp_folder& operator=(const temp_folder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const;

private:
    std::string path_;
};

// Byte-exact helpers that bypass the code under test.
void write_bytes(const std::string& path, std::string_view bytes);
std::string read_bytes(const std::string& path);
// A symbolic link to a folder (a reparse point on Windows).
void make_folder_link(const std::string& link, const std::string& target);
void remove_folder(const std::string& path);
// Marks a file as kept online only: by its attribute on Windows (which Wine does not keep),
// by the extended attribute a Windows file server keeps elsewhere.
void set_online_only(const std::string& path);
// The last-modified time, in seconds after a fixed point a day before the test run.
void set_modified(const std::string& path, int seconds);
// Sets a file's or folder's hidden and system attributes (elsewhere, as the extended
// attribute a Windows file server keeps).
void set_hiding(const std::string& path, bool hidden, bool system);
// The 8.3 short form of an existing path on Windows; the path itself elsewhere.
std::string short_path(const std::string& path);
// Sets or clears the read-only state (the attribute on Windows, the write bits elsewhere).
void set_read_only(const std::string& path, bool read_only);
// A shortcut file as the platform's shell writes it: through the shell's own link object on
// Windows, byte by byte in the published format elsewhere.
void save_shortcut(const std::string& path, const std::string& target, const std::string& description = {});

// Binds the application folder to a temporary folder for one test.
class application_folder_scope {
public:
    application_folder_scope();
    ~application_folder_scope();
    const temp_folder& folder() const { return folder_; }
    std::string file(std::string_view name) const { return folder_.file(name); }

private:
    temp_folder folder_;
};

// (subkey, value name) -> the text the registry reader gives.
using registry_table = std::map<std::pair<std::string, std::string>, std::string>;

registry_reader table_reader(const registry_table& table);

// An application folder with an "icons" folder, a desktop folder, a staging folder (not yet
// made) and a registry table. refresh_scope adds what whole refreshes read: a Recent folder
// and an office recent-files folder as the registry names them, and target folders for
// shortcuts to point at.
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
    // Under the application folder, not made yet: the system's temporary folders hold the
    // test's own folders.
    std::vector<std::string> temporary{app.file("Temp")};
    std::string internet_cache = app.file("INetCache");
    std::string profile_folder;
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
