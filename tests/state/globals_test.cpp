#include "state/globals.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "base/process_paths.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

using testing::globals_scope;
using testing::write_bytes;

TEST(InitGlobals, BindsTheStoresToTheirFixedNamesWhateverTheExecutableIsCalled) {
    globals_scope scope;
    write_bytes(scope.app.file("aweporrwrei"), "A b.lnk=C:\\icons\\1.ico\r\n");
    write_bytes(scope.app.file("eaoaweoio"), "");  // an empty maximum is the default
    scope.exe_name = "renamed";
    scope.registry[{R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)", "Recent"}] =
        scope.desktop_root.path();
    scope.init();
    EXPECT_EQ(globals::max_folders.value(), "7");
    EXPECT_EQ(globals::link_icons.item("A b.lnk"), "C:\\icons\\1.ico");
    EXPECT_EQ(globals::icons_folder, scope.icons);
    EXPECT_EQ(globals::desktop_folder, scope.desktop);
    EXPECT_EQ(globals::exe_name, "renamed");
    EXPECT_EQ(globals::recent_sources, std::vector<std::string>{scope.desktop_root.path()});
    // Binding writes nothing.
    EXPECT_EQ(testing::file_names(scope.app.path()), (std::vector<std::string>{"aweporrwrei", "eaoaweoio"}));
}

TEST(InitGlobals, StopsAtTheFailingStepAndLeavesTheLaterFieldsEmpty) {
    {
        globals_scope scope;
        write_bytes(scope.app.file("aweporrwrei"), "no equals sign\r\n");
        EXPECT_EQ(testing::error_of([&] { scope.init(); }), error_number::subscript_out_of_range);
        EXPECT_EQ(globals::max_folders.value(), "7");
        EXPECT_TRUE(globals::icons_folder.empty());
    }
    globals_scope scope(false);
    try {
        scope.init();
        ADD_FAILURE() << "start-up went on without its icons folder";
    } catch (const error& e) {
        EXPECT_EQ(e.number(), error_number::path_not_found);
        EXPECT_NE(std::string(e.what()).find(scope.icons), std::string::npos) << e.what();
    }
    EXPECT_EQ(globals::icons_folder, scope.icons);
    EXPECT_TRUE(globals::desktop_folder.empty());
    EXPECT_TRUE(globals::link_positions.store_name.empty());

    // Without a staging folder nothing could be made: start-up says so.
    globals_scope homeless;
    homeless.staging.clear();
    EXPECT_EQ(testing::error_of([&] { homeless.init(); }), error_number::path_not_found);
}

TEST(InitGlobals, StartsFromTheRealExecutablesFolderAndTheProfilesDesktop) {
    // Where no shell names the desktop, the profile's Desktop folder is it.
    if (shell_desktop_folder().empty()) {
        EXPECT_EQ(process_start_up_sources().desktop_folder, environment_variable("USERPROFILE") + "/Desktop/");
    }
    const std::string icons = join_path(application_folder(), "icons");
    const bool made_icons = !folder_exists(icons);
    if (made_icons) create_folder(icons);
    init_globals();
    EXPECT_EQ(globals::icons_folder, icons);
    EXPECT_EQ(globals::exe_name, "unit_tests");
    set_application_folder({});
    if (made_icons) testing::remove_folder(icons);
}

}  // namespace
}  // namespace corvane
