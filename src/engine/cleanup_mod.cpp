#include "engine/cleanup_mod.h"

#include "base/error.h"
#include "base/process_paths.h"
#include "engine/main_mod.h"
#include "engine/own_links.h"
#include "engine/returning_icons.h"
#include "shell/desktop_icons.h"
#include "shell/easy_link.h"
#include "shell/easy_path.h"
#include "shell/strings.h"
#include "state/globals.h"
#include "store/file_system.h"

namespace corvane {

void remove_stale_links() {
    // Known by the record, nothing is opened: a link kept online only goes without being
    // downloaded, and a file of the user's or another PC's is never read.
    for (const std::string& path : own_links_in(globals::desktop_folder)) {
        const std::string name = last_path_part(path);
        if (file_exists(child_path(globals::staging_folder, name)) || !is_own_link(path)) continue;

        // Saved first, so that the place is kept even when the delete fails. Only a place read
        // from the desktop replaces the one remembered: an icon not found at this moment
        // (the shell restarting, the desktop not ready at sign-in) is no place at all.
        if (const std::optional<icon_point> position = get_desktop_icon_position(name))
            globals::link_positions.add(name, place_elements(*position, current_display()));
        forget_returning_icon(name);
        // One that cannot go now (read-only, held open, refused) stays recorded for the next
        // cleanup, and keeps the others from nothing.
        try {
            delete_own_link(path);
        } catch (const error&) {
        }
    }
}

namespace {

// One stubborn file must not keep the others.
void try_delete(const std::string& path, void (*deletion)(const std::string&)) {
    try {
        deletion(path);
    } catch (const std::exception&) {
    }
}

}  // namespace

void remove_own_links_from(const std::string& folder) {
    for (const std::string& path : own_links_in(folder))
        if (is_own_link(path)) try_delete(path, delete_own_link);
}

void remove_all_own_links(const std::string& desktop_folder, const std::string& staging_folder) {
    try {
        globals::own_links.create(own_links_store);
        adopt_marked_links(desktop_folder);
        for (const std::string& path : all_own_links())
            if (is_own_link(path)) try_delete(path, delete_own_link);
    } catch (const std::exception&) {
        // An unreadable record keeps the links; the staging folder still goes.
    }
    if (!is_real_folder(staging_folder) || !is_real_folder(containing_folder(staging_folder))) return;
    try {
        for (const file_entry& file : folder_files(staging_folder)) try_delete(file.path, delete_file);
        delete_folder(staging_folder);
        // The program's own folder in the profile, unless something else lives there.
        delete_folder(containing_folder(staging_folder));
    } catch (const std::exception&) {
        // Whatever is left in them, the user's or stuck, keeps them.
    }
}

bool carries_link_marker(const std::string& path) { return same_text(link_description(path), link_marker); }

}  // namespace corvane
