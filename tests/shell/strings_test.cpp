#include "shell/strings.h"

#include <gtest/gtest.h>

#include "base/process_paths.h"
#include "shell/easy_path.h"

namespace corvane {
namespace {

TEST(SameText, IgnoresSurroundingSpacesAndCaseOnly) {
    EXPECT_TRUE(same_text("Quillon Corvane Link", "  quillon corvane link "));
    EXPECT_TRUE(same_text("   ", ""));
    EXPECT_TRUE(same_text("\u00C4rger", "\u00E4RGER"));
    EXPECT_FALSE(same_text("Quillon Corvane Link", "QuillonCorvane Link"));
    EXPECT_FALSE(same_text("Reports", "Reports\t"));
}

TEST(LastPathPart, IsTheTextAfterTheLastSeparator) {
    const std::string staging = join_path(join_path("C:", "vantrel"), "");
    EXPECT_EQ(last_path_part(staging + "Reports 2026.lnk"), "Reports 2026.lnk");
    EXPECT_EQ(last_path_part(staging), "");
    EXPECT_EQ(last_path_part("Reports.lnk"), "Reports.lnk");
}

}  // namespace
}  // namespace corvane
