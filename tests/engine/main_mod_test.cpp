#include "engine/main_mod.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "base/process_paths.h"
#include "globals_scope.h"
#include "state/globals.h"
#include "store/file_system.h"
#include "store/persistent_dictionary.h"
#include "temp_folder.h"

namespace corvane {
namespace {

using testing::error_of;
using testing::globals_scope;
using testing::read_bytes;
using testing::set_read_only;
using testing::write_bytes;

// The icon files in the platform's listing order, which is the order the choice sees.
std::vector<std::string> make_icons(const globals_scope& scope, int count) {
    for (int i = 0; i < count; ++i) write_bytes(join_path(scope.icons, "icon" + std::to_string(i) + ".ico"), "ico");
    std::vector<std::string> listed;
    for (const file_entry& icon : folder_files(scope.icons)) listed.push_back(icon.path);
    return listed;
}

void put_on_desktop(const globals_scope& scope, const std::string& name) { write_bytes(scope.desktop + name, "lnk"); }

std::string stored_icon(const globals_scope& scope, const std::string& name) {
    persistent_dictionary reloaded;
    reloaded.create("aweporrwrei");
    EXPECT_EQ(reloaded.file_path, scope.app.file("aweporrwrei"));
    return reloaded.item(name);
}

TEST(ChooseLinkIcon, NewNamesTakeTheLeastUsedIconAndTiesGoToTheOneListedLast) {
    globals_scope scope;
    scope.init();
    const std::vector<std::string> icons = make_icons(scope, 3);
    globals::link_icons.add("One a.lnk", icons[0]);
    globals::link_icons.add("Two a.lnk", icons[0]);
    put_on_desktop(scope, "One a.lnk");
    put_on_desktop(scope, "Two a.lnk");

    // Counts 2, 0, 0: the last of the unused two.
    EXPECT_EQ(choose_link_icon("First b.lnk"), icons[2]);
    EXPECT_EQ(stored_icon(scope, "First b.lnk"), icons[2]);
    // Once that link is on the desktop the counts are 2, 0, 1.
    put_on_desktop(scope, "First b.lnk");
    EXPECT_EQ(choose_link_icon("Second b.lnk"), icons[1]);
    put_on_desktop(scope, "Second b.lnk");
    // 2, 1, 1: the less used icon wins wherever it stands.
    EXPECT_EQ(choose_link_icon("Third b.lnk"), icons[2]);
}

TEST(ChooseLinkIcon, AKnownNameKeepsItsIconAndTheStoreIsNotWritten) {
    globals_scope scope;
    write_bytes(scope.app.file("aweporrwrei"), "Old x.lnk=C:\\gone\\old.ico\r\n");
    scope.init();
    make_icons(scope, 2);
    // A write to the read-only store would raise.
    set_read_only(scope.app.file("aweporrwrei"), true);
    EXPECT_EQ(choose_link_icon("Old x.lnk"), "C:\\gone\\old.ico");
    EXPECT_EQ(read_bytes(scope.app.file("aweporrwrei")), "Old x.lnk=C:\\gone\\old.ico\r\n");
    set_read_only(scope.app.file("aweporrwrei"), false);
}

TEST(ChooseLinkIcon, ADesktopFileWithAKnownLinkNameCountsWhateverItHolds) {
    globals_scope scope;
    scope.init();
    const std::vector<std::string> icons = make_icons(scope, 2);
    globals::link_icons.add("Known k.lnk", icons[1]);
    globals::link_icons.add("Away k.lnk", icons[0]);
    // Not a shortcut at all, but it bears a known name; "Away k.lnk" is not on the desktop.
    put_on_desktop(scope, "Known k.lnk");
    put_on_desktop(scope, "unrelated.txt");
    EXPECT_EQ(choose_link_icon("New n.lnk"), icons[0]);
}

TEST(ChooseLinkIcon, AnEmptyIconsFolderGivesAndKeepsTheEmptyText) {
    globals_scope scope;
    scope.init();
    EXPECT_EQ(choose_link_icon("Bare b.lnk"), "");
    EXPECT_TRUE(globals::link_icons.exists("Bare b.lnk"));
    make_icons(scope, 1);
    EXPECT_EQ(choose_link_icon("Bare b.lnk"), "");
    EXPECT_EQ(stored_icon(scope, "Bare b.lnk"), "");
}

TEST(ChooseLinkIcon, AMissingDesktopFolderFailsTheChoiceAndStoresNothing) {
    globals_scope scope;
    scope.desktop = scope.app.file("no desktop") + path_separator;
    scope.init();
    make_icons(scope, 1);
    EXPECT_EQ(error_of([] { choose_link_icon("Any a.lnk"); }), error_number::path_not_found);
    EXPECT_FALSE(globals::link_icons.exists("Any a.lnk"));
}

}  // namespace
}  // namespace corvane
