#include "store/file_system.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/error.h"
#include "base/process_paths.h"
#include "temp_folder.h"

namespace corvane {
namespace {

using testing::error_of;
using testing::read_bytes;
using testing::set_read_only;
using testing::temp_folder;
using testing::write_bytes;

std::vector<std::string> names_of(const std::vector<file_entry>& files) {
    std::vector<std::string> names;
    for (const file_entry& f : files) names.push_back(f.name);
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileSystem, ListsTheFilesOfAFolderButNotItsSubfolders) {
    temp_folder folder;
    write_bytes(folder.file("b.lnk"), "x");
    write_bytes(folder.file("\u00E4rger.txt"), "");
    create_folder(folder.file("sub"));
    write_bytes(join_path(folder.file("sub"), "deep.lnk"), "x");

    const std::vector<file_entry> files = folder_files(folder.path());
    EXPECT_EQ(names_of(files), (std::vector<std::string>{"b.lnk", "\u00E4rger.txt"}));
    for (const file_entry& f : files) EXPECT_EQ(f.path, folder.file(f.name));

    EXPECT_TRUE(folder_exists(folder.file("sub")));
    EXPECT_FALSE(file_exists(folder.file("sub")));
    EXPECT_TRUE(file_exists(folder.file("b.lnk")));
    EXPECT_FALSE(folder_exists(folder.file("b.lnk")));
    EXPECT_EQ(error_of([&] { create_folder(folder.file("sub")); }), error_number::file_already_exists);
}

TEST(FileSystem, AVanishedFolderOrFileIsAnError) {
    std::string gone;
    {
        temp_folder folder;
        gone = folder.path();
    }
    EXPECT_FALSE(folder_exists(gone));
    EXPECT_EQ(error_of([&] { folder_files(gone); }), error_number::path_not_found);
    EXPECT_NE(error_of([&] { date_last_modified({join_path(gone, "a.lnk"), "a.lnk"}); }), 0);
    EXPECT_NE(error_of([&] { read_file_bytes(join_path(gone, "a")); }), 0);
    EXPECT_NE(error_of([&] { replace_file_bytes(join_path(gone, "a"), "x"); }), 0);
    EXPECT_FALSE(folder_exists(gone));
}

TEST(FileSystem, LastModifiedTimesOrderFilesByTheirWrites) {
    temp_folder folder;
    const file_entry older{folder.file("older"), "older"};
    const file_entry newer{folder.file("newer"), "newer"};
    write_bytes(older.path, "1");
    write_bytes(newer.path, "2");
    const file_time first = date_last_modified(older);
    // Some file systems keep coarse times; write until the clock has moved on.
    while (date_last_modified(newer) <= first) write_bytes(newer.path, "2");
    EXPECT_LT(date_last_modified(older), date_last_modified(newer));
    for (const file_entry& listed : folder_files(folder.path()))
        EXPECT_EQ(listed.modified, date_last_modified(listed)) << listed.name;
    // After 2020-01-01 on the FILETIME scale.
    EXPECT_GT(first, file_time{132223104000000000});
}

TEST(FileSystem, RenameNeverReplacesAnExistingFile) {
    temp_folder folder;
    write_bytes(folder.file("a"), "A");
    write_bytes(folder.file("b"), "B");
    EXPECT_EQ(error_of([&] { rename_file(folder.file("a"), folder.file("b")); }), error_number::file_already_exists);
    EXPECT_EQ(read_bytes(folder.file("a")), "A");
    EXPECT_EQ(read_bytes(folder.file("b")), "B");

    rename_file(folder.file("a"), folder.file("c"));
    EXPECT_FALSE(file_exists(folder.file("a")));
    EXPECT_EQ(read_bytes(folder.file("c")), "A");
    EXPECT_NE(error_of([&] { rename_file(folder.file("a"), folder.file("d")); }), 0);
}

TEST(FileSystem, ReplaceIsWholeAndLeavesNoTemporaryFiles) {
    temp_folder folder;
    const std::string path = folder.file("store");
    replace_file_bytes(path, "first\r\nsecond\r\n");
    EXPECT_EQ(read_bytes(path), "first\r\nsecond\r\n");
    replace_file_bytes(path, "7");
    EXPECT_EQ(read_file_bytes(path), "7");
    replace_file_bytes(path, "");
    EXPECT_EQ(read_file_bytes(path), "");
    EXPECT_EQ(names_of(folder_files(folder.path())), std::vector<std::string>{"store"});

    append_file_bytes(path, "a");
    append_file_bytes(path, "b");
    append_file_bytes(folder.file("new"), "c");
    EXPECT_EQ(read_bytes(path), "ab");
    EXPECT_EQ(read_bytes(folder.file("new")), "c");
    overwrite_file_bytes(path, "x");
    EXPECT_EQ(read_bytes(path), "x");
}

TEST(FileSystem, ReadOnlyFilesKeepTheirContent) {
    temp_folder folder;
    const std::string path = folder.file("store");
    write_bytes(path, "old");
    set_read_only(path, true);
    EXPECT_EQ(error_of([&] { replace_file_bytes(path, "new"); }), error_number::permission_denied);
    EXPECT_NE(error_of([&] { append_file_bytes(path, "new"); }), 0);
    EXPECT_NE(error_of([&] { overwrite_file_bytes(path, "new"); }), 0);
    EXPECT_NE(error_of([&] { delete_file(path); }), 0);
    EXPECT_EQ(read_file_bytes(path), "old");
    EXPECT_EQ(names_of(folder_files(folder.path())), std::vector<std::string>{"store"});

    set_read_only(path, false);
    delete_file(path);
    EXPECT_FALSE(file_exists(path));
    EXPECT_EQ(error_of([&] { delete_file(path); }), error_number::file_not_found);
}

TEST(FileSystem, CopyReplacesAFileOfTheSameNameInTheFolder) {
    temp_folder source;
    temp_folder target;
    write_bytes(source.file("icon.ico"), "new icon");
    write_bytes(target.file("icon.ico"), "old");
    copy_file(source.file("icon.ico"), target.path());
    EXPECT_EQ(read_bytes(target.file("icon.ico")), "new icon");
    EXPECT_EQ(read_bytes(source.file("icon.ico")), "new icon");
    EXPECT_NE(error_of([&] { copy_file(source.file("missing.ico"), target.path()); }), 0);
}

}  // namespace
}  // namespace corvane
