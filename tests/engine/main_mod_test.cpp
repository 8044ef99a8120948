#include "engine/main_mod.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "base/error.h"
#include "base/process_paths.h"
#include "base/text.h"
#include "engine/own_links.h"
#include "store/file_system.h"
#include "state/notices.h"
#include "support/fixtures.h"
#include "shell/easy_link.h"
#include "shell/lnk_format.h"

namespace corvane {
namespace {

using testing::error_of;
using testing::file_names;
using testing::globals_scope;
using testing::read_bytes;
using testing::refresh_scope;
using testing::set_read_only;
using testing::snapshot;
using testing::write_bytes;

// The icon files in the platform's listing order, which is the order the choice sees.
std::vector<std::string> make_icons(const globals_scope& scope, int count) {
    for (int i = 0; i < count; ++i) write_bytes(join_path(scope.icons, "icon" + std::to_string(i) + ".ico"), "ico");
    std::vector<std::string> listed;
    for (const file_entry& icon : folder_files(scope.icons)) listed.push_back(icon.path);
    return listed;
}

TEST(ChooseLinkIcon, NewNamesTakeTheLeastUsedIconAndTiesGoToTheOneListedLast) {
    globals_scope scope;
    write_bytes(scope.app.file("aweporrwrei"), "Old x.lnk=C:\\gone\\old.ico\r\n");
    scope.init();
    EXPECT_EQ(choose_link_icon("Bare b.lnk"), "");  // no icons yet, and that is kept
    const std::vector<std::string> icons = make_icons(scope, 3);
    EXPECT_EQ(choose_link_icon("Bare b.lnk"), "");
    globals::link_icons.add("One a.lnk", icons[0]);
    globals::link_icons.add("Two a.lnk", icons[0]);
    globals::link_icons.add("Away a.lnk", icons[1]);
    // Desktop files count by their names alone, whatever they hold; "Away a.lnk" is not there.
    for (const char* name : {"One a.lnk", "Two a.lnk", "unrelated.txt"}) write_bytes(scope.desktop + name, "lnk");

    // Counts 2, 0, 0: the last of the unused two.
    EXPECT_EQ(choose_link_icon("First b.lnk"), icons[2]);
    write_bytes(scope.desktop + "First b.lnk", "lnk");
    // 2, 0, 1: the least used wherever it stands.
    EXPECT_EQ(choose_link_icon("Second b.lnk"), icons[1]);
    write_bytes(scope.desktop + "Second b.lnk", "lnk");
    // 2, 1, 1: a tie goes to the one listed last.
    EXPECT_EQ(choose_link_icon("Third b.lnk"), icons[2]);
    persistent_dictionary reloaded;
    reloaded.create("aweporrwrei");
    EXPECT_EQ(reloaded.item("First b.lnk"), icons[2]);
    EXPECT_EQ(reloaded.item("Bare b.lnk"), "");

    // A known name keeps its icon without a write, which the read-only store would refuse.
    set_read_only(scope.app.file("aweporrwrei"), true);
    EXPECT_EQ(choose_link_icon("Old x.lnk"), "C:\\gone\\old.ico");
    set_read_only(scope.app.file("aweporrwrei"), false);

    // Without its desktop folder the choice fails and stores nothing.
    testing::remove_folder(scope.desktop_root.path());
    EXPECT_EQ(error_of([] { choose_link_icon("Any a.lnk"); }), error_number::path_not_found);
    EXPECT_FALSE(globals::link_icons.exists("Any a.lnk"));
}

TEST(FolderDisplayName, NamesAFolderAfterItselfAndItsParent) {
    const struct {
        std::string path, name;
    } cases[] = {
        {"C:\\Data\\Projects", "Projects Data"}, {"C:\\Projects", "Projects C"},
        {"C:\\", "C"},                           {"D:\\Music\\", "Music"},
        {"\\\\server\\share\\docs", "docs share"}, {"Reports", "Reports"},
        {"C:\\ Data \\Projects ", "Projects   Data"},
    };
    for (auto [path, name] : cases) {
        std::replace(path.begin(), path.end(), '\\', path_separator);
        EXPECT_EQ(folder_display_name(path), name) << path;
    }
    EXPECT_EQ(error_of([] { folder_display_name(""); }), error_number::subscript_out_of_range);
}

// A recent shortcut to a folder under the targets folder, to the document "letter.txt" or
// to the folder "gone" that does not exist; named after its place in the list unless named.
struct recent_item {
    std::string target;
    int modified;
    bool office = false;
    std::string name;
};

void add_items(const refresh_scope& scope, const std::vector<recent_item>& items) {
    for (std::size_t n = 0; n < items.size(); ++n) {
        std::string target = scope.targets.file(items[n].target);
        if (items[n].target == "letter.txt") {
            write_bytes(target, "Dear");
        } else if (items[n].target != "gone") {
            target = scope.folder(items[n].target);
        }
        scope.add_recent(items[n].office ? scope.office : scope.recent,
                         items[n].name.empty() ? std::to_string(n) + ".lnk" : items[n].name, target, items[n].modified);
    }
}

// Ten folders t/f0 (the newest) to t/f9, and the links of the newest of them.
std::vector<recent_item> ten_folders() {
    std::vector<recent_item> items;
    for (int n = 0; n < 10; ++n) items.push_back({"t/f" + std::to_string(n), 100 - n});
    return items;
}

std::vector<std::pair<std::string, std::string>> newest_of_ten(int count) {
    std::vector<std::pair<std::string, std::string>> links;
    for (const recent_item& item : ten_folders()) {
        if (static_cast<int>(links.size()) < count) links.emplace_back(item.target.substr(2) + " t.lnk", item.target);
    }
    return links;
}

TEST(Refresh, MakesOneMarkedLinkForEachOfTheNewestFoldersUpToTheMaximum) {
    const struct {
        const char* what;
        std::vector<recent_item> recent;
        std::string maximum;  // "" keeps the default
        std::string ini;
        std::vector<std::pair<std::string, std::string>> links;  // name and target, by name
    } cases[] = {
        {"the seven newest of ten folders", ten_folders(), "", "", newest_of_ten(7)},
        {"a maximum that is no number counts as 7", ten_folders(), " seven", "", newest_of_ten(7)},
        {"a maximum of 0 still makes one link", ten_folders(), "0", "", newest_of_ten(1)},
        {"a maximum typed with a line end", ten_folders(), "\t2\r\n", "", newest_of_ten(2)},
        {"two shortcuts to one folder make one link", {{"s/one", 30}, {"s/one", 20}, {"s/two", 10}}, "", "",
         {{"one s.lnk", "s/one"}, {"two s.lnk", "s/two"}}},
        {"of two folders with one display name the newer wins", {{"b/x/y", 20}, {"a/x/y", 10}}, "", "",
         {{"y x.lnk", "b/x/y"}}},
        {"documents and deleted folders do not count", {{"letter.txt", 30}, {"gone", 20}, {"d/kept", 10}}, "1", "",
         {{"kept d.lnk", "d/kept"}}},
        {"a banned name gives way to the next folder", {{"d/kept", 30}, {"d/next", 20}}, "1",
         "[exclude]\r\n KEPT D.LNK \r\n", {{"next d.lnk", "d/next"}}},
        {"a recent shortcut named like a newer folder's link takes nothing from it",
         {{"2023/Photos", 30}, {"Backup/Photos 2023", 20, false, "Photos 2023.lnk"}}, "", "",
         {{"Photos 2023 Backup.lnk", "Backup/Photos 2023"}, {"Photos 2023.lnk", "2023/Photos"}}},
        {"a recent shortcut named like its own link", {{"d/kept", 30, false, "kept d.lnk"}, {"d/next", 20}}, "", "",
         {{"kept d.lnk", "d/kept"}, {"next d.lnk", "d/next"}}},
        {"a name too long for the file system gives way to an older folder",
         {{std::string(60, 'q') + "/" + std::string(200, 'p'), 30}, {"d/kept", 20}}, "1", "",
         {{"kept d.lnk", "d/kept"}}},
        {"a mail attachment's folder takes no slot and no icon",
         {{"INetCache/Content.Outlook/8Z3K1QPM", 30}, {"p/a", 20}, {"p/b", 10}}, "2", "", {{"a p.lnk", "p/a"}, {"b p.lnk", "p/b"}}},
        {"equal times are met in the order the folders are scanned", {{"o/second", 10, true}, {"r/first", 10}}, "1",
         "", {{"first r.lnk", "r/first"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        refresh_scope scope;
        if (!c.maximum.empty()) write_bytes(scope.app.file("eaoaweoio"), c.maximum);
        write_bytes(scope.app.file("tool.ini"), c.ini);
        write_bytes(join_path(scope.icons, "blue.ico"), "ico");
        scope.internet_cache = scope.targets.file("INetCache");
        scope.init();
        add_items(scope, c.recent);

        refresh();

        std::vector<std::string> names;
        for (const auto& [name, target] : c.links) {
            names.push_back(name);
            EXPECT_EQ(link_target_path(scope.desktop + name), scope.folder(target)) << name;
            EXPECT_EQ(link_description(scope.desktop + name), "Quillon Corvane Link") << name;
            const auto parsed = lnk::parse(read_bytes(scope.desktop + name));
            ASSERT_TRUE(parsed);
            EXPECT_EQ(parsed->icon_location, join_path(scope.icons, "blue.ico"));
            EXPECT_EQ(parsed->icon_index, 0);
        }
        EXPECT_EQ(file_names(scope.desktop), names);
        EXPECT_EQ(file_names(scope.staging), names);
        EXPECT_EQ(globals::link_icons.entries.count(), names.size());
    }
}

TEST(Refresh, LeavesLinksThatStayAloneAndRemembersWhereADroppedOneStood) {
    refresh_scope scope;
    write_bytes(scope.app.file("eaoaweoio"), "2");
    scope.init();
    add_items(scope, {{"p/a", 30}, {"p/b", 20}, {"p/c", 10}});
    refresh();
    const testing::folder_snapshot first = snapshot(scope.desktop);
    ASSERT_EQ(file_names(scope.desktop), (std::vector<std::string>{"a p.lnk", "b p.lnk"}));

    // Only the files of the staging folder go.
    write_bytes(scope.staging + "leftover.txt", "x");
    create_folder(scope.staging + "kept");
    write_bytes(join_path(scope.staging + "kept", "inner.txt"), "x");
    refresh();
    EXPECT_EQ(snapshot(scope.desktop), first);
    EXPECT_EQ(file_names(scope.staging), (std::vector<std::string>{"a p.lnk", "b p.lnk"}));
    EXPECT_TRUE(file_exists(join_path(scope.staging + "kept", "inner.txt")));

    scope.add_recent(scope.recent, "newest.lnk", scope.folder("p/c"), 40);
    refresh();
    EXPECT_EQ(file_names(scope.desktop), (std::vector<std::string>{"a p.lnk", "c p.lnk"}));
    EXPECT_EQ(snapshot(scope.desktop)["a p.lnk"], first.at("a p.lnk"));
    persistent_array_dict positions;
    positions.create("pp3imsfd");
    // No desktop showed its icon: no place to remember.
    EXPECT_FALSE(positions.exists("b p.lnk"));

    // A newer folder of the same display name takes the link over in its place; a shortcut of
    // the user's own that bears a link's name is never touched.
    testing::save_shortcut(scope.app.file("mine.lnk"), scope.folder("mine"));
    replace_file_bytes(scope.desktop + "c p.lnk", read_bytes(scope.app.file("mine.lnk")));
    const testing::folder_snapshot before = snapshot(scope.desktop);
    scope.add_recent(scope.recent, "again.lnk", scope.folder("z/p/a"), 50);
    refresh();
    EXPECT_EQ(file_names(scope.desktop), (std::vector<std::string>{"a p.lnk", "c p.lnk"}));
    EXPECT_EQ(link_target_path(scope.desktop + "a p.lnk"), scope.folder("z/p/a"));
    EXPECT_EQ(link_description(scope.desktop + "a p.lnk"), "Quillon Corvane Link");
    EXPECT_EQ(snapshot(scope.desktop)["c p.lnk"], before.at("c p.lnk"));
}

// Two PCs that sync one desktop, each with the program: neither touches the other's links, and
// once all is made a refresh does nothing at all to the desktop.
TEST(Refresh, TwoInstallationsShareADesktopWithoutTouchingEachOthersLinks) {
    refresh_scope laptop, office;
    office.desktop = laptop.desktop;
    add_items(laptop, {{"p/a", 20}, {"p/b", 10}});
    add_items(office, {{"p/a", 30}, {"q/c", 10}});  // a link name the laptop has
    testing::folder_snapshot settled;
    for (int round = 0; round < 10; ++round) {
        for (const refresh_scope* pc : {&laptop, &office}) pc->init(), refresh();
        if (round == 0) settled = snapshot(laptop.desktop);
        EXPECT_EQ(snapshot(laptop.desktop), settled) << round;
    }
    EXPECT_EQ(file_names(laptop.desktop), (std::vector<std::string>{"a p.lnk", "b p.lnk", "c q.lnk"}));
    EXPECT_EQ(link_target_path(laptop.desktop + "a p.lnk"), laptop.folder("p/a"));
}

// OneDrive's folder backup switched on while the program runs.
TEST(Refresh, FollowsTheDesktopTheShellShows) {
    refresh_scope scope;
    const testing::temp_folder moved;
    std::string shown = scope.desktop;
    start_up_sources sources = scope.sources();
    sources.read_desktop_folder = [&shown] { return shown; };
    init_globals(sources);
    add_items(scope, {{"p/a", 20}});
    write_bytes(scope.desktop + "notes.txt", "mine");
    refresh();
    shown = moved.path() + path_separator;
    refresh();
    EXPECT_EQ(file_names(scope.desktop), std::vector<std::string>{"notes.txt"});
    EXPECT_EQ(file_names(moved.path()), std::vector<std::string>{"a p.lnk"});
    // Moved again with its files (OneDrive's backup, the Location tab): they are still the program's.
    const std::string carried = moved.path() + "-carried";
    std::filesystem::rename(moved.path(), carried);
    shown = carried + path_separator;
    globals::max_folders.set_value("1");
    scope.add_recent(scope.recent, "b.lnk", scope.folder("p/b"), 30);
    refresh();
    EXPECT_EQ(file_names(carried), std::vector<std::string>{"b p.lnk"});
    testing::remove_folder(carried);
    globals::read_desktop_folder = nullptr;
}

// Controlled folder access refuses the desktop: each refresh still ends and cleans up; after
// three running the program leaves the desktop alone for an hour and says so once.
TEST(Refresh, ADesktopThatRefusesLinksEndsNoRefresh) {
    if (path_separator == '\\') GTEST_SKIP() << "Wine keeps no ACL that refuses the owner; the portable stand-in shows the rule";
    using std::chrono::minutes;
    refresh_scope scope;
    scope.init();
    add_items(scope, {{"p/a", 20}, {"p/b", 10}});
    testing::save_shortcut(scope.desktop + "Stale s.lnk", scope.folder("s/stale"), "Quillon Corvane Link");
    record_own_link(scope.desktop + "Stale s.lnk");
    set_read_only(scope.desktop_root.path(), true);
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < 3; ++n) refresh(start + minutes(n));
    EXPECT_TRUE(file_names(scope.desktop).empty());
    // A first start, with no settings yet, says what the program does first.
    EXPECT_EQ(next_notice(), notice::first_word);
    EXPECT_EQ(next_notice(), notice::desktop_refused);
    EXPECT_EQ(next_notice(), std::nullopt);
    set_read_only(scope.desktop_root.path(), false);
    refresh(start + minutes(30));
    EXPECT_TRUE(file_names(scope.desktop).empty());
    refresh(start + minutes(63));
    EXPECT_EQ(file_names(scope.desktop), (std::vector<std::string>{"a p.lnk", "b p.lnk"}));
}

// Mapped drives and the VPN come back after sign-in and resume, a drive is plugged in again:
// until then the links to their folders keep their places and slots, for ten minutes.
TEST(Refresh, KeepsTheLinksOfFoldersThatDoNotAnswerForTenMinutes) {
    if (path_separator == '\\') GTEST_SKIP() << "the servers and drives are played in the portable build";
    using std::chrono::minutes;
    const std::string drive = "/corvane-drive-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    for (const bool unplugged : {false, true}) {
        SCOPED_TRACE(unplugged ? "a drive unplugged" : "a share that stops answering");
        refresh_scope scope;
        write_bytes(scope.app.file("eaoaweoio"), "2");
        scope.init();
        const testing::temp_folder share;
        scope.add_recent(scope.recent, "away.lnk", unplugged ? testing::make_folders("", drive.substr(1) + "/p/away") : "/" + testing::make_folders(share.path(), "p/away"), 30);
        add_items(scope, {{"p/b", 20}, {"p/c", 10}});
        const auto start = std::chrono::steady_clock::now();
        refresh(start);
        unplugged ? testing::remove_folder(drive) : slow_down_folder_checks("/" + share.path(), std::chrono::hours(1));
        for (const int minute : {1, 5, 10}) refresh(start + minutes(minute));
        EXPECT_EQ(file_names(scope.desktop), (std::vector<std::string>{"away p.lnk", "b p.lnk"}));
        refresh(start + minutes(12));
        EXPECT_EQ(file_names(scope.desktop), (std::vector<std::string>{"b p.lnk", "c p.lnk"}));
        slow_down_folder_checks("", std::chrono::milliseconds(0));
    }
}

// A Recent folder redirected to a server that is not up yet at sign-in.
TEST(Refresh, ReadsARecentFolderThatComesAfterStartUp) {
    if (path_separator == '\\') GTEST_SKIP() << "the servers are played in the portable build";
    refresh_scope scope;
    const std::string share = scope.targets.path() + "-share";
    scope.registry[{R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)", "Recent"}] = "/" + share + "/Recent";
    scope.init();
    testing::save_shortcut(scope.desktop + "a p.lnk", scope.folder("p/a"), "Quillon Corvane Link");
    record_own_link(scope.desktop + "a p.lnk");
    refresh();
    EXPECT_EQ(file_names(scope.desktop), std::vector<std::string>{"a p.lnk"});
    const std::string recent = testing::make_folders("", share.substr(1) + "/Recent");
    scope.add_recent(recent, "a.lnk", scope.folder("p/a"), 20);
    scope.add_recent(recent, "b.lnk", scope.folder("p/b"), 10);
    refresh();
    EXPECT_EQ(file_names(scope.desktop), (std::vector<std::string>{"a p.lnk", "b p.lnk"}));
    testing::remove_folder(share);
}

// Redirected to a server that is not back yet after waking, the recent folder takes no link
// with it for ten minutes; away for longer, it is passed over.
TEST(Refresh, ARecentFolderAwayForAMomentLeavesTheDesktopAlone) {
    using std::chrono::minutes;
    refresh_scope scope;
    scope.init();
    add_items(scope, {{"p/a", 20}, {"p/b", 10, true}});
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::string> both{"a p.lnk", "b p.lnk"};
    refresh(start);
    ASSERT_EQ(file_names(scope.desktop), both);
    testing::remove_folder(scope.recent);
    refresh(start + minutes(1));
    refresh(start + minutes(10));
    EXPECT_EQ(file_names(scope.desktop), both);
    refresh(start + minutes(11));
    EXPECT_EQ(file_names(scope.desktop), std::vector<std::string>{"b p.lnk"});

    // Back, it is forgotten: away again, it has its ten minutes again.
    create_folder(scope.recent);
    add_items(scope, {{"p/a", 20}});
    refresh(start + minutes(12));
    EXPECT_EQ(file_names(scope.desktop), both);
    testing::remove_folder(scope.recent);
    refresh(start + minutes(13));
    EXPECT_EQ(file_names(scope.desktop), both);
}

TEST(Refresh, KeepsFolderNamesInAnyScriptAcrossRestarts) {
    for (const std::string name : {"lr=0.001", "\u0150rs", "\u041F\u0440\u043E\u0433", "\u6771\u4EAC", "\u00DCn\u00EFc\u00F6d\u00E9 Data"}) {
        SCOPED_TRACE(name);
        refresh_scope scope;
        write_bytes(scope.app.file("eaoaweoio"), "1");
        const std::string icon = join_path(scope.icons, "blue.ico");
        write_bytes(icon, "ico");
        scope.init();
        const std::string link = name + " C.lnk";
        add_items(scope, {{"C/" + name, 20}, {"C/newer", 10}});
        refresh();
        EXPECT_EQ(file_names(scope.desktop), std::vector<std::string>{link});
        scope.add_recent(scope.recent, "newest.lnk", scope.folder("C/newer"), 30);
        refresh();  // the link leaves the desktop
        // Its place as a desktop would have shown it.
        globals::link_positions.add(link, 1, "40");
        globals::link_positions.add(link, 2, "60");

        for (int restart = 0; restart < 2; ++restart) {
            ASSERT_NO_THROW(scope.init());
            EXPECT_EQ(globals::link_icons.item(link), icon);
            EXPECT_TRUE(globals::link_positions.exists(link));
            EXPECT_EQ(choose_link_icon(link), icon);
        }
        // Byte for byte as ever where the code page holds the name.
        const std::string key = name.find('=') == std::string::npos ? link : '"' + link + '"';
        const std::string text = key + "=" + icon + "\r\nnewer C.lnk=" + icon + "\r\n";
        EXPECT_EQ(read_bytes(scope.app.file("aweporrwrei")),
                  ansi_can_hold(name) ? utf8_to_ansi(text) : "\xFF\xFE" + utf8_to_utf16le(text));
    }
}

TEST(Refresh, WalksRecentFoldersOfMoreThan32767Files) {
    if (path_separator == '\\') GTEST_SKIP() << "Wine takes minutes to make the files; the walk is the same code";
    refresh_scope scope;
    scope.init();
    for (int n = 0; n < 32800; ++n) write_bytes(join_path(scope.recent, std::to_string(n) + ".txt"), "");
    // The newest, so that the walk starts at the last of 32 801 items.
    scope.add_recent(scope.recent, "folder.lnk", scope.folder("big/one"), 2 * 24 * 3600);
    // Whatever the listing order, the shortcut is among them only when all are listed.
    EXPECT_EQ(folder_files(scope.recent).size(), 32801u);
    refresh();
    EXPECT_EQ(file_names(scope.desktop), std::vector<std::string>{"one big.lnk"});
}

// Bad surroundings either end the refresh before it changes anything, or are passed over so
// that it completes, its cleanup included.
TEST(Refresh, BadSurroundingsEndItSafelyOrArePassedOver) {
    const struct {
        const char* what;
        std::function<std::string(refresh_scope&, const std::string&)> spoil;  // a file that must survive
        std::vector<std::string> desktop;
    } cases[] = {
        {"a read-only file in the staging folder",
         [](refresh_scope&, const std::string& staging) {
             create_folder(staging);
             write_bytes(join_path(staging, "stuck.lnk"), "x");
             set_read_only(join_path(staging, "stuck.lnk"), true);
             return join_path(staging, "stuck.lnk");
         },
         {"Stale s.lnk"}},
        {"a link planted at the staging folder",
         [](refresh_scope& s, const std::string& staging) {
             write_bytes(join_path(s.folder("elsewhere"), "precious.txt"), "keep");
             testing::make_folder_link(staging, s.folder("elsewhere"));
             return join_path(s.folder("elsewhere"), "precious.txt");
         },
         {"Stale s.lnk"}},
        {"a link planted at the staging folder's parent",
         [](refresh_scope& s, const std::string& staging) {
             const std::string parent = containing_folder(staging);
             testing::remove_folder(parent);
             write_bytes(join_path(s.folder("behind/vantrel"), "precious.lnk"), "keep");
             testing::make_folder_link(parent, s.folder("behind"));
             return join_path(s.folder("behind/vantrel"), "precious.lnk");
         },
         {"Stale s.lnk"}},
        {"a recent folder that vanished a moment ago",
         [](refresh_scope& s, const std::string&) {
             testing::remove_folder(s.office);
             return s.recent;
         },
         {"Stale s.lnk", "a p.lnk"}},
        {"a desktop too deep for the newest folder's link name",
         [](refresh_scope& s, const std::string&) {
             // Deep enough that a name of 100 fits the staging folder but not the desktop.
             const bool windows = path_separator == '\\';
             std::string deep = s.desktop_root.path();
             for (int n = 0; n < (windows ? 1 : 16); ++n) deep = testing::make_folders(deep, std::string(windows ? 130 : 250, 'd'));
             s.desktop = deep + path_separator;
             testing::save_shortcut(s.desktop + "Stale s.lnk", s.folder("s/stale"), "Quillon Corvane Link");
             s.add_recent(s.recent, "long.lnk", s.folder("l/" + std::string(94, 'n')), 30);
             s.init();
             record_own_link(s.desktop + "Stale s.lnk");
             return s.recent;
         },
         {"a p.lnk", "b p.lnk"}},
        {"a remembered position that is no pair of numbers",
         [](refresh_scope& s, const std::string&) {
             write_bytes(s.app.file("pp3imsfd"), "a p.lnk=left\r\n");
             s.init();
             return s.recent;
         },
         {"a p.lnk", "b p.lnk"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        refresh_scope scope;
        scope.init();
        add_items(scope, {{"p/a", 20}, {"p/b", 10, true}});
        testing::save_shortcut(scope.desktop + "Stale s.lnk", scope.folder("s/stale"), "Quillon Corvane Link");
        record_own_link(scope.desktop + "Stale s.lnk");
        const std::string survivor = c.spoil(scope, scope.staging_parent());

        refresh();

        EXPECT_TRUE(file_exists(survivor) || folder_exists(survivor));
        EXPECT_EQ(file_names(scope.desktop), c.desktop);
    }
}

}  // namespace
}  // namespace corvane
