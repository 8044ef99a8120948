#include <gtest/gtest.h>

#include "base/process_paths.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

using testing::registry_table;
using testing::table_reader;

const std::string shell_folders = R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)";

std::string office(const std::string& version) { return R"(Software\Microsoft\Office\)" + version + R"(\Common\General)"; }

TEST(FindRecentSources, ReadsTheTenValuesInOrderAndListsEachFolderOnce) {
    testing::temp_folder recent, app_data;
    const std::string office_recent = testing::make_folders(app_data.path(), "Microsoft/Office/Recent");
    const std::string today = testing::make_folders(app_data.path(), "Microsoft/Office/Recent 16");
    const registry_table table{
        {{shell_folders, "Recent"}, recent.path()},
        {{shell_folders, "AppData"}, app_data.path()},
        {{office("12.0"), "RecentFiles"}, "Recent"},
        {{office("14.0"), "RecentFiles"}, "Recent"},
        {{office("16.0"), "RecentFiles"}, "Recent 16"},
    };
    std::vector<std::pair<std::string, std::string>> reads;
    const registry_reader reader = [&](std::uint32_t root, const std::string& subkey, const std::string& value) {
        EXPECT_EQ(root, hkey_current_user);
        reads.emplace_back(subkey, value);
        return table_reader(table)(root, subkey, value);
    };
    EXPECT_EQ(find_recent_sources(reader), (std::vector<std::string>{recent.path(), office_recent, today}));
    const std::vector<std::pair<std::string, std::string>> expected_reads{
        {shell_folders, "Recent"},       {office("9.0"), "RecentFiles"},  {shell_folders, "AppData"},
        {office("10.0"), "RecentFiles"}, {office("11.0"), "RecentFiles"}, {office("12.0"), "RecentFiles"},
        {office("13.0"), "RecentFiles"}, {office("14.0"), "RecentFiles"}, {office("15.0"), "RecentFiles"},
        {office("16.0"), "RecentFiles"},
    };
    EXPECT_EQ(reads, expected_reads);
}

TEST(FindRecentSources, ListsTheFoldersThatAreThereOrDoNotAnswerAsTheRegistryWritesThem) {
    testing::temp_folder root;
    const std::string app_data = root.path();
    const std::string lower = testing::make_folders(app_data, "Microsoft/Office/recent");
    const std::string upper = testing::make_folders(app_data, "Microsoft/Office/RECENT");
    const std::string five = testing::make_folders(app_data, "Microsoft/Office/5");
    // Windows drops trailing spaces from a name, and finds the folder by the untrimmed text.
    const std::string spaced = root.file("with trailing  ");
    create_folder(spaced);
    const struct {
        const char* what;
        registry_table table;
        std::vector<std::string> found;
    } cases[] = {
        {"nothing", {}, {}},
        {"office folders without AppData", {{{office("9.0"), "RecentFiles"}, "recent"}}, {}},
        {"a blank AppData", {{{shell_folders, "AppData"}, "   "}, {{office("9.0"), "RecentFiles"}, "recent"}}, {}},
        {"a blank Recent", {{{shell_folders, "Recent"}, "   "}}, {}},
        {"a missing Recent", {{{shell_folders, "Recent"}, root.file("missing")}}, {}},
        {"trailing spaces", {{{shell_folders, "Recent"}, spaced}}, {spaced}},
        {"names differing in case",
         {{{shell_folders, "AppData"}, app_data},
          {{office("10.0"), "RecentFiles"}, "recent"},
          {{office("11.0"), "RecentFiles"}, "RECENT"},
          {{office("13.0"), "RecentFiles"}, "recent"}},
         {lower, upper}},
        {"a number value", {{{shell_folders, "AppData"}, app_data}, {{office("9.0"), "RecentFiles"}, "5"}}, {five}},
    };
    for (const auto& c : cases) EXPECT_EQ(find_recent_sources(table_reader(c.table)), c.found) << c.what;
    // One on a share that is not up yet at sign-in is a source all the same (the portable build
    // plays the server).
    const std::string away = "/" + root.path() + "-share/Recent";
    if (path_separator == '/') {
        EXPECT_EQ(find_recent_sources(table_reader({{{shell_folders, "Recent"}, away}})), std::vector<std::string>{away});
    }
}

}  // namespace
}  // namespace corvane
