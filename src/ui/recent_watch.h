#pragma once
// Windows only: the one UI thread's message loop, woken as well by changes in the recent
// folders, so that a newly opened document's folder shows within seconds rather than at the
// next minute. A folder that cannot be watched, or goes, is left to the minute timer and
// tried again once a minute.

#include <functional>
#include <string>
#include <vector>

namespace corvane {

// Dispatches messages until WM_QUIT, whose code it returns; calls changed whenever a file is
// added, renamed, removed or rewritten in one of the folders.
int run_message_loop(const std::vector<std::string>& folders, const std::function<void()>& changed);

}  // namespace corvane
