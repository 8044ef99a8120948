#include "shell/desktop_icons.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(PackIconPoint, PutsXInTheLowAndYInTheHighHalf) {
    EXPECT_EQ(pack_icon_point({120, 300}), 0x12C0078);
    EXPECT_EQ(pack_icon_point({32767, 32767}), 0x7FFF7FFF);
    // A monitor left of the primary one: x stays in its half, y is not lowered.
    EXPECT_EQ(pack_icon_point({-1, 5}), 0x0005FFFF);
    EXPECT_EQ(pack_icon_point({-1920, 40}), 0x0028F880);
}

TEST(WideToText, DecodesUpToTheFirstNul) { EXPECT_EQ(wide_to_text(u"\u6771\u4EAC C\0hidden"), "\u6771\u4EAC C"); }

}  // namespace
}  // namespace corvane
