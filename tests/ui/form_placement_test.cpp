#include "ui/form_placement.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(FormOrigin, OpensBesideThePointerOnTheRoomierSideAndInsideTheWorkArea) {
    // 1920 x 1080 with a 40-pixel taskbar at the bottom, unless a case says otherwise.
    const screen_rect bottom_bar{0, 0, 1920, 1040};
    const struct {
        const char* where;
        screen_point pointer;
        screen_rect work_area;
        screen_point origin;
        int width = 300, height = 200;
    } cases[] = {
        {"on the tray, taskbar at the bottom", {1850, 1060}, bottom_bar, {1550, 840}},
        {"on the menu above the tray", {1800, 990}, bottom_bar, {1500, 790}},
        {"taskbar at the top", {1850, 20}, {0, 40, 1920, 1080}, {1550, 40}},
        {"taskbar on the left", {20, 1000}, {60, 0, 1920, 1080}, {60, 800}},
        {"taskbar on the right", {1900, 1000}, {0, 0, 1860, 1080}, {1560, 800}},
        {"in the middle of the screen", {900, 500}, bottom_bar, {900, 500}},
        {"a monitor left of the main one", {-100, 1060}, {-1920, 0, 0, 1040}, {-400, 840}},
        {"a monitor above, at 150 %", {100, -50}, {0, -1600, 2560, -40}, {100, -250}},
        {"a form larger than the work area keeps its top left corner on it", {1200, 700}, {0, 0, 1280, 760}, {0, 0},
         1600, 900},
    };
    for (const auto& c : cases) {
        const screen_point origin = form_origin(c.pointer, c.width, c.height, c.work_area);
        EXPECT_EQ(origin.x, c.origin.x) << c.where;
        EXPECT_EQ(origin.y, c.origin.y) << c.where;
    }
}

}  // namespace
}  // namespace corvane
