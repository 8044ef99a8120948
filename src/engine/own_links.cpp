#include "engine/own_links.h"

#include "base/process_paths.h"
#include "engine/cleanup_mod.h"
#include "engine/main_mod.h"
#include "shell/easy_link.h"
#include "shell/easy_path.h"
#include "state/globals.h"
#include "store/file_system.h"

namespace corvane {
namespace {

bool named_after_its_folder(const file_entry& file) {
    const std::string target = link_target_path(file.path);
    try {
        return !target.empty() && last_path_part(link_file_path(target)) == file.name;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

void adopt_marked_links(const std::string& desktop_folder) {
    persistent_dictionary& record = globals::own_links;
    if (file_exists(record.file_path)) return;
    // A first installation has nothing to adopt: marked links are another PC's. An older
    // version that made links gave each an icon.
    if (!file_exists(join_path(containing_folder(record.file_path), "aweporrwrei"))) return record.save();
    std::vector<file_entry> desktop;
    try {
        desktop = folder_files(desktop_folder);
    } catch (const std::exception&) {
        return;
    }
    for (const file_entry& file : desktop) {
        // Adopted already when a write of the record failed before. A copy ("... - Copy.lnk")
        // or a conflict copy ("...-LAPTOP.lnk") bears another name than its folder's link.
        if (!is_link_name(file.name) || record.exists(file.path) || is_online_only(file.path) ||
            !carries_link_marker(file.path) || !named_after_its_folder(file))
            continue;
        if (const std::string identity = file_identity(file.path); !identity.empty()) record.entries.add(file.path, identity);
    }
    record.save();
}

void follow_carried_links(const std::string& desktop_folder) {
    const std::string here = containing_folder(child_path(desktop_folder, "x"));
    std::vector<std::pair<std::string, std::string>> carried;
    for (const auto& [path, identity] : globals::own_links.entries) {
        const std::string now_at = child_path(desktop_folder, last_path_part(path));
        if (containing_folder(path) != here && !identity.empty() && file_identity(now_at) == identity)
            carried.emplace_back(path, now_at);
    }
    for (const auto& [from, to] : carried) {
        const std::string identity = globals::own_links.item(from);
        globals::own_links.remove(from);
        globals::own_links.add(to, identity);
    }
}

void record_own_link(const std::string& path) { globals::own_links.add(path, file_identity(path)); }

bool is_own_link(const std::string& path) {
    if (!globals::own_links.exists(path)) return false;
    const std::string identity = file_identity(path);
    if (!identity.empty() && identity == globals::own_links.item(path)) return true;
    // A file that cannot be asked at this moment, or a folder that is away, is not gone.
    if (!identity.empty() || (!file_exists(path) && folder_exists(containing_folder(path))))
        globals::own_links.remove(path);
    return false;
}

void delete_own_link(const std::string& path) {
    delete_file(path);
    globals::own_links.remove(path);
}

std::vector<std::string> own_links_in(const std::string& folder) {
    const std::string here = containing_folder(child_path(folder, "x"));
    std::vector<std::string> paths;
    for (const auto& [path, identity] : globals::own_links.entries)
        if (containing_folder(path) == here) paths.push_back(path);
    return paths;
}

std::vector<std::string> all_own_links() {
    std::vector<std::string> paths;
    for (const auto& [path, identity] : globals::own_links.entries) paths.push_back(path);
    return paths;
}

}  // namespace corvane
