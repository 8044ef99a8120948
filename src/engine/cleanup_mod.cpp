#include "engine/cleanup_mod.h"

#include "base/process_paths.h"
#include "engine/main_mod.h"
#include "shell/desktop_icons.h"
#include "shell/easy_link.h"
#include "shell/strings.h"
#include "state/globals.h"
#include "store/file_system.h"

namespace corvane {

void remove_stale_links() {
    for (const file_entry& file : folder_files(globals::desktop_folder)) {
        // Only a file named like a link is opened, and never one kept online only: reading
        // it would download it, every minute.
        if (!is_link_name(file.name) || file_exists(child_path(globals::staging_folder, file.name)) ||
            is_online_only(file.path) || !is_own_link(file.path))
            continue;

        // Saved first, so that the place is kept even when the delete fails. Only a place read
        // from the desktop replaces the one remembered: an icon not found at this moment
        // (the shell restarting, the desktop not ready at sign-in) is no place at all.
        if (const std::optional<icon_point> position = get_desktop_icon_position(file.name)) {
            globals::link_positions.add(file.name, 1, std::to_string(position->x));
            globals::link_positions.add(file.name, 2, std::to_string(position->y));
        }
        delete_file(file.path);
    }
}

namespace {

// Uninstalling is a last chance: one stubborn file must not keep the others.
void try_delete(const std::string& path) {
    try {
        delete_file(path);
    } catch (const std::exception&) {
    }
}

}  // namespace

void remove_all_own_links(const std::string& desktop_folder, const std::string& staging_folder) {
    try {
        for (const file_entry& file : folder_files(desktop_folder))
            if (is_link_name(file.name) && is_own_link(file.path)) try_delete(file.path);
    } catch (const std::exception&) {
        // A desktop that cannot be listed keeps its links; the staging folder still goes.
    }
    if (!is_real_folder(staging_folder) || !is_real_folder(containing_folder(staging_folder))) return;
    try {
        for (const file_entry& file : folder_files(staging_folder)) try_delete(file.path);
        delete_folder(staging_folder);
        // The program's own folder in the profile, unless something else lives there.
        delete_folder(containing_folder(staging_folder));
    } catch (const std::exception&) {
        // Whatever is left in them, the user's or stuck, keeps them.
    }
}

bool is_own_link(const std::string& path) { return same_text(link_description(path), link_marker); }

}  // namespace corvane
