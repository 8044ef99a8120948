// The program's life over recent folders built from the input: folder names from the names
// real people give (with "=", spaces at the ends, dots, letters of other scripts, case twins,
// the names of other folders' links, names near the length limit), their times, shortcut
// names, a maximum, banned names, an icon store as the older version wrote it and folders in
// the temporary folder and the Internet cache; refreshes, folders opened again or deleted, and
// restarts. After every step: start-up succeeds, the stores give back what they held, the
// desktop holds at most max(1, maximum) of the program's links, each leading to the newest
// existing folder of its display name, none banned and none into the temporary folder or the
// cache, and nothing else there has changed; another PC's installation refreshing in turns
// on the same desktop never touches those links, nor they its own.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/process_paths.h"
#include "base/text.h"
#include "engine/main_mod.h"
#include "engine/own_links.h"
#include "support/fixtures.h"
#include "shell/easy_link.h"
#include "shell/easy_path.h"
#include "shell/strings.h"
#include "store/easy_file.h"
#include "ui/profile_section.h"

namespace {

using namespace corvane;
using testing::write_bytes;

void require(bool holds, const std::string& what) {
    if (holds) return;
    std::fprintf(stderr, "refresh_fuzz: %s\n", what.c_str());
    std::abort();
}

// The fuzzer's bytes, read one at a time; zeros once they run out.
class input {
public:
    input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    unsigned byte() { return used_ < size_ ? data_[used_++] : 0u; }
    template <class T>
    const T& pick(const std::vector<T>& from) {
        return from[byte() % from.size()];
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

const std::vector<std::string> pieces = {
    "=", " ", ".", "..", "\u00DF", "\u6771\u4EAC", "\u0150rs", "lr=0.001", "Photos", "photos", "2023",
    "a", "A", "#1", "a&b", "%41", "\"", std::string(100, 'n'), std::string(127, 'N'),
};

// A name this file system takes: at most 255 bytes, cut at a whole letter, never "." or "..".
std::string folder_name(input& in) {
    std::string name;
    for (unsigned n = 1 + in.byte() % 4; n > 0; --n) name += in.pick(pieces);
    if (name.size() > 255) {
        name.resize(255);
        while ((name.back() & 0xC0) == 0x80) name.pop_back();
        if (static_cast<unsigned char>(name.back()) >= 0xC0) name.pop_back();
    }
    if (name == "." || name == "..") name += "x";
    return name;
}

// No character Windows refuses in a file name.
bool windows_file_name(const std::string& name) {
    return name.find_first_of("\"<>:|?*/\\") == std::string::npos && !has_control_character(name);
}

struct maximum_choice {
    std::string text;
    std::size_t links;  // the most links it allows
};
const std::vector<maximum_choice> maximums = {
    {"0", 1}, {"1", 1}, {"2", 2}, {"3", 3}, {"7", 7}, {" 2\r\n", 2}, {"\t3\n", 3}, {"-4", 1}, {"junk", 7}, {"", 7},
};

struct recent_shortcut {
    std::string target;
    int modified;
};

class life {
public:
    explicit life(input& in) : in_(in) {
        const maximum_choice& maximum = in_.pick(maximums);
        most_links_ = maximum.links;
        write_bytes(scope_.app.file("eaoaweoio"), maximum.text);
        write_bytes(join_path(scope_.icons, "blue.ico"), "ico");
        write_bytes(join_path(scope_.icons, "red.ico"), "ico");

        for (unsigned n = 1 + in_.byte() % 10; n > 0; --n) make_folder();
        std::string ini = "[exclude]\r\n";
        for (unsigned n = in_.byte() % 3; n > 0; --n) {
            const std::string name = link_name_of(in_.pick(folders_));
            banned_.push_back(in_.byte() % 2 ? name : " " + upper_case(name) + " ");
            ini += banned_.back() + "\r\n";
        }
        write_file(scope_.app.file(scope_.exe_name + ".ini"), ini);

        // The user's own files, among them a shortcut that bears a link's name.
        write_bytes(scope_.desktop + "notes.txt", "mine");
        const std::string users_link = link_name_of(in_.pick(folders_));
        testing::save_shortcut(scope_.desktop + (users_link.size() > 255 ? "mine.lnk" : users_link),
                               scope_.targets.path());
        testing::save_shortcut(scope_.desktop + "Kept.LNK", folders_.front(), link_marker);
        for (auto& [name, file] : testing::snapshot(scope_.desktop)) users_files_[name] = file;

        // The icon store as the older version left it: names with "=" unquoted, and only
        // names a Windows folder can bear.
        std::vector<std::string> old_names;
        for (unsigned n = in_.byte() % 3; n > 0; --n) {
            const std::string name = link_name_of(in_.pick(folders_));
            if (windows_file_name(name) && std::find(old_names.begin(), old_names.end(), name) == old_names.end())
                old_names.push_back(name);
        }
        std::string old_icons;
        for (const std::string& name : old_names) old_icons += name + "=" + join_path(scope_.icons, "red.ico") + "\r\n";
        write_file(scope_.app.file("aweporrwrei"), old_icons);

        for (std::size_t n = 0; n < folders_.size(); ++n) open(folders_[n]);
        start();

        // Another PC's installation on the same desktop, with a folder of the first one's link name.
        neighbour_.desktop = scope_.desktop;
        const std::string& twin = folders_.front();
        neighbour_.add_recent(neighbour_.recent, "1.lnk", neighbour_.folder(last_path_part(containing_folder(twin)) + "/" + last_path_part(twin)), 1);
        neighbour_.add_recent(neighbour_.recent, "2.lnk", neighbour_.folder("n/Neighbour"), 2);
    }

    void run() {
        for (unsigned step = 1 + in_.byte() % 6; step > 0; --step) {
            refresh();
            check_desktop();
            neighbour_turn();
            switch (in_.byte() % 5) {
                case 0: open(in_.pick(folders_)); break;
                case 1: testing::remove_folder(in_.pick(folders_)); break;
                case 2: make_folder(), open(folders_.back()); break;
                case 3: make_unwanted_folder(), open(folders_.back()); break;
                default: restart(); break;
            }
        }
    }

private:
    std::string link_name_of(const std::string& folder) { return folder_display_name(folder) + ".lnk"; }

    void make_folder() {
        std::string parent = folder_name(in_);
        std::string name = folder_name(in_);
        // The name of another folder's link, and the letter-case twin of another folder.
        if (!folders_.empty() && in_.byte() % 4 == 0) name = folder_display_name(in_.pick(folders_));
        if (!folders_.empty() && in_.byte() % 4 == 0) name = upper_case(last_path_part(in_.pick(folders_)));
        if (name.size() > 255) name = folder_name(in_);
        folders_.push_back(scope_.folder(parent + "/" + name));
    }

    // Where nobody wants a link: an archive tool's scratch folder, a mail attachment's.
    void make_unwanted_folder() {
        const std::string place = in_.byte() % 2 ? "Temp/" + folder_name(in_) : std::string("INetCache");
        folders_.push_back(testing::make_folders(scope_.app.path(), place + "/" + folder_name(in_)));
        unwanted_.push_back(folders_.back());
    }

    // Opened as Windows records it: a shortcut in a recent folder, newer than all before,
    // named by its place, after its folder's own link or after another folder's.
    void open(const std::string& folder) {
        std::string name = std::to_string(shortcuts_.size()) + ".lnk";
        switch (in_.byte() % 4) {
            case 0: name = link_name_of(folder); break;
            case 1: name = link_name_of(in_.pick(folders_)); break;
            default: break;
        }
        if (name.size() > 255) name = "long.lnk";
        const std::string source = in_.byte() % 2 ? scope_.recent : scope_.office;
        scope_.add_recent(source, name, folder, ++clock_);
        shortcuts_[join_path(source, name)] = {folder, clock_};
    }

    void start() { require(testing::error_of([&] { scope_.init(); }) == 0, "start-up failed"); }

    void restart() {
        const dictionary icons = globals::link_icons.entries;
        const dictionary positions = globals::link_positions.store.entries;
        start();
        require(std::equal(icons.begin(), icons.end(), globals::link_icons.entries.begin(),
                           globals::link_icons.entries.end()),
                "the icon store did not read back what it held");
        require(std::equal(positions.begin(), positions.end(), globals::link_positions.store.entries.begin(),
                           globals::link_positions.store.entries.end()),
                "the position store did not read back what it held");
    }

    bool banned(const std::string& name) const {
        return std::any_of(banned_.begin(), banned_.end(),
                           [&](const std::string& line) { return same_text(profile_line(line), profile_line(name)); });
    }

    // What a refresh must leave in the staging folder, by name with its target: newest first,
    // one link for each name that fits the file system and is not banned, for folders that
    // exist, up to the maximum.
    std::map<std::string, std::string> expected_links() const {
        std::vector<recent_shortcut> newest_first;
        for (const auto& [path, shortcut] : shortcuts_) newest_first.push_back(shortcut);
        std::sort(newest_first.begin(), newest_first.end(),
                  [](const recent_shortcut& a, const recent_shortcut& b) { return a.modified > b.modified; });
        std::map<std::string, std::string> links;
        for (const recent_shortcut& shortcut : newest_first) {
            if (!folder_exists(shortcut.target) ||
                std::find(unwanted_.begin(), unwanted_.end(), shortcut.target) != unwanted_.end())
                continue;
            const std::string name = folder_display_name(shortcut.target) + ".lnk";
            if (links.count(name) || banned(name) || name.size() > 255) continue;
            links[name] = shortcut.target;
            if (links.size() >= most_links_) break;
        }
        return links;
    }

    // The other PC refreshes in turn: its links stay as they were, and it adds those whose
    // names are free; then this one starts again.
    void neighbour_turn() {
        require(testing::error_of([&] { neighbour_.init(); }) == 0, "the neighbour's start-up failed");
        refresh();
        const testing::folder_snapshot now = testing::snapshot(scope_.desktop);
        for (const auto& [name, file] : neighbours_files_)
            require(now.count(name) && now.at(name) == file, "the neighbour's link " + name + " changed");
        for (const std::string& path : all_own_links()) neighbours_files_[last_path_part(path)] = now.at(last_path_part(path));
        start();
        check_desktop();
    }

    void check_desktop() {
        const std::map<std::string, std::string> expected = expected_links();
        std::vector<std::string> staged;
        for (const auto& [name, target] : expected) staged.push_back(name);
        require(testing::file_names(scope_.staging) == staged, "the staging folder holds other links");
        std::size_t links = 0;
        for (const auto& [name, file] : testing::snapshot(scope_.desktop)) {
            const auto users = users_files_.find(name);
            if (users != users_files_.end()) {
                require(file == users->second, "the user's file " + name + " changed");
                continue;
            }
            if (const auto theirs = neighbours_files_.find(name); theirs != neighbours_files_.end()) {
                require(file == theirs->second, "the neighbour's link " + name + " changed");
                continue;
            }
            require(is_link_name(name) && link_description(scope_.desktop + name) == link_marker,
                    "a file that is not the program's link: " + name);
            const auto found = expected.find(name);
            require(found != expected.end(), "the link " + name + " should not be there");
            require(link_target_path(scope_.desktop + name) == found->second,
                    "the link " + name + " does not lead to the newest folder of its name");
            ++links;
        }
        for (const auto& [name, target] : expected)
            require(users_files_.count(name) || file_exists(scope_.desktop + name), "the link " + name + " is missing");
        for (const auto& [name, file] : users_files_)
            require(file_exists(scope_.desktop + name), "the user's file " + name + " is gone");
        require(links <= std::max<std::size_t>(most_links_, 1), std::to_string(links) + " links, more than allowed");
    }

    input& in_;
    testing::refresh_scope scope_;
    std::size_t most_links_ = 0;
    std::vector<std::string> folders_;
    std::vector<std::string> unwanted_;  // in the temporary folder or the Internet cache
    std::vector<std::string> banned_;
    std::map<std::string, recent_shortcut> shortcuts_;
    testing::folder_snapshot users_files_;
    testing::refresh_scope neighbour_;
    testing::folder_snapshot neighbours_files_;
    int clock_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    input in(data, size);
    life(in).run();
    return 0;
}
