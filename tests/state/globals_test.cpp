#include "state/globals.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/error.h"
#include "base/process_paths.h"
#include "environment.h"
#include "globals_scope.h"
#include "store/file_system.h"
#include "temp_folder.h"

namespace corvane {
namespace {

using testing::environment_scope;
using testing::error_of;
using testing::globals_scope;
using testing::write_bytes;

TEST(InitGlobals, FirstRunBindsEmptyStoresToTheirFixedNames) {
    globals_scope scope;
    scope.init();

    EXPECT_EQ(globals::max_folders.value(), "7");
    EXPECT_EQ(globals::max_folders.file_path, scope.app.file("eaoaweoio"));
    EXPECT_EQ(globals::link_icons.count(), 0u);
    EXPECT_EQ(globals::link_icons.file_path, scope.app.file("aweporrwrei"));
    EXPECT_EQ(globals::link_positions.count(), 0u);
    EXPECT_EQ(globals::link_positions.store.file_path, scope.app.file("pp3imsfd"));
    EXPECT_EQ(globals::icons_folder, scope.icons);
    EXPECT_EQ(globals::desktop_folder, scope.desktop);
    EXPECT_EQ(globals::exe_name, "tool");
    EXPECT_TRUE(globals::recent_sources.empty());
    // Binding writes nothing.
    EXPECT_EQ(folder_files(scope.app.path()).size(), 0u);
}

TEST(InitGlobals, StoredStateSurvivesARestartWhateverTheExecutableIsCalled) {
    globals_scope scope;
    write_bytes(scope.app.file("eaoaweoio"), "12");
    write_bytes(scope.app.file("aweporrwrei"), "A b.lnk=C:\\icons\\1.ico\r\n");
    scope.exe_name = "renamed";
    scope.registry[{R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)", "Recent"}] =
        scope.desktop_root.path();
    scope.init();

    EXPECT_EQ(globals::max_folders.value(), "12");
    EXPECT_EQ(globals::link_icons.item("A b.lnk"), "C:\\icons\\1.ico");
    EXPECT_EQ(globals::exe_name, "renamed");
    EXPECT_EQ(globals::recent_sources, std::vector<std::string>{scope.desktop_root.path()});
}

TEST(InitGlobals, StopsAtTheFailingStepAndLeavesTheLaterFieldsEmpty) {
    {
        globals_scope scope;
        write_bytes(scope.app.file("aweporrwrei"), "no equals sign\r\n");
        EXPECT_EQ(error_of([&] { scope.init(); }), error_number::subscript_out_of_range);
        EXPECT_EQ(globals::max_folders.value(), "7");
        EXPECT_TRUE(globals::icons_folder.empty());
        EXPECT_TRUE(globals::link_positions.store_name.empty());
    }
    {
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
        EXPECT_TRUE(globals::exe_name.empty());
        EXPECT_TRUE(globals::link_positions.store_name.empty());
    }
}

TEST(InitGlobals, TheProcessGivesTheFoldersTheNameAndTheDesktop) {
    const std::string desktop_tail = std::string(1, path_separator) + "Desktop" + path_separator;
    if (const std::string shown = shell_desktop_folder(); !shown.empty()) {
        // The shell names it on Windows, whatever the profile variable says.
        const environment_scope profile("USERPROFILE", std::string("C:\\elsewhere"));
        EXPECT_EQ(process_start_up_sources().desktop_folder, shown + path_separator);
    } else {
        {
            // Joined as it stands, with no check of the separators.
            const environment_scope profile("USERPROFILE", std::string("C:\\Users\\Zo/\u00E9"));
            EXPECT_EQ(process_start_up_sources().desktop_folder, "C:\\Users\\Zo/\u00E9" + desktop_tail);
        }
        const environment_scope profile("USERPROFILE", std::nullopt);
        EXPECT_EQ(process_start_up_sources().desktop_folder, desktop_tail);
    }
    const start_up_sources sources = process_start_up_sources();
    EXPECT_EQ(sources.application_folder, application_folder());
    EXPECT_EQ(sources.exe_name, "unit_tests");
}

TEST(InitGlobals, StartsFromTheRealExecutablesFolder) {
    const std::string icons = join_path(application_folder(), "icons");
    const bool made_icons = !folder_exists(icons);
    if (made_icons) create_folder(icons);
    init_globals();
    EXPECT_EQ(globals::icons_folder, icons);
    EXPECT_EQ(globals::exe_name, "unit_tests");
    EXPECT_EQ(globals::max_folders.file_path, join_path(application_folder(), "eaoaweoio"));
    set_application_folder({});
    if (made_icons) std::filesystem::remove(std::filesystem::path(std::u8string(icons.begin(), icons.end())));
}

}  // namespace
}  // namespace corvane
