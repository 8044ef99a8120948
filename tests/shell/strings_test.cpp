#include "shell/strings.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(SameText, IgnoresSurroundingSpacesAndCaseOnly) {
    EXPECT_TRUE(same_text("Quillon Corvane Link", "  quillon corvane link "));
    EXPECT_TRUE(same_text("Reports", "Reports "));
    EXPECT_TRUE(same_text("   ", ""));
    EXPECT_TRUE(same_text("\u00C4rger", "\u00E4RGER"));
    EXPECT_FALSE(same_text("Quillon Corvane Link", "QuillonCorvane Link"));
    EXPECT_FALSE(same_text("Reports", "Reports\t"));
    EXPECT_FALSE(same_text("Reports", "Report"));
}

}  // namespace
}  // namespace corvane
