#include "store/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "base/error.h"
#include "base/process_paths.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

using testing::error_of;
using testing::file_names;
using testing::read_bytes;
using testing::temp_folder;
using testing::write_bytes;

TEST(FileSystem, ListsTheFilesOfAFolderButNotItsSubfolders) {
    temp_folder folder;
    write_bytes(folder.file("b.lnk"), "x");
    write_bytes(folder.file("\u00E4rger.txt"), "");
    create_folder(folder.file("sub"));
    write_bytes(join_path(folder.file("sub"), "deep.lnk"), "x");
    EXPECT_EQ(file_names(folder.path()), (std::vector<std::string>{"b.lnk", "\u00E4rger.txt"}));
    for (const file_entry& f : folder_files(folder.path())) EXPECT_EQ(f.path, folder.file(f.name));
    EXPECT_TRUE(folder_exists(folder.file("sub")) && !file_exists(folder.file("sub")));
    EXPECT_TRUE(file_exists(folder.file("b.lnk")) && !folder_exists(folder.file("b.lnk")));
    EXPECT_EQ(error_of([&] { create_folder(folder.file("sub")); }), error_number::file_already_exists);

    const std::string gone = folder.file("gone");
    EXPECT_EQ(error_of([&] { folder_files(gone); }), error_number::path_not_found);
    EXPECT_NE(error_of([&] { read_file_bytes(join_path(gone, "a")); }), 0);
    EXPECT_NE(error_of([&] { replace_file_bytes(join_path(gone, "a"), "x"); }), 0);
    EXPECT_FALSE(folder_exists(gone));
}

TEST(FileSystem, ListedTimesOrderFilesByTheirWrites) {
    temp_folder folder;
    write_bytes(folder.file("older"), "1");
    write_bytes(folder.file("newer"), "2");
    const auto modified = [&](const std::string& name) {
        const std::vector<file_entry> files = folder_files(folder.path());
        return std::ranges::find(files, name, &file_entry::name)->modified;
    };
    const file_time first = modified("older");
    // Some file systems keep coarse times; write until the clock has moved on.
    for (int n = 0; n < 300 && modified("newer") <= first; ++n) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        write_bytes(folder.file("newer"), "2");
    }
    EXPECT_LT(first, modified("newer"));
    // After 2020-01-01 on the FILETIME scale.
    EXPECT_GT(first, file_time{132223104000000000});
}

TEST(FileSystem, WritesAreWholeAndNeverReplaceWhatTheyMustNot) {
    temp_folder folder;
    const std::string path = folder.file("store");
    replace_file_bytes(path, "first\r\nsecond\r\n");
    EXPECT_EQ(read_bytes(path), "first\r\nsecond\r\n");
    {
        // A reader that has the file open keeps reading the old content whole: the new file
        // takes the old one's place rather than being written over it. Windows refuses the
        // replacement of an open file instead.
        std::ifstream reader(path, std::ios::binary);
        if (path_separator == '/') replace_file_bytes(path, "7");
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "first\r\nsecond\r\n");
    }
    replace_file_bytes(path, "7");
    EXPECT_EQ(read_file_bytes(path), "7");
    EXPECT_EQ(file_names(folder.path()), std::vector<std::string>{"store"});
    overwrite_file_bytes(path, "x");
    EXPECT_EQ(read_bytes(path), "x");

    temp_folder target;
    write_bytes(target.file("old"), "old");
    copy_file(path, target.file("old"));
    copy_file(path, target.file("new name"));
    EXPECT_EQ(read_bytes(target.file("old")), "x");
    EXPECT_EQ(read_bytes(target.file("new name")), "x");
    EXPECT_NE(error_of([&] { copy_file(folder.file("missing"), target.file("old")); }), 0);
}

// Names count in what the system counts: UTF-16 units on Windows, bytes elsewhere.
TEST(FileSystem, PathFitsWithinTheNameAndPathLimits) {
    const std::string root(1, path_separator);
    const std::string deep = root + std::string(200, 'f') + root;
    std::string east;  // 86 letters: 86 UTF-16 units, 258 bytes
    for (int n = 0; n < 86; ++n) east += "\u6771";
    const struct {
        std::string folder, name;
        bool on_windows, elsewhere;
    } cases[] = {
        {root, std::string(255, 'a'), true, true},   {root, std::string(256, 'a'), false, false},
        {root, east, true, false},                   {deep, std::string(57, 'a'), true, true},
        {deep, std::string(58, 'a'), false, true},   {root, "line\r\nbreak", false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(path_fits(c.folder, c.name), path_separator == '\\' ? c.on_windows : c.elsewhere)
            << c.folder.size() << " + " << c.name.size();
}

TEST(FileSystem, ReadOnlyFilesKeepTheirContent) {
    temp_folder folder;
    const std::string path = folder.file("store");
    write_bytes(path, "old");
    testing::set_read_only(path, true);
    EXPECT_EQ(error_of([&] { replace_file_bytes(path, "new"); }), error_number::permission_denied);
    EXPECT_NE(error_of([&] { overwrite_file_bytes(path, "new"); }), 0);
    EXPECT_NE(error_of([&] { delete_file(path); }), 0);
    EXPECT_EQ(read_file_bytes(path), "old");
    EXPECT_EQ(file_names(folder.path()), std::vector<std::string>{"store"});

    testing::set_read_only(path, false);
    delete_file(path);
    EXPECT_EQ(error_of([&] { delete_file(path); }), error_number::file_not_found);
}

// Read from the link itself, never followed: a link to a share that does not answer costs
// nothing to ask.
TEST(FileSystem, ReadsWhereAFolderLinkLeadsWithoutFollowingIt) {
    // Wine's folder links keep no reparse data to read, and its unix links none either.
    if (path_separator == '\\') GTEST_SKIP() << "Wine keeps no reparse data for folder links";
    const testing::temp_folder folder;
    create_folder(folder.file("real"));
    testing::make_folder_link(folder.file("Here"), folder.file("real"));
    EXPECT_EQ(link_target_of(folder.file("Here")), folder.file("real"));
    EXPECT_EQ(link_target_of(folder.file("real")), std::nullopt);
    EXPECT_EQ(link_target_of(folder.file("missing")), std::nullopt);
}

}  // namespace
}  // namespace corvane
