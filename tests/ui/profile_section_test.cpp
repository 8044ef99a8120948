#include "ui/profile_section.h"

#include <gtest/gtest.h>

#include "base/text.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

// Our reader, and on Windows the system's, which the program uses there, line for line.
TEST(ParseProfileSection, GivesTheFirstSectionsLinesTrimmedWithoutBlanksOrComments) {
    using lines = std::vector<std::string>;
    const std::string many = "[other]\r\nk = v \r\n[exclude]\r\nA.lnk\r\n[more]\r\nB.lnk\r\n[exclude]\r\nC.lnk\r\n";
    const struct {
        std::string file, section;
        lines found;
        bool system_agrees = true;
    } cases[] = {
        {"[exclude]\r\nProjects Documents.lnk\r\n  data d.LNK  \r\n", "EXCLUDE", {"Projects Documents.lnk", "data d.LNK"}},
        {"[ Exclude ]\nA.lnk", "exclude", {"A.lnk"}},
        {many, "other", {"k=v"}},
        {many, "exclude", {"A.lnk"}},
        {many, "more", {"B.lnk"}},
        {"", "exclude", {}},
        {"A.lnk\r\n", "exclude", {}},
        {"[exclude]\r\n\r\n   \r\n[next]\r\nx\r\n", "exclude", {}},
        {"[excluded]\r\nx\r\n", "exclude", {}},
        {"[exclude]\r\nGr\xFC\xDF" "e.lnk\r\n", "exclude", {"Gr\xFC\xDF" "e.lnk"}},
        {"[exclude]\n; a note\n\tA.lnk\t\nC = 1 = 2\n", "exclude", {"A.lnk", "C=1 = 2"}},
        {std::string("[exclude]\n\n; a note\n\tA.lnk\t\r\rB.lnk") + '\0' + "hidden\nC = 1 = 2", "exclude",
         {"A.lnk", "B.lnk", "C=1 = 2"}, false},
    };
    const testing::temp_folder folder;
    for (const auto& c : cases) {
        EXPECT_EQ(parse_profile_section(c.file, c.section), c.found) << c.file;
        if (!c.system_agrees) continue;
        testing::write_bytes(folder.file("sample.ini"), c.file);
        lines decoded;
        for (const std::string& line : c.found) decoded.push_back(ansi_to_utf8(line));
        EXPECT_EQ(read_profile_section(folder.file("sample.ini"), c.section), decoded) << c.file;
    }
    EXPECT_TRUE(read_profile_section(folder.file("missing.ini"), "exclude").empty());
}

}  // namespace
}  // namespace corvane
