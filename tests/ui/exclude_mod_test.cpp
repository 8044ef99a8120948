#include "ui/exclude_mod.h"

#include <gtest/gtest.h>

#include "support/fixtures.h"
#include "store/easy_file.h"
#include "ui/ini_advanced.h"

namespace corvane {
namespace {

using testing::write_bytes;

TEST(ReadIniSection, ReadsTheSectionOfTheFileNamedAfterTheExecutableWhole) {
    testing::globals_scope scope;
    scope.init();
    EXPECT_TRUE(read_ini_section("exclude").empty());
    EXPECT_EQ(ini_path, scope.app.file("tool.ini"));
    std::string file = "[exclude]\r\n";
    // More than the system reader's first buffer holds.
    for (int i = 0; i < 9000; ++i) file += "Folder number " + std::to_string(i) + ".lnk\r\n";
    write_bytes(scope.app.file("tool.ini"), file);
    const std::vector<std::string> lines = read_ini_section("exclude");
    ASSERT_EQ(lines.size(), 9000u);
    EXPECT_EQ(lines.back(), "Folder number 8999.lnk");
}

TEST(NotExcluded, MatchesLinkFileNamesIgnoringSpacesAndCaseReadAnewEachTime) {
    testing::globals_scope scope;
    scope.init();
    EXPECT_TRUE(not_excluded("Projects Documents.lnk"));
    write_bytes(scope.app.file("tool.ini"), "[exclude]\r\nProjects Documents.lnk\r\n  data d.LNK  \r\nC:\\Data\r\n");
    EXPECT_FALSE(not_excluded("Projects Documents.lnk"));
    EXPECT_FALSE(not_excluded("Data D.lnk"));
    EXPECT_TRUE(not_excluded("Projects.lnk"));
    EXPECT_TRUE(not_excluded("Data C.lnk"));  // entries are link names: a folder path bans nothing

    // A name the code page cannot hold makes the file UTF-16; it bans all the same.
    write_file(scope.app.file("tool.ini"), "[other]\r\nk=v\r\n[exclude]\r\n\u6771\u4EAC C.lnk\r\n\u00C4rger C.lnk\r\n");
    EXPECT_TRUE(not_excluded("Projects Documents.lnk"));
    EXPECT_FALSE(not_excluded("\u6771\u4EAC C.lnk"));
    EXPECT_FALSE(not_excluded("\u00C4RGER c.lnk"));
    EXPECT_TRUE(not_excluded("\u6771 C.lnk"));

    // The reader takes the blanks around a line's first "=" out; such names are banned all the same.
    write_bytes(scope.app.file("tool.ini"), "[exclude]\r\nlr = 0.001 runs.lnk\r\n= x= 1 y.lnk\r\n");
    EXPECT_FALSE(not_excluded("lr = 0.001 runs.lnk"));
    EXPECT_FALSE(not_excluded("lr=0.001 runs.lnk"));
    EXPECT_FALSE(not_excluded("= x= 1 y.lnk"));
    EXPECT_TRUE(not_excluded("x=1 y.lnk"));

    // A line with "*" or "?" is a pattern over the whole name; one without is exact as ever.
    write_bytes(scope.app.file("tool.ini"), "[exclude]\r\n* Temp.lnk\r\n*content.OUTLOOK.lnk\r\n Backup* \r\nQ?.lnk\r\nData.lnk\r\n????? Work.lnk\r\n");
    const std::pair<const char*, bool> names[] = {
        {"7zO1388F0AF Temp.lnk", false}, {"Temp1_report.zip TEMP.lnk", false}, {"Temp Local.lnk", true},
        {"Temp.lnk", true}, {"8Z3K1QPM Content.Outlook.lnk", false}, {"Backup 2024 D.lnk", false},
        {"My Backup D.lnk", true}, {"Qx.lnk", false}, {"Qxy.lnk", true}, {"Data.lnk", false}, {"Old Data.lnk", true},
        {"Notes Work.lnk", true},  // an older list's name of letters its code page lacked
    };
    for (const auto& [name, allowed] : names) EXPECT_EQ(not_excluded(name), allowed) << name;
}

}  // namespace
}  // namespace corvane
