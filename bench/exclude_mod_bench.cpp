// What the banned-list check costs: every candidate link of every refresh reads and parses
// the INI file anew. The floor is a bare read of the same file's bytes in the same run.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/process_paths.h"
#include "state/globals.h"
#include "store/file_system.h"
#include "ui/exclude_mod.h"

namespace {

using namespace corvane;
using clock_type = std::chrono::steady_clock;

template <typename Action>
double microseconds_per_call(int calls, const Action& action) {
    const auto start = clock_type::now();
    for (int i = 0; i < calls; ++i) action();
    return std::chrono::duration<double, std::micro>(clock_type::now() - start).count() / calls;
}

}  // namespace

int main() {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("corvane-bench-" + std::to_string(clock_type::now().time_since_epoch().count()));
    fs::create_directories(root / "icons");
    fs::create_directories(root / "Desktop");
    const std::string app = root.string();

    std::string ini = "[exclude]\r\n";
    for (int i = 0; i < 100; ++i) ini += "Banned folder " + std::to_string(i) + " C.lnk\r\n";
    replace_file_bytes(join_path(app, "bench.ini"), ini);
    init_globals({.application_folder = app,
                  .desktop_folder = join_path(app, "Desktop") + path_separator,
                  .exe_name = "bench",
                  .read_registry = [](std::uint32_t, const std::string&, const std::string&) { return std::string(); },
                  .staging_folder = join_path(app, "vantrel") + path_separator,
                  .temporary_folders = {},
                  .internet_cache = {},
                  .profile = {},
                  .read_desktop_folder = {}});

    constexpr int calls = 2000;
    bool kept = true;
    const double check = microseconds_per_call(calls, [&] { kept = not_excluded("Wanted folder C.lnk") && kept; });
    std::size_t bytes = 0;
    const double floor = microseconds_per_call(calls, [&] { bytes += read_file_bytes(join_path(app, "bench.ini")).size(); });

    std::printf("not_excluded over 100 entries: %.1f us per call; bare file read: %.1f us; ratio %.2f (%s, %zu bytes read)\n",
                check, floor, check / floor, kept ? "not banned" : "banned", bytes / calls);
    set_application_folder({});
    fs::remove_all(root);
    return kept ? 0 : 1;
}
