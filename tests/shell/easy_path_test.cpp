#include "shell/easy_path.h"

#include <gtest/gtest.h>

#include "base/process_paths.h"

namespace corvane {
namespace {

TEST(LastPathPart, IsTheTextAfterTheLastSeparator) {
    const std::string staging = join_path(join_path("C:", "vantrel"), "");
    EXPECT_EQ(last_path_part(staging + "Reports 2026.lnk"), "Reports 2026.lnk");
    EXPECT_EQ(last_path_part(staging), "");
    EXPECT_EQ(last_path_part("Reports.lnk"), "Reports.lnk");
    EXPECT_EQ(last_path_part(""), "");
}

}  // namespace
}  // namespace corvane
