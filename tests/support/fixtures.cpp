#include "support/fixtures.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/process_paths.h"
#include "base/text.h"

namespace corvane::testing {
namespace {

namespace fs = std::filesystem;

fs::path to_fs(std::string_view utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string from_fs(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

temp_folder::temp_folder() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const fs::path folder =
        fs::temp_directory_path() / ("corvane-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(folder);
    path_ = from_fs(folder);
}

temp_folder::~temp_folder() { remove_folder(path_); }

std::string temp_folder::file(std::string_view name) const { return join_path(path_, name); }

void write_bytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(to_fs(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string read_bytes(const std::string& path) {
    std::ifstream in(to_fs(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void remove_folder(const std::string& path) {
    std::error_code ignored;
    // Read-only files would stop remove_all on Windows.
    // Stepped with an error code: a path beyond MAX_PATH stops the walk rather than the test.
    for (fs::recursive_directory_iterator entry(to_fs(path), ignored), end; entry != end; entry.increment(ignored))
        fs::permissions(entry->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove_all(to_fs(path), ignored);
}

void set_modified(const std::string& path, int seconds) {
    static const auto base = fs::file_time_type::clock::now() - std::chrono::hours(24);
    fs::last_write_time(to_fs(path), base + std::chrono::seconds(seconds));
}

void set_read_only(const std::string& path, bool read_only) {
    constexpr auto write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(to_fs(path), write, read_only ? fs::perm_options::remove : fs::perm_options::add);
}

application_folder_scope::application_folder_scope() { set_application_folder(folder_.path()); }

application_folder_scope::~application_folder_scope() { set_application_folder({}); }

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
            .staging_folder = staging,
            .temporary_folders = temporary,
            .internet_cache = internet_cache,
            .profile = profile_folder,
            .read_desktop_folder = {}};
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
    profile_folder = profile.path();
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
        files[file.name] = {read_bytes(file.path), file.modified};
    return files;
}

}  // namespace corvane::testing
