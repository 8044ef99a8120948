#include "shell/lnk_format.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "shell/lnk_samples.h"

namespace corvane {
namespace {

using testing::link_sample;
using testing::make_link;

TEST(LnkFormat, ReadsLocalNetworkAnsiAndUnicodeTargets) {
    const auto local = lnk::parse(make_link({.target = "C:\\Users\\Ana\\Stra\u00DFe", .description = "Notes"}));
    ASSERT_TRUE(local);
    EXPECT_EQ(local->target_path, "C:\\Users\\Ana\\Stra\u00DFe");
    EXPECT_EQ(local->description, "Notes");
    EXPECT_EQ(local->icon_location, "");

    const auto wide = lnk::parse(make_link({.target = "C:\\\u4E2D\u6587", .description = "\u65E5\u672C"}));
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->target_path, "C:\\\u4E2D\u6587");
    EXPECT_EQ(wide->description, "\u65E5\u672C");

    const auto ansi =
        lnk::parse(make_link({.target = "D:\\\u00C4rger", .description = "Caf\u00E9", .unicode = false, .id_list = true}));
    ASSERT_TRUE(ansi);
    EXPECT_EQ(ansi->target_path, "D:\\\u00C4rger");
    EXPECT_EQ(ansi->description, "Caf\u00E9");

    const auto share = lnk::parse(make_link({.target = "\\\\server\\share", .path_suffix = "Reports", .network = true}));
    ASSERT_TRUE(share);
    EXPECT_EQ(share->target_path, "\\\\server\\share\\Reports");
    const auto share_root = lnk::parse(make_link({.target = "\\\\server\\share", .network = true}));
    EXPECT_EQ(share_root->target_path, "\\\\server\\share");
}

TEST(LnkFormat, RewritesOnlyTheChangedString) {
    const std::string original =
        make_link({.target = "C:\\Work", .description = "old", .working_dir = "C:\\Work", .id_list = true});
    const std::string described = lnk::with_description(original, "Quillon Corvane Link");
    const auto link = lnk::parse(described);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->description, "Quillon Corvane Link");
    EXPECT_EQ(link->target_path, "C:\\Work");
    // "old" was 3 UTF-16 units, the new text 20: everything else moved by 34 bytes unchanged.
    ASSERT_EQ(described.size(), original.size() + 34);
    const std::size_t name_at = original.find(std::string("\x03\x00o\x00l\x00", 6));
    ASSERT_NE(name_at, std::string::npos);
    EXPECT_EQ(described.substr(0, name_at), original.substr(0, name_at));
    EXPECT_EQ(described.substr(name_at + 2 + 40), original.substr(name_at + 2 + 6));

    const std::string with_icon = lnk::with_icon_location(described, "C:\\vantrel\\icons\\blue.ico", 3);
    const auto iconed = lnk::parse(with_icon);
    ASSERT_TRUE(iconed);
    EXPECT_EQ(iconed->icon_location, "C:\\vantrel\\icons\\blue.ico");
    EXPECT_EQ(iconed->icon_index, 3);
    EXPECT_EQ(iconed->description, "Quillon Corvane Link");
    EXPECT_EQ(with_icon.substr(with_icon.size() - 20), original.substr(original.size() - 20));  // extra data

    const auto cleared = lnk::parse(lnk::with_description(with_icon, ""));
    EXPECT_EQ(cleared->description, "");
    EXPECT_EQ(cleared->icon_location, "C:\\vantrel\\icons\\blue.ico");
}

TEST(LnkFormat, AnsiLinksTurnUnicodeOnlyForTextTheCodePageLacks) {
    const std::string ansi = make_link({.target = "C:\\A", .working_dir = "C:\\\u00C4", .unicode = false});
    const std::string western = lnk::with_description(ansi, "Caf\u00E9");
    EXPECT_EQ(western.size(), ansi.size() + 2 + 4);
    const std::string eastern = lnk::with_description(ansi, "\u4E2D");
    const auto link = lnk::parse(eastern);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->description, "\u4E2D");
    EXPECT_EQ(link->target_path, "C:\\A");
}

TEST(LnkFormat, TruncatedOrForeignBytesAreNotAShortcut) {
    const std::string good = make_link({.target = "C:\\Work", .description = "d", .working_dir = "C:\\W"});
    EXPECT_FALSE(lnk::parse(""));
    EXPECT_FALSE(lnk::parse("plain text that is long enough to hold a header, but is no shell link at all, no."));
    std::string wrong_clsid = good;
    wrong_clsid[5] ^= 1;
    EXPECT_FALSE(lnk::parse(wrong_clsid));
    // Every cut through the header, LinkInfo or strings is refused; cuts in the extra data
    // are kept verbatim, as the shell does.
    const std::size_t strings_end = good.size() - 20;
    for (std::size_t size = 0; size < strings_end; ++size) {
        EXPECT_FALSE(lnk::parse(good.substr(0, size))) << size;
        EXPECT_THROW(lnk::with_description(good.substr(0, size), "x"), error) << size;
    }
    std::string huge_info = good;
    huge_info[0x4C + 1] = '\x7F';  // LinkInfoSize beyond the file
    EXPECT_FALSE(lnk::parse(huge_info));
    EXPECT_THROW(lnk::with_icon_location(huge_info, "x.ico", 0), error);
}

}  // namespace
}  // namespace corvane
