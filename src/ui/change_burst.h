#pragma once
// When a burst of changes in the recent folders has settled enough to refresh: a second after
// its last change, and no later than five seconds after its first, so that a steady stream of
// changes (a sync tool filling the folder) still shows its links.

#include <chrono>

namespace corvane {

constexpr std::chrono::milliseconds burst_quiet{1000};
constexpr std::chrono::milliseconds burst_longest{5000};

// How long after a change to refresh, given how long ago the burst's first change came.
std::chrono::milliseconds burst_delay(std::chrono::milliseconds since_first_change);

}  // namespace corvane
