#pragma once
// The surroundings of whole refreshes over temporary folders: the stores, icons, desktop
// and staging folder of globals_scope, plus a Recent folder and an office recent-files
// folder as the registry names them, and target folders for shortcuts to point at.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "globals_scope.h"
#include "store/file_system.h"

namespace corvane::testing {

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

// The names of the files in a folder, sorted.
std::vector<std::string> file_names(const std::string& folder);

// Every file of a folder by name: its bytes and last-modified time.
using folder_snapshot = std::map<std::string, std::pair<std::string, file_time>>;
folder_snapshot snapshot(const std::string& folder);

}  // namespace corvane::testing
