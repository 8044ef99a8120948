#pragma once
// Builds the shared state over temporary folders for one test: an application folder
// with an "icons" folder, a desktop folder, a staging folder (not yet made) and a registry
// table, then unbinds it.

#include <map>
#include <string>
#include <utility>

#include "state/globals.h"
#include "temp_folder.h"

namespace corvane::testing {

// (subkey, value name) -> the text the registry reader gives.
using registry_table = std::map<std::pair<std::string, std::string>, std::string>;

registry_reader table_reader(const registry_table& table);

class globals_scope {
public:
    // Files that must be there before start-up (a stored maximum, a malformed store) go
    // into app.file(...) before init() is called.
    explicit globals_scope(bool with_icons_folder = true);
    ~globals_scope();
    globals_scope(const globals_scope&) = delete;
    globals_scope& operator=(const globals_scope&) = delete;

    start_up_sources sources() const;
    void init() const { init_globals(sources()); }

    temp_folder app;
    temp_folder desktop_root;
    std::string icons;    // app + "icons", created
    std::string desktop;  // desktop_root with a trailing separator
    std::string staging;  // app + "vantrel" with a trailing separator
    std::string exe_name = "tool";
    registry_table registry;
};

}  // namespace corvane::testing
