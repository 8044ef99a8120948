#include "ui/profile_section.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using lines = std::vector<std::string>;

TEST(ParseProfileSection, GivesTheSectionsLinesTrimmedInFileOrder) {
    const std::string file = "[exclude]\r\nProjects Documents.lnk\r\n  data d.LNK  \r\n";
    EXPECT_EQ(parse_profile_section(file, "exclude"), (lines{"Projects Documents.lnk", "data d.LNK"}));
    EXPECT_EQ(parse_profile_section(file, "EXCLUDE"), parse_profile_section(file, "exclude"));
    EXPECT_EQ(parse_profile_section("[ Exclude ]\nA.lnk", "exclude"), lines{"A.lnk"});
}

TEST(ParseProfileSection, StopsAtTheNextSectionAndReadsOnlyTheFirstOfAName) {
    const std::string file = "[other]\r\nk = v \r\n[exclude]\r\nA.lnk\r\n[more]\r\nB.lnk\r\n[exclude]\r\nC.lnk\r\n";
    EXPECT_EQ(parse_profile_section(file, "other"), lines{"k=v"});
    EXPECT_EQ(parse_profile_section(file, "exclude"), lines{"A.lnk"});
    EXPECT_EQ(parse_profile_section(file, "more"), lines{"B.lnk"});
}

TEST(ParseProfileSection, MissingOrEmptySectionsHaveNoLines) {
    EXPECT_TRUE(parse_profile_section("", "exclude").empty());
    EXPECT_TRUE(parse_profile_section("A.lnk\r\n", "exclude").empty());
    EXPECT_TRUE(parse_profile_section("[exclude]\r\n\r\n   \r\n[next]\r\nx\r\n", "exclude").empty());
    EXPECT_TRUE(parse_profile_section("[excluded]\r\nx\r\n", "exclude").empty());
}

TEST(ParseProfileSection, SkipsBlankAndCommentLinesAndEndsALineAtNul) {
    const std::string file = std::string("[exclude]\n\n; a note\n\tA.lnk\t\r\rB.lnk") + '\0' + "hidden\nC = 1 = 2";
    EXPECT_EQ(parse_profile_section(file, "exclude"), (lines{"A.lnk", "B.lnk", "C=1 = 2"}));
}

}  // namespace
}  // namespace corvane
