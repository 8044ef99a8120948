#include "engine/never_linked.h"

#include "base/process_paths.h"
#include "state/globals.h"
#include "store/reach.h"
#include "store/file_system.h"

namespace corvane {
namespace {

bool same_folder(const std::string& a, const std::string& b) { return path_within(a, b) && path_within(b, a); }

// Each folder on the way down, the drive or root aside. A folder the shell shows only with
// its system attribute is a customised one (its own icon), shown like any other.
bool hidden_by_the_shell(const std::string& folder) {
    const std::string& profile = globals::user_profile;
    const bool in_profile = path_within(folder, profile);
    std::size_t end = folder.find(path_separator);
    while (end != std::string::npos && end + 1 < folder.size()) {
        end = folder.find(path_separator, end + 1);
        const std::string step = folder.substr(0, end);
        const hiding seen = hiding_of(step);
        if (seen.hidden && seen.system) return true;
        if (seen.hidden && in_profile && !path_within(profile, step)) return true;
    }
    return false;
}

}  // namespace

bool never_linked(const std::string& target) {
    std::string folder = without_long_path_prefix(target);
    // A path that leads to a server through a link on the way is asked as the server is.
    const bool local = !is_network_path(folder) && network_behind_links(folder).empty();
    // A shortcut made from a short 8.3 path records it as it was given.
    if (local && folder.find('~') != std::string::npos) folder = long_path_name(folder);
    if (same_folder(folder, globals::desktop_folder)) return true;
    for (const std::string& scratch : globals::scratch_folders)
        if (path_within(folder, scratch)) return true;
    // Every step of a path on a server would ask the server again.
    return local && hidden_by_the_shell(folder);
}

}  // namespace corvane
