#include "engine/cleanup_mod.h"

#include <gtest/gtest.h>

#include <optional>

#include "base/error.h"
#include "globals_scope.h"
#include "shell/shortcut_files.h"
#include "state/globals.h"
#include "store/file_system.h"
#include "temp_folder.h"

namespace corvane {
namespace {

using testing::error_of;
using testing::globals_scope;
using testing::save_shortcut;
using testing::set_read_only;
using testing::write_bytes;

const std::string marker = "Quillon Corvane Link";

void expect_position_kept(const std::string& name) {
    persistent_array_dict positions;
    positions.create("pp3imsfd");
    ASSERT_TRUE(positions.exists(name)) << name;
    EXPECT_EQ(positions.item(name, 1), "0");
    EXPECT_EQ(positions.item(name, 2), "0");
}

TEST(RemoveStaleLinks, DeletesOnlyOwnLinksThatWereNotMadeAgain) {
    globals_scope scope;
    scope.init();
    create_folder(scope.staging);
    const struct {
        std::string name;
        std::optional<std::string> description;  // none: not a shortcut, though it holds the marker
        bool made_again;
        bool kept;
    } cases[] = {
        {"Stale a.lnk", marker, false, false},
        {"Made again b.lnk", marker, true, true},
        {"Users own c.lnk", "  quillon CORVANE link ", false, false},
        {"Shouting d.LNK", marker, false, true},
        {"Other e.lnk", "Quillon  Corvane Link", false, true},
        {"Plain f.lnk", std::nullopt, false, true},
    };
    for (const auto& c : cases) {
        const std::string path = scope.desktop + c.name;
        if (c.description) {
            save_shortcut(path, scope.app.path(), *c.description);
        } else {
            write_bytes(path, marker);
        }
        if (c.made_again) write_bytes(scope.staging + c.name, "x");
    }

    remove_stale_links();

    for (const auto& c : cases) {
        EXPECT_EQ(file_exists(scope.desktop + c.name), c.kept) << c.name;
        EXPECT_EQ(globals::link_positions.exists(c.name), !c.kept) << c.name;
        if (!c.kept) expect_position_kept(c.name);
    }
}

TEST(RemoveStaleLinks, RemembersALinkItCannotDeleteAndStopsThere) {
    globals_scope scope;
    scope.init();
    create_folder(scope.staging);
    save_shortcut(scope.desktop + "Locked l.lnk", scope.app.path(), marker);
    set_read_only(scope.desktop + "Locked l.lnk", true);

    EXPECT_NE(error_of([] { remove_stale_links(); }), 0);
    EXPECT_TRUE(file_exists(scope.desktop + "Locked l.lnk"));
    expect_position_kept("Locked l.lnk");
    set_read_only(scope.desktop + "Locked l.lnk", false);
}

}  // namespace
}  // namespace corvane
