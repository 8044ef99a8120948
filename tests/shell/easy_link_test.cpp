#include "shell/easy_link.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "shell/lnk_format.h"
#include "support/lnk_samples.h"
#include "store/file_system.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

using testing::error_of;
using testing::make_link;
using testing::read_bytes;
using testing::write_bytes;

TEST(EasyLink, ReadsAndRewritesShortcutsAndNothingElse) {
    testing::temp_folder folder;
    const std::string reports = folder.file("Reports \u00C4");
    create_folder(reports);
    write_bytes(folder.file("letter.txt"), "Dear");
    write_bytes(folder.file("Reports.lnk"), make_link({.target = reports, .description = "Yearly"}));
    write_bytes(folder.file("letter.lnk"), make_link({.target = folder.file("letter.txt")}));
    write_bytes(folder.file("gone.lnk"), make_link({.target = folder.file("gone")}));

    EXPECT_EQ(link_target_path(folder.file("Reports.lnk")), reports);
    EXPECT_EQ(link_description(folder.file("Reports.lnk")), "Yearly");
    EXPECT_TRUE(link_points_to_folder(folder.file("Reports.lnk")));
    EXPECT_EQ(link_target_path(folder.file("letter.lnk")), folder.file("letter.txt"));
    EXPECT_FALSE(link_points_to_folder(folder.file("letter.lnk")));
    EXPECT_FALSE(link_points_to_folder(folder.file("gone.lnk")));
    for (const std::string& not_a_link : {folder.file("letter.txt"), folder.file("missing.lnk"), reports}) {
        EXPECT_EQ(link_target_path(not_a_link), "") << not_a_link;
        EXPECT_EQ(link_description(not_a_link), "") << not_a_link;
        EXPECT_FALSE(link_points_to_folder(not_a_link)) << not_a_link;
    }

    const std::string path = folder.file("Reports.lnk");
    set_link_description(path, "Quillon Corvane Link");
    set_link_icon(path, folder.file("blue.ico"), " +12 ");
    EXPECT_EQ(link_description(path), "Quillon Corvane Link");
    EXPECT_EQ(link_target_path(path), reports);
    const auto rewritten = lnk::parse(read_bytes(path));
    ASSERT_TRUE(rewritten);
    EXPECT_EQ(rewritten->icon_location, folder.file("blue.ico"));
    EXPECT_EQ(rewritten->icon_index, 12);
}

TEST(EasyLink, WritersRaiseAndTouchNothingOnBadInput) {
    testing::temp_folder folder;
    const std::string path = folder.file("Work.lnk");
    write_bytes(path, make_link({.target = folder.path(), .description = "keep"}));
    const std::string before = read_bytes(path);
    for (const char* index : {"zero", "", "1.5", "0x10", "-"})
        EXPECT_EQ(error_of([&] { set_link_icon(path, "x.ico", index); }), error_number::type_mismatch) << index;
    EXPECT_EQ(error_of([&] { set_link_icon(path, "x.ico", "99999999999"); }), error_number::overflow);
    EXPECT_EQ(read_bytes(path), before);

    write_bytes(folder.file("plain.lnk"), "not a shortcut");
    EXPECT_NE(error_of([&] { set_link_description(folder.file("plain.lnk"), "x"); }), 0);
    EXPECT_NE(error_of([&] { set_link_icon(folder.file("plain.lnk"), "x.ico", "0"); }), 0);
    EXPECT_EQ(read_bytes(folder.file("plain.lnk")), "not a shortcut");
    EXPECT_NE(error_of([&] { set_link_description(folder.file("missing.lnk"), "x"); }), 0);
    EXPECT_FALSE(file_exists(folder.file("missing.lnk")));
}

TEST(EasyLink, LinkNamesEndInLowerCaseDotLnk) {
    for (const char* name : {"Reports.lnk", "C:\\vantrel\\Reports.lnk", ".lnk"}) EXPECT_TRUE(is_link_name(name)) << name;
    for (const char* name : {"Reports.LNK", "lnk", "", "Reports.lnk "}) EXPECT_FALSE(is_link_name(name)) << name;
}

}  // namespace
}  // namespace corvane
