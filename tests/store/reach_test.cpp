#include "store/reach.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include <unistd.h>

#include "base/process_paths.h"
#include "store/file_system.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;

TEST(ShareOf, NamesTheShareOfANetworkPath) {
    const std::pair<std::string, std::string> cases[] = {
        {"\\\\Files01\\Share\\Reports", "\\\\Files01\\Share"}, {"\\\\files01", "\\\\files01"}, {"Z:\\Reports", "Z:"},
        {"\\\\?\\UNC\\Files01\\Share\\x", "\\\\Files01\\Share"}, {"\\\\?\\unc\\files02\\share", "\\\\files02\\share"}};
    for (auto [path, share] : cases) {
        std::replace(path.begin(), path.end(), '\\', path_separator);
        std::replace(share.begin(), share.end(), '\\', path_separator);
        EXPECT_EQ(share_of(without_long_path_prefix(path)), share) << path;
    }
}

// The portable build plays the servers: its network paths begin with two slashes, Linux reads
// //tmp as /tmp, and each temporary folder is a share of the server "tmp".
TEST(FolderReach, WaitsASecondOnceAndKeepsALateAnswerForTheNextRefresh) {
    if (path_separator == '\\') GTEST_SKIP() << "the servers are played in the portable build";
    const testing::temp_folder slow_share, other_share;
    create_folder(slow_share.file("here"));
    const std::string slow = "/" + slow_share.file("here"), other = "/" + other_share.path();
    const auto now = std::chrono::steady_clock::now();
    slow_down_folder_checks("/" + slow_share.path(), 1500ms);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(folder_reach(slow, now), reach::away);
    // Still out, and the refresh's wait for that share is spent; the server's other shares answer.
    EXPECT_EQ(folder_reach(slow, now), reach::away);
    EXPECT_EQ(folder_reach("/" + slow_share.file("other"), now), reach::away);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms);
    EXPECT_EQ(folder_reach(other, now), reach::there);
    EXPECT_EQ(folder_reach(other + "/missing", now), reach::gone);
    EXPECT_EQ(folder_reach(other + "-no-share/x", now), reach::away);
    // A share that is not there, slowly: the check ends with no answer at all.
    const std::string lost = slow_share.path() + "-lost";
    EXPECT_EQ(folder_reach("/" + lost + "/x", now), reach::away);
    std::this_thread::sleep_for(3500ms);
    EXPECT_EQ(folder_reach(slow, now + 1min), reach::there);
    EXPECT_EQ(folder_reach("/" + slow_share.file("other"), now + 1min), reach::gone);
    // Then it is left alone for five minutes, whatever comes.
    create_folder(lost), create_folder(lost + "/x");
    slow_down_folder_checks("", 0ms);
    EXPECT_EQ(folder_reach("/" + lost + "/x", now + 1min), reach::away);
    EXPECT_EQ(folder_reach("/" + lost + "/x", now + 5min), reach::away);
    EXPECT_EQ(folder_reach("/" + lost + "/x", now + 7min), reach::there);
    testing::remove_folder(lost);

    // A drive that is not attached is away; a folder missing from an attached one is gone.
    EXPECT_EQ(folder_reach("/corvane-no-such-drive/x", now), reach::away);
    EXPECT_EQ(folder_reach(slow_share.file("missing"), now), reach::gone);
}

// mklink /d C:\Proj \\srv\proj, played with symbolic links: such a path is asked as the share
// it leads to, and waited for a second at most.
TEST(FolderReach, APathLeadingToAShareThroughLinksIsAskedAsThatShare) {
    const testing::temp_folder local, share;
    create_folder(share.file("proj"));
    create_folder(local.file("real"));
    const std::string shared = "/" + share.file("proj");
    const std::pair<const char*, std::string> links[] = {
        {"Proj", shared}, {"Rel", "Proj/deeper"}, {"Here", local.file("real")}, {"Loop1", "Loop2"}, {"Loop2", "Loop1"}};
    for (const auto& [name, target] : links) ASSERT_EQ(::symlink(target.c_str(), local.file(name).c_str()), 0);
    const std::pair<std::string, std::string> cases[] = {{local.file("Proj/sub"), shared + "/sub"},
                                                         {local.file("Rel/x"), shared + "/deeper/x"},
                                                         {local.file("Here/x"), ""},
                                                         {local.file("Loop1/x"), ""},
                                                         {local.file("real"), ""}};
    for (const auto& [path, behind] : cases) EXPECT_EQ(network_behind_links(path), behind) << path;
    slow_down_folder_checks("/" + share.path(), 3000ms);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(folder_reach(local.file("Proj/sub"), start), reach::away);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2000ms);
    slow_down_folder_checks("", 0ms);
}

}  // namespace
}  // namespace corvane
