#include "engine/main_mod.h"

#include "engine/stree.h"
#include "state/globals.h"
#include "store/dictionary.h"
#include "store/dictionary_ext.h"
#include "store/file_system.h"

namespace corvane {

std::string choose_link_icon(const std::string& link_file_name) {
    if (globals::link_icons.exists(link_file_name)) return globals::link_icons.item(link_file_name);

    // Every desktop file that bears a known link name counts as a user of that link's icon.
    dictionary usage;
    for (const file_entry& file : folder_files(globals::desktop_folder))
        if (globals::link_icons.exists(file.name)) usage.add(file.name, globals::link_icons.item(file.name));

    stree<std::string, std::size_t> by_use;
    for (const file_entry& icon : folder_files(globals::icons_folder))
        by_use.insert(icon.path, dict_item_count(usage, icon.path));

    const std::vector<std::string> least_used_first = by_use.get_list();
    const std::string choice = least_used_first.empty() ? std::string() : least_used_first.front();
    globals::link_icons.add(link_file_name, choice);
    return choice;
}

}  // namespace corvane
