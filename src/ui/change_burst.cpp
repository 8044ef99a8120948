#include "ui/change_burst.h"

#include <algorithm>

namespace corvane {

std::chrono::milliseconds burst_delay(std::chrono::milliseconds since_first_change) {
    return std::clamp(burst_longest - since_first_change, std::chrono::milliseconds{0}, burst_quiet);
}

}  // namespace corvane
