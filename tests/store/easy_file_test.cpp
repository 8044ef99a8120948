#include "store/easy_file.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "base/process_paths.h"
#include "temp_folder.h"

namespace corvane {
namespace {

using testing::read_bytes;
using testing::temp_folder;
using testing::write_bytes;

TEST(EasyFile, WritesExactlyTheTextInTheAnsiCodePage) {
    temp_folder folder;
    const std::string path = folder.file("store");
    EXPECT_EQ(read_file(path), "");
    EXPECT_EQ(read_file(folder.path()), "");
    write_file(path, "a longer text\r\n", false);
    write_file(path, "k=Stra\u00DFe\r\n", false);
    EXPECT_EQ(read_bytes(path), "k=Stra\xDF" "e\r\n");
    write_file(path, "two", true);
    EXPECT_EQ(read_file(path), "k=Stra\u00DFe\r\ntwo");
    write_file(path, "", false);
    EXPECT_TRUE(file_exists(path));
    EXPECT_EQ(read_file(path), "");
}

TEST(EasyFile, WritesWhatTheCodePageCannotHoldAsUtf16) {
    temp_folder folder;
    const std::string path = folder.file("store");
    const std::string text = "\u6771\u4EAC C.lnk=1\r\n";
    write_file(path, text, false);
    EXPECT_EQ(read_bytes(path).substr(0, 6), std::string("\xFF\xFE\x71\x67\xAC\x4E", 6));
    write_file(path, "2", true);
    EXPECT_EQ(read_file(path), text + "2");
    // Text whose ANSI bytes would begin like the mark.
    write_file(path, "\u00FF\u00FEk=v\r\n", false);
    EXPECT_EQ(read_file(path), "\u00FF\u00FEk=v\r\n");
    // An ANSI file that cannot take the addition whole becomes UTF-16.
    write_file(folder.file("ansi"), "one ", false);
    write_file(folder.file("ansi"), "\u041F\u0440\u043E\u0433", true);
    EXPECT_EQ(read_bytes(folder.file("ansi")).substr(0, 4), std::string("\xFF\xFEo\0", 4));
    EXPECT_EQ(read_file(folder.file("ansi")), "one \u041F\u0440\u043E\u0433");
}

TEST(EasyFile, FailedWritesReportNothingAndKeepTheOldContent) {
    temp_folder folder;
    const std::string nowhere = join_path(folder.file("no such folder"), "store");
    const std::string locked = folder.file("read-only");
    write_bytes(locked, "old\r\n");
    testing::set_read_only(locked, true);
    for (const bool append : {false, true}) {
        write_file(nowhere, "x", append);
        write_file(locked, "new", append);
    }
    EXPECT_FALSE(file_exists(nowhere));
    EXPECT_EQ(read_file(locked), "old\r\n");
    EXPECT_THROW(delete_file(folder.file("missing")), error);
}

}  // namespace
}  // namespace corvane
