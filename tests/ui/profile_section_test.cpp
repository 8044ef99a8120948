#include "ui/profile_section.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ParseProfileSection, GivesTheFirstSectionsLinesTrimmedWithoutBlanksOrComments) {
    using lines = std::vector<std::string>;
    const std::string many = "[other]\r\nk = v \r\n[exclude]\r\nA.lnk\r\n[more]\r\nB.lnk\r\n[exclude]\r\nC.lnk\r\n";
    const struct {
        std::string file, section;
        lines found;
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
        {std::string("[exclude]\n\n; a note\n\tA.lnk\t\r\rB.lnk") + '\0' + "hidden\nC = 1 = 2", "exclude",
         {"A.lnk", "B.lnk", "C=1 = 2"}},
    };
    for (const auto& c : cases) EXPECT_EQ(parse_profile_section(c.file, c.section), c.found) << c.file;
}

}  // namespace
}  // namespace corvane
