#include "store/reach.h"

#include <gtest/gtest.h>

#include "store/file_system.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;

TEST(ServerOf, NamesTheMachineOfANetworkPath) {
    const struct {
        const char* path;
        const char* server;
    } cases[] = {{"\\\\Files01\\Share\\Reports", "files01"}, {"\\\\files01", "files01"},
                 {"Z:\\Reports", "z:"},                      {"//nas/share/x", "nas"}};
    for (const auto& c : cases) EXPECT_EQ(server_of(c.path), c.server) << c.path;
}

// The portable build plays the server; its network paths begin with two slashes, and Linux
// reads //tmp as /tmp.
TEST(FolderWithinReach, GivesAServerThatDoesNotAnswerASecondAndThenLeavesItAloneForFiveMinutes) {
    const testing::temp_folder root;
    const std::string server = "/" + root.path();  // "//tmp/..."
    create_folder(root.file("here"));
    create_folder(root.file("slow"));
    const std::string here = server + "/here", slow = server + "/slow";
    EXPECT_TRUE(is_network_path(here));
    slow_down_folder_checks(slow, 5s);
    const auto now = std::chrono::steady_clock::now();

    EXPECT_TRUE(folder_within_reach(here, now));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(folder_within_reach(slow, now));
    // The same refresh asks that server nothing more, even for a folder that is there.
    EXPECT_FALSE(folder_within_reach(here, now));
    EXPECT_FALSE(folder_within_reach(here, now + 4min));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_TRUE(folder_within_reach(here, now + 6min));
    // A local path is never put off.
    EXPECT_TRUE(folder_within_reach(root.path(), now));
    slow_down_folder_checks("", 0ms);
}

}  // namespace
}  // namespace corvane
