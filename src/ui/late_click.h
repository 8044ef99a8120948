#pragma once
// A right click on the icon while a refresh holds the program is answered once it returns. A
// refresh that held it for long would open the menu wherever the pointer is by then, often
// where the menu cannot take the foreground: such a click is dropped, and the user clicks again.

#include <cstdint>

namespace corvane {

constexpr std::uint32_t late_click_limit_ms = 1000;

// Times are the system's 32-bit millisecond ticks, which wrap after 49 days.
inline bool late_click_opens_menu(std::uint32_t click, std::uint32_t busy_ended) {
    return static_cast<std::int32_t>(busy_ended - click) <= static_cast<std::int32_t>(late_click_limit_ms);
}

}  // namespace corvane
