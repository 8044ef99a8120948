#pragma once
// The state the whole program shares: built once by init_globals at start-up, read only
// afterwards.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "state/basRegistry.h"
#include "store/persistent_array_dict.h"
#include "store/persistent_dictionary.h"
#include "store/persistent_string.h"

namespace corvane {

namespace globals {
extern persistent_string max_folders;       // "eaoaweoio": the most folder links to make
extern persistent_dictionary link_icons;    // "aweporrwrei": link file name -> icon file path
extern std::string icons_folder;            // application folder + "\icons"
extern std::string desktop_folder;          // with its trailing separator
extern std::string exe_name;                // without folder and extension
extern std::vector<std::string> recent_sources;  // folders holding recent-document shortcuts
extern persistent_array_dict link_positions;     // "pp3imsfd": link file name -> (x, y)
extern std::string staging_folder;          // where a refresh builds its links, trailing separator
// The temporary folders and the Internet cache in the form shortcuts record: nothing in
// them gets a link.
extern std::vector<std::string> scratch_folders;
extern std::string user_profile;            // where a hidden folder gets no link
extern persistent_dictionary own_links;     // "own_links": desktop path of each link made -> its identity
// The desktop folder the shell shows now, trailing separator included; "" when it cannot say.
extern std::function<std::string()> read_desktop_folder;
}  // namespace globals

// The maximum number of folder links when the user has set none.
constexpr int default_max_folders = 7;

// What start-up takes from its surroundings. The program takes them from the process;
// tests bind temporary folders and a registry table here instead. This is the one entry
// point through which tests place the state.
struct start_up_sources {
    std::string application_folder;  // where the stores and "icons" live, no trailing separator
    std::string desktop_folder;      // trailing separator included
    std::string exe_name;
    registry_reader read_registry;
    std::string staging_folder;  // trailing separator included
    std::vector<std::string> temporary_folders;  // as the system and the environment give them
    std::string internet_cache;
    std::string profile;
    std::function<std::string()> read_desktop_folder;  // none: the desktop folder stays where it is
};

constexpr const char* own_links_store = "own_links";


// The executable's folder and name, the desktop folder the shell shows (where it cannot say,
// "USERPROFILE" + "\Desktop\" joined without checks, an unset variable counting as "") and
// how to ask it again, the system registry, the fixed staging folder, the temporary folders, the Internet
// cache and the profile.
start_up_sources process_start_up_sources();

// Fills the shared state in its fixed order. Traps nothing: a store that rejects its
// file, a missing icons folder, no staging folder or any other failure propagates, and the
// fields after the failing step stay empty.
void init_globals();
void init_globals(const start_up_sources& sources);

// The recent-items folder and the recent-files folders of Office 9.0 to 16.0, in that order,
// each once: those that are there, and those whose drive or server does not answer yet.
std::vector<std::string> find_recent_sources(const registry_reader& read_registry);

// True when no element equals text exactly (case counts).
bool not_in_collection(const std::string& text, const std::vector<std::string>& collection);

}  // namespace corvane
