#include "shell/desktop_icons.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(PackIconPoint, PutsXInTheLowAndYInTheHighHalf) {
    EXPECT_EQ(pack_icon_point({120, 300}), 19660920);
    EXPECT_EQ(pack_icon_point({120, 300}), 0x12C0078);
    EXPECT_EQ(pack_icon_point({0, 0}), 0);
    EXPECT_EQ(pack_icon_point({32767, 32767}), 0x7FFF7FFF);
    // A monitor left of the primary one: x stays in its half, y is not lowered.
    EXPECT_EQ(pack_icon_point({-1, 5}), 0x0005FFFF);
    EXPECT_EQ(pack_icon_point({-1920, 40}) >> 16, 40);
    EXPECT_EQ(static_cast<std::int16_t>(pack_icon_point({-1920, 40}) & 0xFFFF), -1920);
}

TEST(WideToText, DecodesUpToTheFirstNul) {
    EXPECT_EQ(wide_to_text(u"\u6771\u4EAC C\0hidden"), "\u6771\u4EAC C");
    EXPECT_EQ(wide_to_text(u""), "");
}

TEST(DesktopIcons, WithoutADesktopListViewNothingIsReadOrMoved) {
    EXPECT_EQ(get_desktop_icon_position("Projects Documents.lnk"), icon_point{});
    set_desktop_icon_position("Projects Documents.lnk", {120, 300});
    list_view_info info;
    info.class_name = "kept";
    EXPECT_FALSE(attach_list_view(info));
    EXPECT_EQ(info.class_name, "kept");
    EXPECT_EQ(list_view_state().list_view_window, 0u);
    EXPECT_EQ(get_item_text(1, 1), "");
    EXPECT_EQ(get_item_position(1), icon_point{});
    EXPECT_EQ(get_column_text(1), "");
    EXPECT_EQ(list_view_state().shared_item.address, 0u);
}

}  // namespace
}  // namespace corvane
