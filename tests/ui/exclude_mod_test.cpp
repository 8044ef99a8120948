#include "ui/exclude_mod.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "base/process_paths.h"
#include "base/text.h"
#include "globals_scope.h"
#include "store/easy_file.h"
#include "temp_folder.h"
#include "ui/ini_advanced.h"

namespace corvane {
namespace {

using testing::globals_scope;
using testing::write_bytes;

TEST(ReadIniSection, ReadsTheSectionOfTheFileNamedAfterTheExecutable) {
    globals_scope scope;
    scope.init();
    write_bytes(scope.app.file("tool.ini"), "[exclude]\r\nProjects Documents.lnk\r\n  data d.LNK  \r\n");
    write_bytes(scope.app.file("other.ini"), "[exclude]\r\nOther.lnk\r\n");

    const std::vector<std::string> lines = read_ini_section("exclude", "", true);
    EXPECT_EQ(ini_path, scope.app.file("tool.ini"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Projects Documents.lnk");
    EXPECT_EQ(trim_spaces(lines[1]), "data d.LNK");

    EXPECT_EQ(read_ini_section("exclude", "other.ini", true), std::vector<std::string>{"Other.lnk"});
    EXPECT_EQ(ini_path, scope.app.file("other.ini"));
}

TEST(ReadIniSection, NothingToReadIsEmptyWhenQuietAndError514Otherwise) {
    globals_scope scope;
    scope.init();
    EXPECT_TRUE(read_ini_section("exclude", "", true).empty());
    write_bytes(scope.app.file("tool.ini"), "[exclude]\r\n[other]\r\nx=1\r\n");
    EXPECT_TRUE(read_ini_section("exclude", "", true).empty());
    try {
        read_ini_section("exclude", "", false);
        ADD_FAILURE() << "an empty section was read without complaint";
    } catch (const error& e) {
        EXPECT_EQ(e.number(), 514);
        EXPECT_EQ(std::string(e.what()), "Fehler beim Lesen eines ini-Datei-Eintrags. Die ini-Datei " +
                                             scope.app.file("tool.ini") + " oder die Section exclude wurde nicht gefunden");
    }
    EXPECT_EQ(ini_path, scope.app.file("tool.ini"));
}

TEST(ReadIniSection, ReadsASectionLargerThanTheReadersFirstBufferWhole) {
    globals_scope scope;
    scope.init();
    std::string file = "[exclude]\r\n";
    for (int i = 0; i < 9000; ++i) file += "Folder number " + std::to_string(i) + ".lnk\r\n";
    write_bytes(scope.app.file("tool.ini"), file);
    const std::vector<std::string> lines = read_ini_section("exclude", "", true);
    ASSERT_EQ(lines.size(), 9000u);
    EXPECT_EQ(lines.back(), "Folder number 8999.lnk");
}

TEST(NotExcluded, MatchesLinkFileNamesIgnoringSpacesAndCase) {
    globals_scope scope;
    scope.init();
    EXPECT_TRUE(not_excluded("Projects Documents.lnk"));

    write_bytes(scope.app.file("tool.ini"), "[exclude]\r\nProjects Documents.lnk\r\n  data d.LNK  \r\nC:\\Data\r\n");
    EXPECT_FALSE(not_excluded("Projects Documents.lnk"));
    EXPECT_FALSE(not_excluded("Data D.lnk"));
    EXPECT_TRUE(not_excluded("Projects.lnk"));
    // Entries are link names, so a folder path bans nothing.
    EXPECT_TRUE(not_excluded("Data C.lnk"));

    // Read anew on every call.
    write_bytes(scope.app.file("tool.ini"), "[other]\r\nk=v\r\n[exclude]\r\nA.lnk\r\n");
    EXPECT_TRUE(not_excluded("Projects Documents.lnk"));
    EXPECT_FALSE(not_excluded("a.lnk"));
    write_bytes(scope.app.file("tool.ini"), "[exclude]\r\n");
    EXPECT_TRUE(not_excluded("A.lnk"));

    // A name the code page cannot hold makes the file UTF-16; it bans all the same.
    write_file(scope.app.file("tool.ini"), "[exclude]\r\n\u6771\u4EAC C.lnk\r\n\u00C4rger C.lnk\r\n", false);
    EXPECT_FALSE(not_excluded("\u6771\u4EAC C.lnk"));
    EXPECT_FALSE(not_excluded("\u00C4rger C.lnk"));
    EXPECT_TRUE(not_excluded("\u6771 C.lnk"));
}

}  // namespace
}  // namespace corvane
