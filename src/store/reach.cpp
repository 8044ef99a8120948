#include "store/reach.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "base/process_paths.h"
#include "base/text.h"
#include "store/file_system.h"

namespace corvane {
namespace {

// Shared with a check that may outlive the wait for it by half a minute.
struct check {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    reach verdict = reach::away;
};

// Checks still out, or answered after the wait for them and not yet taken, by path; all the
// UI thread's.
struct share_state {
    std::chrono::steady_clock::time_point away_until{};
    std::map<std::string, std::shared_ptr<check>> checks;
    // What the refresh of that time has waited on the share so far.
    std::chrono::steady_clock::time_point refresh{};
    std::chrono::steady_clock::duration waited{};
};
std::map<std::string, share_state>& shares() {
    static std::map<std::string, share_state> known;
    return known;
}

// A dead server keeps each check for its own timeout: this many at most, per share.
constexpr std::size_t most_checks_out = 8;

std::shared_ptr<check> start_check(const std::string& path, const std::string& share) {
    const auto pending = std::make_shared<check>();
    std::thread([pending, path, share] {
        reach verdict = reach::away;
        try {
            if (folder_exists(path)) {
                verdict = reach::there;
            } else if (folder_exists(share.size() == 2 ? share + path_separator : share)) {
                verdict = reach::gone;
            }
        } catch (...) {
        }
        const std::lock_guard lock(pending->mutex);
        pending->done = true;
        pending->verdict = verdict;
        pending->answered.notify_one();
    }).detach();
    return pending;
}

// A local path: gone only when its drive is attached.
reach local_reach(const std::string& path) {
    if (folder_exists(path)) return reach::there;
    return volume_attached(path) ? reach::gone : reach::away;
}

bool is_absolute(const std::string& path) {
    return (!path.empty() && path[0] == path_separator) || (path.size() >= 2 && path[1] == ':');
}

}  // namespace

std::string network_behind_links(const std::string& path) {
    std::string current = path;
    // Links may point at links, or in a circle.
    for (int hop = 0; hop < 8 && !is_network_path(current); ++hop) {
        const std::vector<std::string_view> parts = split(current, std::string_view(&path_separator, 1));
        std::string walked(parts.front());
        std::optional<std::string> target;
        std::size_t part = 1;
        for (; part < parts.size() && !target; ++part) {
            walked += path_separator;
            walked += parts[part];
            target = link_target_of(walked);
        }
        if (!target) return {};
        // "\\dir" is on the link's own drive.
        const bool on_drive = target->size() >= 1 && (*target)[0] == path_separator &&
                              (target->size() < 2 || (*target)[1] != path_separator);
        std::string led_to = on_drive                ? std::string(parts.front()) + *target
                             : is_absolute(*target) ? *target
                                                    : containing_folder(walked) + path_separator + *target;
        for (; part < parts.size(); ++part) led_to += path_separator + std::string(parts[part]);
        current = led_to;
    }
    return is_network_path(current) ? current : std::string();
}

std::string share_of(const std::string& path) {
    if (path.size() >= 2 && path[0] == path_separator && path[1] == path_separator) {
        const std::size_t server_end = path.find(path_separator, 2);
        const std::size_t share_end = server_end == std::string::npos ? server_end : path.find(path_separator, server_end + 1);
        return path.substr(0, share_end);
    }
    return path.substr(0, 2);
}

reach folder_reach(const std::string& written, std::chrono::steady_clock::time_point now) {
    const std::string plain = without_long_path_prefix(written);
    // A local-looking path may lead to a share through a link on the way (mklink /d C:\Proj
    // \\srv\proj): it is asked as the share is.
    const std::string path = is_network_path(plain) ? plain : network_behind_links(plain);
    if (path.empty()) return local_reach(plain);
    const std::string share = share_of(path);
    share_state& state = shares()[upper_case(share)];
    if (now < state.away_until) return reach::away;

    // A check of this path from before: its answer, once it has come, is taken and forgotten.
    if (const auto earlier = state.checks.find(path); earlier != state.checks.end()) {
        std::unique_lock lock(earlier->second->mutex);
        // Still out: nothing more is asked of it.
        if (!earlier->second->done) return reach::away;
        const reach late = earlier->second->verdict;
        lock.unlock();
        state.checks.erase(earlier);
        if (late != reach::away) return late;
        // The check ended without an answer: the share is away for a while.
        state.away_until = now + server_back_off;
        state.checks.clear();
        return reach::away;
    }
    // The map holds only checks still out or answered and not yet taken.
    if (state.checks.size() >= most_checks_out) return reach::away;
    std::shared_ptr<check> asked;
    try {
        asked = state.checks[path] = start_check(path, share);
    } catch (const std::system_error&) {
        state.checks.erase(path);
        return reach::away;
    }
    // A second of waiting a refresh for each share, however many of its paths are asked; the
    // others are asked without a wait, for the next refresh.
    if (state.refresh != now) state.refresh = now, state.waited = {};
    const auto budget = server_answer_wait - state.waited;
    if (budget <= std::chrono::steady_clock::duration::zero()) return reach::away;
    const auto start = std::chrono::steady_clock::now();
    std::unique_lock lock(asked->mutex);
    const bool answered = asked->answered.wait_for(lock, budget, [&] { return asked->done; });
    state.waited += std::chrono::steady_clock::now() - start;
    if (!answered) return reach::away;
    const reach verdict = asked->verdict;
    lock.unlock();
    state.checks.erase(path);
    return verdict;
}

bool folder_within_reach(const std::string& path, std::chrono::steady_clock::time_point now) {
    return folder_reach(path, now) == reach::there;
}

}  // namespace corvane
