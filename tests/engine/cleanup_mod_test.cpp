#include "engine/cleanup_mod.h"

#include <gtest/gtest.h>

#include <optional>

#include "base/process_paths.h"
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

const struct {
    std::string name;
    std::optional<std::string> description;  // none: not a shortcut, though it holds the marker
    bool made_again;
    bool kept;  // by the cleanup
} cases[] = {
    {"Stale a.lnk", marker, false, false},
    {"Made again b.lnk", marker, true, true},
    {"Users own c.lnk", "  quillon CORVANE link ", false, false},
    {"Shouting d.LNK", marker, false, true},
    {"Other e.lnk", "Quillon  Corvane Link", false, true},
    {"Tabbed g.lnk", "Quillon Corvane Link\t", false, true},
    {"Plain f.lnk", std::nullopt, false, true},
};

// The cases on the desktop, and the links made again in the staging folder.
void lay_out_cases(const testing::globals_scope& scope) {
    create_folder(scope.staging_parent());
    for (const auto& c : cases) {
        if (c.description) {
            testing::save_shortcut(scope.desktop + c.name, scope.app.path(), *c.description);
        } else {
            write_bytes(scope.desktop + c.name, marker);
        }
        if (c.made_again) write_bytes(scope.staging + c.name, "x");
    }
}

// Where the desktop shows no icon for a link (here there is no desktop at all), the place
// remembered before is kept rather than replaced by (0, 0).
TEST(RemoveStaleLinks, DeletesOwnLinksNotMadeAgainKeepingTheirRememberedPlaces) {
    testing::globals_scope scope;
    scope.init();
    lay_out_cases(scope);
    globals::link_positions.add("Stale a.lnk", 1, "300");
    globals::link_positions.add("Stale a.lnk", 2, "240");
    remove_stale_links();
    for (const auto& c : cases) {
        EXPECT_EQ(file_exists(scope.desktop + c.name), c.kept) << c.name;
        EXPECT_EQ(position_on_file(c.name), c.name == "Stale a.lnk" ? "300,240" : "") << c.name;
    }

    // One that cannot be deleted ends the cleanup.
    testing::save_shortcut(scope.desktop + "Locked l.lnk", scope.app.path(), marker);
    testing::set_read_only(scope.desktop + "Locked l.lnk", true);
    EXPECT_NE(testing::error_of([] { remove_stale_links(); }), 0);
    EXPECT_TRUE(file_exists(scope.desktop + "Locked l.lnk"));
    testing::set_read_only(scope.desktop + "Locked l.lnk", false);
}

// Opening it would download it, every minute; it waits until it is on the disk again.
TEST(RemoveStaleLinks, NeverOpensALinkKeptOnlineOnly) {
    if (path_separator == '\\') GTEST_SKIP() << "Wine keeps no offline attribute; the portable stand-in shows the rule";
    testing::globals_scope scope;
    scope.init();
    create_folder(scope.staging_parent());
    testing::save_shortcut(scope.desktop + "In the cloud g.lnk", scope.app.path(), marker);
    testing::set_online_only(scope.desktop + "In the cloud g.lnk");
    remove_stale_links();
    EXPECT_TRUE(file_exists(scope.desktop + "In the cloud g.lnk"));
    EXPECT_EQ(position_on_file("In the cloud g.lnk"), "");
}

TEST(RemoveAllOwnLinks, TakesTheProgramsLinksAndStagingFolderAndNothingElse) {
    testing::globals_scope scope;
    lay_out_cases(scope);
    remove_all_own_links(scope.desktop, scope.staging);
    for (const auto& c : cases) EXPECT_EQ(file_exists(scope.desktop + c.name), c.kept && !c.made_again) << c.name;
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
