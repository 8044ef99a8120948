// The portable INI section reader against the system's profile reader.

#include <gtest/gtest.h>

#include "base/text.h"
#include "temp_folder.h"
#include "ui/profile_section.h"

namespace corvane {
namespace {

TEST(ProfileReaderPeer, TheSystemReaderAndOursAgreeLineForLine) {
    testing::temp_folder folder;
    int n = 0;
    for (const std::string file : {
             "[exclude]\r\nProjects Documents.lnk\r\n  data d.LNK  \r\nC:\\Data\r\n",
             "[other]\r\nk = v \r\n[exclude]\r\nA.lnk\r\n[more]\r\nB.lnk\r\n",
             "[exclude]\r\n",
             "[exclude]\r\n\r\n   \r\n[next]\r\nx\r\n",
             "A.lnk\r\n[EXCLUDE]\r\nB.lnk",
             "[ exclude ]\nC.lnk\n",
             "[exclude]\n; a note\n\tA.lnk\t\nkey = value = more\n",
             "[exclude]\r\nGr\xFC\xDF" "e.lnk\r\n",
             "",
         }) {
        const std::string path = folder.file("sample" + std::to_string(n++) + ".ini");
        testing::write_bytes(path, file);
        std::vector<std::string> ours;
        for (const std::string& line : parse_profile_section(file, "exclude")) ours.push_back(ansi_to_utf8(line));
        EXPECT_EQ(read_profile_section(path, "exclude"), ours) << file;
    }
    EXPECT_TRUE(read_profile_section(folder.file("missing.ini"), "exclude").empty());
}

}  // namespace
}  // namespace corvane
