#include "store/easy_file.h"

#include <gtest/gtest.h>

#include "support/fixtures.h"

namespace corvane {
namespace {

using testing::read_bytes;

TEST(EasyFile, WritesTheAnsiCodePageWhereItHoldsTheTextAndUtf16Elsewhere) {
    const testing::temp_folder folder;
    const std::string path = folder.file("store");
    EXPECT_EQ(read_file(path), "");
    EXPECT_EQ(read_file(folder.path()), "");
    write_file(path, "a longer text\r\n");
    write_file(path, "k=Stra\u00DFe\r\n");
    EXPECT_EQ(read_bytes(path), "k=Stra\xDF" "e\r\n");
    const std::string text = "\u6771\u4EAC C.lnk=1\r\n";
    write_file(path, text);
    EXPECT_EQ(read_bytes(path).substr(0, 6), std::string("\xFF\xFE\x71\x67\xAC\x4E", 6));
    EXPECT_EQ(read_file(path), text);
    // Text whose ANSI bytes would begin like the mark.
    write_file(path, "\u00FF\u00FEk=v\r\n");
    EXPECT_EQ(read_file(path), "\u00FF\u00FEk=v\r\n");
    write_file(path, "");
    EXPECT_TRUE(file_exists(path));
    EXPECT_EQ(read_file(path), "");
}

}  // namespace
}  // namespace corvane
