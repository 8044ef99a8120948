#include "engine/never_linked.h"

#include <gtest/gtest.h>

#include <chrono>

#include "base/process_paths.h"
#include "base/text.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

using testing::make_folders;

// Natively over the test's own temporary folder, cache and profile; where the system names an
// Internet cache (Windows), over the real ones, as the shell names them.
TEST(NeverLinked, PassesOverScratchCacheDesktopAndHiddenFoldersOnly) {
    testing::refresh_scope scope;
    const start_up_sources system = process_start_up_sources();
    // On Windows the test's own folders lie in the temporary folder: the rest goes to another drive.
    const bool real = !system.internet_cache.empty();
    std::string elsewhere = scope.targets.path();
    if (real) {
        scope.temporary = system.temporary_folders;
        scope.internet_cache = system.internet_cache;
        scope.profile_folder = system.profile;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        elsewhere = make_folders("Z:\\tmp", "corvane-never-linked-" + std::to_string(stamp));
    }
    for (const std::string& root : {scope.temporary.front(), scope.internet_cache})
        if (!folder_exists(root)) create_folder(root);
    scope.desktop = make_folders(elsewhere, "Desktop") + path_separator;
    scope.temporary.push_back(join_path(elsewhere, "Temp"));
    scope.temporary.push_back(testing::short_path(make_folders(elsewhere, "Temporary Files of Tools")));
    // As Windows has them: AppData hidden, the Recycle Bin protected, a customised folder system.
    testing::set_hiding(make_folders(scope.profile_folder, "AppData"), true, false);
    testing::set_hiding(make_folders(elsewhere, "$Recycle.Bin"), true, true);
    testing::set_hiding(make_folders(elsewhere, "Hidden"), true, false);
    testing::set_hiding(make_folders(scope.profile_folder, "Documents/Custom"), false, true);
    scope.init();

    const struct {
        const std::string& root;
        const char* relative;
        bool never;
        bool by_name = false;  // judged by the path alone, so in any letter case
    } cases[] = {
        {scope.internet_cache, "Content.Outlook/8Z3K1QPM", true, true},
        {scope.internet_cache, "Content.MSO", true, true},
        {scope.temporary.front(), "", true, true},
        {scope.temporary.front(), "Temp1_report.zip", true, true},
        {scope.temporary.front(), "7zO1388F0AF", true, true},
        {scope.desktop, "", true, true},
        {scope.desktop, "Projects", false},
        {scope.profile_folder, "AppData/Roaming/Foo", true},
        {scope.profile_folder, "Documents/Temp", false},
        {scope.profile_folder, "Documents/Custom/Plans", false},
        {elsewhere, "$Recycle.Bin/S-1-5-21-1001", true},
        {elsewhere, "Hidden/Plans", false},
        {elsewhere, "Temp/x", true, true},
        {elsewhere, "Temp2", false},
        {elsewhere, "Temporary Files of Tools/7zO2", true},
    };
    for (const auto& c : cases) {
        const std::string folder = *c.relative ? make_folders(c.root, c.relative) : c.root;
        EXPECT_EQ(never_linked(folder), c.never) << folder;
        const std::string loud = upper_case(folder) + path_separator;
        if (c.by_name) {
            EXPECT_TRUE(never_linked(loud)) << loud;
        }
    }
    if (real) {
        testing::remove_folder(elsewhere);
        for (const char* made : {"Documents/Temp", "Documents/Custom", "AppData/Roaming/Foo"})
            testing::remove_folder(join_path(scope.profile_folder, made));
    }
}

}  // namespace
}  // namespace corvane
