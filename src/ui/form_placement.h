#pragma once
// Where a form opens: at the pointer, which has just chosen it from the tray's menu, on the
// side of the pointer with more room, so that it opens beside the notification area
// whichever edge the taskbar is on, and wholly inside the work area of the pointer's
// monitor, or from its top-left corner when it is larger than that.

namespace corvane {

struct screen_point {
    long x = 0;
    long y = 0;
};

struct screen_rect {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

// The form's top-left corner.
screen_point form_origin(screen_point pointer, long width, long height, const screen_rect& work_area);

}  // namespace corvane
