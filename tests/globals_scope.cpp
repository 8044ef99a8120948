#include "globals_scope.h"

#include "base/process_paths.h"
#include "store/file_system.h"

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
      staging(app.file("vantrel") + path_separator) {
    if (with_icons_folder) create_folder(icons);
}

globals_scope::~globals_scope() { set_application_folder({}); }

start_up_sources globals_scope::sources() const {
    return {.application_folder = app.path(),
            .desktop_folder = desktop,
            .exe_name = exe_name,
            .read_registry = table_reader(registry),
            .staging_folder = staging};
}

}  // namespace corvane::testing
