#include "shell/lnk_format.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "support/lnk_samples.h"

namespace corvane {
namespace {

using testing::link_sample;
using testing::make_link;

TEST(LnkFormat, ReadsLocalNetworkAnsiAndUnicodeTargets) {
    const struct {
        link_sample sample;
        std::string target;
    } cases[] = {
        {{.target = "C:\\Users\\Ana\\Stra\u00DFe", .description = "Notes"}, "C:\\Users\\Ana\\Stra\u00DFe"},
        {{.target = "C:\\\u4E2D\u6587", .description = "\u65E5\u672C"}, "C:\\\u4E2D\u6587"},
        {{.target = "D:\\\u00C4rger", .description = "Caf\u00E9", .unicode = false, .id_list = true}, "D:\\\u00C4rger"},
        {{.target = "\\\\server\\share", .path_suffix = "Reports", .network = true}, "\\\\server\\share\\Reports"},
        {{.target = "\\\\server\\share", .network = true}, "\\\\server\\share"},
    };
    for (const auto& c : cases) {
        const auto link = lnk::parse(make_link(c.sample));
        ASSERT_TRUE(link) << c.target;
        EXPECT_EQ(link->target_path, c.target);
        EXPECT_EQ(link->description, c.sample.description);
        EXPECT_EQ(link->icon_location, "");
    }
}

TEST(LnkFormat, RewritesOnlyTheChangedStringTurningUnicodeOnlyWhereItMust) {
    const std::string original =
        make_link({.target = "C:\\Work", .description = "old", .working_dir = "C:\\Work", .id_list = true});
    const std::string described = lnk::with_description(original, "Quillon Corvane Link");
    // "old" was 3 UTF-16 units, the new text 20: everything else moved by 34 bytes unchanged.
    ASSERT_EQ(described.size(), original.size() + 34);
    const std::size_t name_at = original.find(std::string("\x03\x00o\x00l\x00", 6));
    EXPECT_EQ(described.substr(0, name_at), original.substr(0, name_at));
    EXPECT_EQ(described.substr(name_at + 2 + 40), original.substr(name_at + 2 + 6));

    const std::string with_icon = lnk::with_icon_location(described, "C:\\vantrel\\icons\\blue.ico", 3);
    const auto iconed = lnk::parse(lnk::with_description(with_icon, ""));
    ASSERT_TRUE(iconed);
    EXPECT_EQ(iconed->icon_location, "C:\\vantrel\\icons\\blue.ico");
    EXPECT_EQ(iconed->icon_index, 3);
    EXPECT_EQ(iconed->description, "");
    EXPECT_EQ(iconed->target_path, "C:\\Work");
    EXPECT_EQ(with_icon.substr(with_icon.size() - 20), original.substr(original.size() - 20));  // extra data

    const std::string ansi = make_link({.target = "C:\\A", .working_dir = "C:\\\u00C4", .unicode = false});
    EXPECT_EQ(lnk::with_description(ansi, "Caf\u00E9").size(), ansi.size() + 2 + 4);
    const auto eastern = lnk::parse(lnk::with_description(ansi, "\u4E2D"));
    ASSERT_TRUE(eastern);
    EXPECT_EQ(eastern->description, "\u4E2D");
    EXPECT_EQ(eastern->target_path, "C:\\A");
}

TEST(LnkFormat, TruncatedOrForeignBytesAreNotAShortcut) {
    const std::string good = make_link({.target = "C:\\Work", .description = "d", .working_dir = "C:\\W"});
    EXPECT_FALSE(lnk::parse("plain text that is long enough to hold a header, but is no shell link at all, no."));
    std::string wrong_clsid = good;
    wrong_clsid[5] ^= 1;
    EXPECT_FALSE(lnk::parse(wrong_clsid));
    // Every cut through the header, LinkInfo or strings is refused; cuts in the extra data
    // are kept verbatim, as the shell does.
    for (std::size_t size = 0; size < good.size() - 20; ++size) {
        EXPECT_FALSE(lnk::parse(good.substr(0, size))) << size;
        EXPECT_THROW(lnk::with_description(good.substr(0, size), "x"), error) << size;
    }
    // A LinkInfo size beyond the file, a LinkInfo header size beyond the LinkInfo.
    for (const std::size_t at : {0x4C + 1, 0x4C + 5}) {
        std::string bad = good;
        bad[at] = '\x10';
        EXPECT_FALSE(lnk::parse(bad)) << at;
        EXPECT_THROW(lnk::with_icon_location(bad, "x.ico", 0), error) << at;
    }
}

}  // namespace
}  // namespace corvane
