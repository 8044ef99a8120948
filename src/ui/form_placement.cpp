#include "ui/form_placement.h"

#include <algorithm>

namespace corvane {
namespace {

// One axis: before the pointer when there is more room before it.
long start_along(long pointer, long size, long low, long high) {
    const long start = pointer - low > high - pointer ? pointer - size : pointer;
    return std::max(low, std::min(start, high - size));
}

}  // namespace

screen_point form_origin(screen_point pointer, long width, long height, const screen_rect& work_area) {
    return {start_along(pointer.x, width, work_area.left, work_area.right),
            start_along(pointer.y, height, work_area.top, work_area.bottom)};
}

}  // namespace corvane
