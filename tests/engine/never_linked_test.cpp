#include "engine/never_linked.h"

#include <gtest/gtest.h>

#include "base/process_paths.h"
#include "base/text.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

using testing::make_folders;

// Over the system's own folders where it names an Internet cache (Windows), the test's elsewhere.
TEST(NeverLinked, PassesOverScratchCacheDesktopAndHiddenFoldersOnly) {
    testing::refresh_scope scope;
    const start_up_sources system = process_start_up_sources();
    const bool real = !system.internet_cache.empty();
    // On Windows the test's folders lie in the temporary folder: the rest goes to another drive.
    const std::string elsewhere = real ? make_folders("Z:\\tmp", "corvane-never-linked") : scope.targets.path();
    if (real) scope.temporary = system.temporary_folders, scope.internet_cache = system.internet_cache, scope.profile_folder = system.profile;
    scope.temporary.push_back(join_path(elsewhere, "Temp"));
    scope.temporary.push_back(testing::short_path(make_folders(elsewhere, "Temporary Files of Tools")));
    // TEMP as old setup guides left it, or Windows' fallback without TEMP and TMP: no scratch folder.
    scope.temporary.push_back(elsewhere.substr(0, elsewhere.find(path_separator) + 1)), scope.temporary.push_back(scope.profile_folder);
    scope.desktop = make_folders(elsewhere, "Desktop") + path_separator;
    make_folders(scope.app.path(), "Temp"), make_folders(scope.app.path(), "INetCache");
    // As Windows has them: AppData hidden, the Recycle Bin protected, a customised folder system.
    testing::set_hiding(make_folders(scope.profile_folder, "AppData"), true, false);
    testing::set_hiding(make_folders(elsewhere, "$Recycle.Bin"), true, true);
    testing::set_hiding(make_folders(elsewhere, "Hidden"), true, false);
    testing::set_hiding(make_folders(scope.profile_folder, "Documents/Custom"), false, true);
    scope.init();
    const std::string &cache = scope.internet_cache, &temp = scope.temporary.front(), &profile = scope.profile_folder;
    const struct {
        const std::string& root;
        const char* relative;
        bool never, by_name;  // by the path alone, so in any letter case and spelling
    } cases[] = {
        {cache, "Content.Outlook/8Z3K1QPM", true, true}, {cache, "Content.MSO", true, true}, {temp, "", true, true},
        {temp, "Temp1_report.zip", true, true}, {temp, "7zO1388F0AF", true, true}, {scope.desktop, "", true, true},
        {scope.desktop, "Projects", false, false}, {profile, "AppData/Roaming/Foo", true, false},
        {profile, "Documents/Temp", false, false}, {profile, "Documents/Custom/Plans", false, false},
        {elsewhere, "$Recycle.Bin/S-1-5-21-1001", true, false}, {elsewhere, "Hidden/Plans", false, false},
        {elsewhere, "Temp/x", true, true}, {elsewhere, "Temp2", false, false},
        {elsewhere, "Temporary Files of Tools/7zO2", true, true},
    };
    for (const auto& c : cases) {
        const std::string folder = *c.relative ? make_folders(c.root, c.relative) : c.root;
        EXPECT_EQ(never_linked(folder), c.never) << folder;
        const std::string long_prefix = std::string(2, path_separator) + "?" + path_separator;
        EXPECT_TRUE(!c.by_name || never_linked(long_prefix + upper_case(folder) + path_separator)) << folder;
    }
    if (real) testing::remove_folder(elsewhere);
}

}  // namespace
}  // namespace corvane
