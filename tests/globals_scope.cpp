#include "globals_scope.h"

#include <algorithm>

#include "base/process_paths.h"
#include "base/text.h"
#include "shell/shortcut_files.h"

namespace corvane::testing {

registry_reader table_reader(const registry_table& table) {
    return [table](std::uint32_t, const std::string& subkey, const std::string& value_name) {
        const auto found = table.find({subkey, value_name});
        return found == table.end() ? std::string() : found->second;
    };
}

globals_scope::globals_scope(bool with_icons_folder)
    : icons(app.file("icons")),
      desktop(desktop_root.path() + path_separator),
      staging(join_path(app.file("Quillon Corvane"), "vantrel") + path_separator) {
    if (with_icons_folder) create_folder(icons);
}

globals_scope::~globals_scope() { set_application_folder({}); }

std::string globals_scope::staging_parent() const {
    const std::string parent = containing_folder(staging);
    if (!folder_exists(parent)) create_folder(parent);
    return staging.substr(0, staging.size() - 1);
}

start_up_sources globals_scope::sources() const {
    return {.application_folder = app.path(),
            .desktop_folder = desktop,
            .exe_name = exe_name,
            .read_registry = table_reader(registry),
            .staging_folder = staging};
}

std::string make_folders(std::string path, std::string_view relative) {
    for (const std::string_view part : split(relative, "/")) {
        path = join_path(path, part);
        if (!folder_exists(path)) create_folder(path);
    }
    return path;
}

refresh_scope::refresh_scope()
    : recent(make_folders(profile.path(), "Recent")),
      office(make_folders(profile.path(), "AppData/Microsoft/Office/Recent")) {
    const std::string shell_folders = R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)";
    registry[{shell_folders, "Recent"}] = recent;
    registry[{shell_folders, "AppData"}] = profile.file("AppData");
    registry[{R"(Software\Microsoft\Office\9.0\Common\General)", "RecentFiles"}] = "Recent";
}

std::string refresh_scope::folder(std::string_view relative) const { return make_folders(targets.path(), relative); }

void refresh_scope::add_recent(const std::string& source, const std::string& name, const std::string& target,
                               int modified) const {
    const std::string path = join_path(source, name);
    save_shortcut(path, target);
    set_modified(path, modified);
}

std::vector<std::string> file_names(const std::string& folder) {
    std::vector<std::string> names;
    for (const file_entry& file : folder_files(folder)) names.push_back(file.name);
    std::sort(names.begin(), names.end());
    return names;
}

folder_snapshot snapshot(const std::string& folder) {
    folder_snapshot files;
    for (const file_entry& file : folder_files(folder))
        files[file.name] = {read_bytes(file.path), date_last_modified(file)};
    return files;
}

}  // namespace corvane::testing
