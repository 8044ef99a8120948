// What one refresh costs against the least any refresh must do: list and stat every recent
// file, and read the shortcuts it opens (the recent ones down to the last link made, and
// the links on the desktop). Recent folders of 1 000, 10 000 and 20 000 shortcuts, one in ten
// to a folder, at random times; the floor is measured in the same run, between the refreshes.
// Then 20 000 and 50 000 named in time order, as date-named documents are: Windows lists
// them in name order, so they reach the recent tree sorted. (On Linux a memory-backed folder
// lists the newest made first, sorted the other way round; a disk folder, in hash order.)
// It runs in the temporary folder and, where there is one, in a memory-backed folder: the
// seven links a refresh writes cost far more on a journaling disk than in memory.

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/process_paths.h"
#include "engine/main_mod.h"
#include "support/lnk_samples.h"
#include "state/globals.h"
#include "store/file_system.h"
#include "store/persistent_array_dict.h"

namespace {

namespace fs = std::filesystem;
using namespace corvane;
using clock_type = std::chrono::steady_clock;

struct recent_file {
    std::string path;
    bool to_folder;
    fs::file_time_type modified;
};

// A whole set of surroundings for one recent-folder size.
struct surroundings {
    fs::path root;
    std::string recent, desktop;
    std::vector<recent_file> files;
};

surroundings make_surroundings(const fs::path& place, int count, std::mt19937& random, bool in_time_order = false) {
    surroundings s;
    s.root = place /
             ("corvane-refresh-bench-" + std::to_string(count) + "-" +
              std::to_string(clock_type::now().time_since_epoch().count()));
    s.recent = (s.root / "Recent").string();
    s.desktop = (s.root / "Desktop").string() + path_separator;
    for (const char* folder : {"Recent", "Desktop", "icons", "targets"}) fs::create_directories(s.root / folder);
    for (int n = 0; n < 8; ++n) replace_file_bytes((s.root / "icons" / (std::to_string(n) + ".ico")).string(), "ico");
    const std::string document = (s.root / "targets" / "letter.txt").string();
    replace_file_bytes(document, "Dear");

    const auto now = fs::file_time_type::clock::now();
    std::uniform_int_distribution<int> seconds_ago(0, 30 * 24 * 3600);
    for (int n = 0; n < count; ++n) {
        const bool to_folder = n % 10 == 0;
        std::string target = document;
        if (to_folder) {
            target = (s.root / "targets" / ("folder " + std::to_string(n))).string();
            fs::create_directory(target);
        }
        std::string number = std::to_string(n);
        if (in_time_order) number.insert(0, 6 - number.size(), '0');  // so that names sort as times do
        const std::string path = join_path(s.recent, (in_time_order ? "scan " : "item ") + number + ".lnk");
        testing::link_sample link;
        link.target = target;
        replace_file_bytes(path, testing::make_link(link));
        const auto modified = now - std::chrono::seconds(in_time_order ? count - n : seconds_ago(random));
        fs::last_write_time(path, modified);
        s.files.push_back({path, to_folder, modified});
    }
    return s;
}

void bind_globals(const surroundings& s) {
    const std::string recent = s.recent;
    init_globals({.application_folder = s.root.string(),
                  .desktop_folder = s.desktop,
                  .exe_name = "bench",
                  .read_registry = [recent](std::uint32_t, const std::string&, const std::string& value) {
                      return value == "Recent" ? recent : std::string();
                  },
                  .staging_folder = (s.root / "vantrel").string() + path_separator,
                  .temporary_folders = {},
                  .internet_cache = {},
                  .profile = {},
                  .read_desktop_folder = {}});
}

// The shortcuts a refresh opens: the recent ones, newest first, down to the seventh that
// points at a folder (all folders differ), and the links on the desktop.
std::vector<std::string> opened_shortcuts(const surroundings& s) {
    std::vector<recent_file> newest_first = s.files;
    std::stable_sort(newest_first.begin(), newest_first.end(),
                     [](const recent_file& a, const recent_file& b) { return a.modified > b.modified; });
    std::vector<std::string> opened;
    int links = 0;
    for (const recent_file& file : newest_first) {
        opened.push_back(file.path);
        if (file.to_folder && ++links == default_max_folders) break;
    }
    for (const auto& entry : fs::directory_iterator(s.desktop)) opened.push_back(entry.path().string());
    return opened;
}

// The least work: list and stat every recent file, read the opened shortcuts.
std::size_t floor_work(const surroundings& s, const std::vector<std::string>& opened) {
    std::size_t seen = 0;
    DIR* dir = opendir(s.recent.c_str());
    while (const dirent* entry = readdir(dir)) {
        struct stat info {};
        if (stat((s.recent + "/" + entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) ++seen;
    }
    closedir(dir);
    for (const std::string& path : opened) seen += read_file_bytes(path).size();
    return seen;
}

template <typename Action>
double milliseconds(const Action& action) {
    const auto start = clock_type::now();
    action();
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct figures {
    double refresh = 0, floor = 0;
};

figures measure(const fs::path& place, int count, int rounds, std::mt19937& random, bool in_time_order = false) {
    const surroundings s = make_surroundings(place, count, random, in_time_order);
    bind_globals(s);
    refresh();  // the first refresh copies the links to the desktop; later ones find them there
    const std::vector<std::string> opened = opened_shortcuts(s);
    std::vector<double> refreshes, floors;
    std::size_t seen = 0;
    for (int round = 0; round < rounds; ++round) {
        refreshes.push_back(milliseconds([] { refresh(); }));
        floors.push_back(milliseconds([&] { seen += floor_work(s, opened); }));
    }
    const std::size_t links = std::distance(fs::directory_iterator(s.desktop), fs::directory_iterator());
    const double refresh_time = median(refreshes), floor_time = median(floors);
    std::printf("refresh of %d recent shortcuts%s: %.2f ms (median of %d), %zu links; floor %.2f ms (%zu shortcuts "
                "read); ratio to floor: %.2f\n",
                count, in_time_order ? " named in time order" : "", refresh_time, rounds, links, floor_time,
                opened.size(), refresh_time / floor_time);
    set_application_folder({});
    fs::remove_all(s.root);
    if (seen == 0 || links != static_cast<std::size_t>(default_max_folders)) return {};
    return {refresh_time, floor_time};
}

// The newest twenty recent shortcuts lead to folders on a server that does not answer (a
// share of a laptop away from the office): what they add to a refresh, against the same
// refresh without them. Each check would wait five seconds; the first gets a second, and the
// others of that server are not asked.
void measure_server_away(const fs::path& place, std::mt19937& random) {
    const surroundings s = make_surroundings(place, 1000, random);
    bind_globals(s);
    refresh();
    std::vector<double> without;
    for (int round = 0; round < 5; ++round) without.push_back(milliseconds([] { refresh(); }));
    slow_down_folder_checks("//offline-server/", std::chrono::seconds(5));
    const auto newest = fs::file_time_type::clock::now() + std::chrono::hours(1);
    for (int n = 0; n < 20; ++n) {
        testing::link_sample link;
        link.target = "//offline-server/share/project " + std::to_string(n);
        const std::string path = join_path(s.recent, "away " + std::to_string(n) + ".lnk");
        replace_file_bytes(path, testing::make_link(link));
        fs::last_write_time(path, newest + std::chrono::seconds(n));
    }
    const double first = milliseconds([] { refresh(); }) - median(without);
    const double next = milliseconds([] { refresh(); }) - median(without);
    slow_down_folder_checks("", std::chrono::milliseconds(0));
    std::printf("20 shortcuts to a server that does not answer (5 s a check) add %.2f s to a refresh, limit 2 s; "
                "%.2f s to the next one\n",
                first / 1000, next / 1000);
    set_application_folder({});
    fs::remove_all(s.root);
}

// The place of a removed link, with 10 000 places remembered after years: each write of the
// store rewrites the whole file, x and y once each or both at once.
void measure_place_store(const fs::path& place) {
    const fs::path root = place / ("corvane-place-bench-" + std::to_string(clock_type::now().time_since_epoch().count()));
    fs::create_directories(root / "icons");
    bind_globals({.root = root, .recent = (root / "icons").string(), .desktop = (root / "icons").string(), .files = {}});
    for (int n = 0; n < 10000; ++n)
        globals::link_positions.store.entries.add("Folder " + std::to_string(n) + " Data.lnk", join_array({"120", "340"}));
    globals::link_positions.store.save();
    std::vector<double> apart, together;
    for (int round = 0; round < 11; ++round) {
        apart.push_back(milliseconds([] {
            globals::link_positions.add("Gone Data.lnk", 1, "40");
            globals::link_positions.add("Gone Data.lnk", 2, "60");
        }));
        together.push_back(milliseconds([] { globals::link_positions.add("Gone Data.lnk", {"40", "60"}); }));
    }
    std::printf("the place of one removed link with 10000 places stored: %.2f ms as x then y, %.2f ms at once; "
                "ratio %.2f\n",
                median(apart), median(together), median(apart) / median(together));
    set_application_folder({});
    fs::remove_all(root);
}

}  // namespace

int main() {
    std::vector<fs::path> places{fs::temp_directory_path()};
    if (fs::is_directory("/dev/shm")) places.emplace_back("/dev/shm");
    std::mt19937 random(20261207);
    for (const fs::path& place : places) {
        std::printf("in %s:\n", place.string().c_str());
        const figures small = measure(place, 1000, 21, random);
        const figures large = measure(place, 10000, 11, random);
        const figures at_random = measure(place, 20000, 7, random);
        const figures in_order = measure(place, 20000, 7, random, true);
        const figures in_order_large = measure(place, 50000, 5, random, true);
        for (const figures& case_figures : {small, large, at_random, in_order, in_order_large}) {
            if (case_figures.refresh > 0) continue;
            std::printf("refresh_bench: the refresh did not make its links\n");
            return 1;
        }
        std::printf("growth 10x: %.2f (the floor's own: %.2f)\n", large.refresh / small.refresh, large.floor / small.floor);
        std::printf("20000 in time order against at random: %.2f, goal 1.3 at most (the floor's own: %.2f)\n",
                    in_order.refresh / at_random.refresh, in_order.floor / at_random.floor);
        std::printf("growth 20000 to 50000 in time order: %.2f, goal 3.5 at most (the floor's own: %.2f)\n",
                    in_order_large.refresh / in_order.refresh, in_order_large.floor / in_order.floor);
    }
    measure_server_away(places.front(), random);
    measure_place_store(places.front());
    return 0;
}
