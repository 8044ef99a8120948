// The message loop with real change notifications on real folders.

#include "ui/recent_watch.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "store/file_system.h"
#include "support/fixtures.h"

namespace corvane {
namespace {

TEST(RecentWatch, WakesForChangesEndsOnQuitAndLetsAFolderGoWithoutSpinning) {
    const testing::temp_folder root;
    const std::string recent = root.file("Recent");
    create_folder(recent);
    const DWORD loop = GetCurrentThreadId();
    int changes = 0;
    std::thread outside([&] {
        Sleep(300);
        testing::write_bytes(recent + "\\Report.lnk", "new");
        Sleep(600);
        delete_file(recent + "\\Report.lnk");
        delete_folder(recent);
        Sleep(1000);
        PostThreadMessageW(loop, WM_QUIT, 7, 0);
    });
    // A folder that is not there is left to the timer.
    const int code = run_message_loop({recent, root.file("Office")}, [&] { ++changes; });
    outside.join();
    EXPECT_EQ(code, 7);
    EXPECT_GE(changes, 2);
    // A folder that went signals once more and is dropped, rather than waking the loop for ever.
    EXPECT_LT(changes, 20);
}

}  // namespace
}  // namespace corvane
