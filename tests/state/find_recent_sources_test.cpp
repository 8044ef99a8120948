#include <gtest/gtest.h>

#include "base/process_paths.h"
#include "globals_scope.h"
#include "state/globals.h"
#include "store/file_system.h"
#include "temp_folder.h"

namespace corvane {
namespace {

using testing::registry_table;
using testing::table_reader;
using testing::temp_folder;

const std::string shell_folders = R"(Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders)";

std::string office(const std::string& version) { return R"(Software\Microsoft\Office\)" + version + R"(\Common\General)"; }

// The folder AppData + Microsoft\Office\ + name, created when missing.
std::string office_folder(const std::string& app_data, const std::string& name) {
    const std::string microsoft = join_path(app_data, "Microsoft");
    const std::string office_root = join_path(microsoft, "Office");
    const std::string folder = join_path(office_root, name);
    for (const std::string& f : {microsoft, office_root, folder})
        if (!folder_exists(f)) create_folder(f);
    return folder;
}

TEST(FindRecentSources, NothingInTheRegistryGivesNoSources) {
    EXPECT_TRUE(find_recent_sources(table_reader({})).empty());
}

TEST(FindRecentSources, ReadsTheNineValuesInOrderAndListsEachFolderOnce) {
    temp_folder recent;
    temp_folder app_data;
    const std::string office_recent = office_folder(app_data.path(), "Recent");
    registry_table table{
        {{shell_folders, "Recent"}, recent.path()},
        {{shell_folders, "AppData"}, app_data.path()},
        {{office("12.0"), "RecentFiles"}, "Recent"},
        {{office("14.0"), "RecentFiles"}, "Recent"},
    };
    std::vector<std::pair<std::string, std::string>> reads;
    const registry_reader reader = [&](std::uint32_t root, const std::string& subkey, const std::string& value) {
        EXPECT_EQ(root, hkey_current_user);
        reads.emplace_back(subkey, value);
        return table_reader(table)(root, subkey, value);
    };

    EXPECT_EQ(find_recent_sources(reader), (std::vector<std::string>{recent.path(), office_recent}));

    const std::vector<std::pair<std::string, std::string>> expected_reads{
        {shell_folders, "Recent"},       {office("9.0"), "RecentFiles"},  {shell_folders, "AppData"},
        {office("10.0"), "RecentFiles"}, {office("11.0"), "RecentFiles"}, {office("12.0"), "RecentFiles"},
        {office("13.0"), "RecentFiles"}, {office("14.0"), "RecentFiles"}, {office("15.0"), "RecentFiles"},
    };
    EXPECT_EQ(reads, expected_reads);
}

TEST(FindRecentSources, WithoutAppDataNoOfficeFolderIsListed) {
    temp_folder app_data;
    office_folder(app_data.path(), "Recent");
    registry_table table{{{office("9.0"), "RecentFiles"}, "Recent"}, {{office("15.0"), "RecentFiles"}, "Recent"}};
    EXPECT_TRUE(find_recent_sources(table_reader(table)).empty());
    table[{shell_folders, "AppData"}] = "   ";
    EXPECT_TRUE(find_recent_sources(table_reader(table)).empty());
}

TEST(FindRecentSources, BlankValuesAreSkippedAndPathsAreKeptAsWritten) {
    temp_folder root;
    // Created with trailing spaces; Windows drops them from the name, and finds the folder
    // by the untrimmed text all the same.
    const std::string spaced = root.file("with trailing  ");
    create_folder(spaced);
    EXPECT_TRUE(find_recent_sources(table_reader({{{shell_folders, "Recent"}, "   "}})).empty());
    EXPECT_EQ(find_recent_sources(table_reader({{{shell_folders, "Recent"}, spaced}})),
              std::vector<std::string>{spaced});
    EXPECT_TRUE(find_recent_sources(table_reader({{{shell_folders, "Recent"}, root.file("missing")}})).empty());
}

TEST(FindRecentSources, CandidatesDifferingInLetterCaseAreBothListed) {
    temp_folder app_data;
    const std::string lower = office_folder(app_data.path(), "recent");
    const std::string upper = office_folder(app_data.path(), "RECENT");
    const registry_table table{
        {{shell_folders, "AppData"}, app_data.path()},
        {{office("10.0"), "RecentFiles"}, "recent"},
        {{office("11.0"), "RecentFiles"}, "RECENT"},
        {{office("13.0"), "RecentFiles"}, "recent"},
    };
    EXPECT_EQ(find_recent_sources(table_reader(table)), (std::vector<std::string>{lower, upper}));
}

TEST(FindRecentSources, ANumberValueNamesTheFolderByItsDigits) {
    temp_folder app_data;
    const std::string five = office_folder(app_data.path(), "5");
    const registry_table table{{{shell_folders, "AppData"}, app_data.path()}, {{office("9.0"), "RecentFiles"}, "5"}};
    EXPECT_EQ(find_recent_sources(table_reader(table)), std::vector<std::string>{five});
}

TEST(NotInCollection, ComparesWholeStringsExactly) {
    const std::vector<std::string> list{"C:\\Recent", "D:\\x"};
    EXPECT_TRUE(not_in_collection("anything", {}));
    EXPECT_FALSE(not_in_collection("D:\\x", list));
    EXPECT_TRUE(not_in_collection("c:\\recent", list));
    EXPECT_TRUE(not_in_collection("C:\\Recent ", list));
}

}  // namespace
}  // namespace corvane
