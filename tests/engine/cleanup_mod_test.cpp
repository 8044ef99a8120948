#include "engine/cleanup_mod.h"

#include <gtest/gtest.h>

#include <optional>

#include "base/process_paths.h"
#include "engine/own_links.h"
#include "support/fixtures.h"
#include "state/globals.h"
#include "store/file_system.h"

namespace corvane {
namespace {

using testing::write_bytes;

const std::string marker = "Quillon Corvane Link";

// Where the store file says the icon stood; "" when it holds no position.
std::string position_on_file(const std::string& name) {
    persistent_array_dict positions;
    positions.create("pp3imsfd");
    return positions.exists(name) ? positions.item(name, 1) + "," + positions.item(name, 2) : "";
}

// A desktop shared with the user and other PCs: all carry the marker, only what the record
// holds as the same file is the program's. Where the desktop shows no icon for a link (here
// there is no desktop at all), the place remembered before is kept rather than replaced by (0, 0).
TEST(RemoveStaleLinks, DeletesOnlyRecordedLinksNotMadeAgainKeepingTheirRememberedPlaces) {
    testing::globals_scope scope;
    scope.init();
    create_folder(scope.staging_parent());
    const struct {
        std::string name;
        bool recorded, made_again, kept;
    } cases[] = {
        {"Stale a.lnk", true, false, false},          {"Made again b.lnk", true, true, true},
        {"Projects (keep).lnk", false, false, true},  {"Projects Data - Copy.lnk", false, false, true},
        {"Projects Data-LAPTOP.lnk", false, false, true}, {"Synced s.lnk", true, false, true},
        {"In the cloud g.lnk", true, false, false},
    };
    for (const auto& c : cases) {
        testing::save_shortcut(scope.desktop + c.name, scope.app.path(), marker);
        if (c.recorded) record_own_link(scope.desktop + c.name);
        if (c.made_again) write_bytes(scope.staging + c.name, "x");
    }
    // Another PC's link synced over ours; ours kept online only goes without being downloaded.
    replace_file_bytes(scope.desktop + "Synced s.lnk", testing::read_bytes(scope.desktop + "Synced s.lnk"));
    testing::set_online_only(scope.desktop + "In the cloud g.lnk");
    globals::link_positions.add("Stale a.lnk", 1, "300");
    globals::link_positions.add("Stale a.lnk", 2, "240");
    for (int round = 0; round < 10; ++round) remove_stale_links();
    for (const auto& c : cases) EXPECT_EQ(file_exists(scope.desktop + c.name), c.kept) << c.name;
    EXPECT_EQ(position_on_file("Stale a.lnk"), "300,240");
    EXPECT_EQ(all_own_links(), std::vector<std::string>{scope.desktop + "Made again b.lnk"});

    // One that cannot be deleted stays the program's, and keeps no other.
    for (const char* name : {"Locked l.lnk", "Next m.lnk"}) {
        testing::save_shortcut(scope.desktop + name, scope.app.path(), marker);
        record_own_link(scope.desktop + name);
    }
    testing::set_read_only(scope.desktop + "Locked l.lnk", true);
    remove_stale_links();
    EXPECT_TRUE(is_own_link(scope.desktop + "Locked l.lnk"));
    EXPECT_FALSE(file_exists(scope.desktop + "Next m.lnk"));
    testing::set_read_only(scope.desktop + "Locked l.lnk", false);
}

// The first start after an older version, which knew its links by the marker alone.
TEST(RemoveStaleLinks, AfterAnUpgradeAdoptsTheMarkedLinksOnceAndCleansAsBefore) {
    testing::globals_scope scope;
    write_bytes(scope.app.file("aweporrwrei"), "");
    scope.init();
    create_folder(scope.staging_parent());
    const struct {
        std::string name;
        std::optional<std::string> description;  // none: not a shortcut, though it holds the marker
        bool made_again, kept;
    } cases[] = {
        {"Stale a.lnk", marker, false, false},
        {"Made again b.lnk", marker, true, true},
        {"Users own c.lnk", "  quillon CORVANE link ", false, false},
        {"Shouting d.LNK", marker, false, true},
        {"Other e.lnk", "Quillon  Corvane Link", false, true},
        {"Tabbed g.lnk", "Quillon Corvane Link\t", false, true},
        {"Plain f.lnk", std::nullopt, false, true},
    };
    // Each leads to the folder it is named after, as the older version made them.
    const auto folder_of = [&](const std::string& name) {
        const std::string stem = name.substr(0, name.size() - 4);
        return testing::make_folders(scope.app.path(), stem.substr(stem.rfind(' ') + 1) + "/" + stem.substr(0, stem.rfind(' ')));
    };
    for (const auto& c : cases) {
        if (c.description) {
            testing::save_shortcut(scope.desktop + c.name, folder_of(c.name), *c.description);
        } else {
            write_bytes(scope.desktop + c.name, marker);
        }
        if (c.made_again) write_bytes(scope.staging + c.name, "x");
    }
    // The user's copy of one bears another name than its folder's link.
    testing::save_shortcut(scope.desktop + "Stale a - Copy.lnk", folder_of("Stale a.lnk"), marker);
    adopt_marked_links(scope.desktop);
    remove_stale_links();
    for (const auto& c : cases) EXPECT_EQ(file_exists(scope.desktop + c.name), c.kept) << c.name;
    EXPECT_TRUE(file_exists(scope.desktop + "Stale a - Copy.lnk"));
    // Once: a marked link that comes later is another PC's.
    testing::save_shortcut(scope.desktop + "Later h.lnk", scope.app.path(), marker);
    adopt_marked_links(scope.desktop);
    remove_stale_links();
    EXPECT_TRUE(file_exists(scope.desktop + "Later h.lnk"));
}

TEST(RemoveAllOwnLinks, TakesTheRecordedLinksAndStagingFolderAndNothingElse) {
    testing::globals_scope scope;
    scope.init();
    create_folder(scope.staging_parent());
    write_bytes(scope.staging + "Ours a.lnk", "x");
    for (const char* name : {"Ours a.lnk", "Another PCs b.lnk"}) testing::save_shortcut(scope.desktop + name, scope.app.path(), marker);
    record_own_link(scope.desktop + "Ours a.lnk");
    remove_all_own_links(scope.desktop, scope.staging);
    EXPECT_EQ(testing::file_names(scope.desktop), std::vector<std::string>{"Another PCs b.lnk"});
    EXPECT_FALSE(folder_exists(containing_folder(scope.staging)));
    // A desktop that is gone does not keep the staging folder.
    create_folder(scope.staging_parent());
    remove_all_own_links(scope.desktop + "gone" + path_separator, scope.staging);
    EXPECT_FALSE(folder_exists(scope.staging));

    // Behind a staging folder that is a link, nothing is touched.
    const testing::temp_folder behind;
    write_bytes(behind.file("Kept.lnk"), "x");
    const std::string link = scope.staging_parent();
    testing::make_folder_link(link, behind.path());
    remove_all_own_links(scope.desktop, scope.staging);
    EXPECT_TRUE(file_exists(behind.file("Kept.lnk")));
}

}  // namespace
}  // namespace corvane
