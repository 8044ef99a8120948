#include "store/reach.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "base/text.h"
#include "store/file_system.h"

namespace corvane {
namespace {

// Servers that did not answer, until when they count as away. The UI thread's alone.
std::map<std::string, std::chrono::steady_clock::time_point>& away_until() {
    static std::map<std::string, std::chrono::steady_clock::time_point> servers;
    return servers;
}

// Shared with a check that may outlive the wait for it by half a minute.
struct check {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    bool there = false;
};

}  // namespace

std::string server_of(const std::string& path) {
    std::string server;
    if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && path[1] == path[0]) {
        server = path.substr(2, path.find_first_of("\\/", 2) - 2);
    } else {
        server = path.substr(0, 2);
    }
    for (char& c : server)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return server;
}

bool folder_within_reach(const std::string& path, std::chrono::steady_clock::time_point now) {
    if (!is_network_path(path)) return folder_exists(path);
    const std::string server = server_of(path);
    if (const auto away = away_until().find(server); away != away_until().end()) {
        if (now < away->second) return false;
        away_until().erase(away);
    }
    const auto pending = std::make_shared<check>();
    try {
        std::thread([pending, path] {
            bool there = false;
            try {
                there = folder_exists(path);
            } catch (...) {
            }
            const std::lock_guard lock(pending->mutex);
            pending->done = true;
            pending->there = there;
            pending->answered.notify_one();
        }).detach();
    } catch (const std::system_error&) {
        return false;
    }
    std::unique_lock lock(pending->mutex);
    if (pending->answered.wait_for(lock, server_answer_wait, [&] { return pending->done; })) return pending->there;
    away_until()[server] = now + server_back_off;
    return false;
}

}  // namespace corvane
