#include "ui/recent_watch.h"

#include <windows.h>

#include "base/wide.h"
#include "base/win32_handles.h"
#include "store/reach.h"

namespace corvane {
namespace {

constexpr ULONGLONG retry_interval = 60000;

class watches {
public:
    explicit watches(const std::vector<std::string>& folders) : folders_(folders), owners_(folders.size()) { renew(); }

    // The handles to wait on, those of the folders watched now.
    const std::vector<HANDLE>& handles() const { return handles_; }

    // After the handle at that place was signalled: watching on, or dropped when its folder
    // went (a folder's removal signals too).
    void rearm(std::size_t place) {
        const HANDLE signalled = handles_[place];
        for (std::size_t index = 0; index < owners_.size(); ++index) {
            if (owners_[index].get() != signalled) continue;
            if (!folder_within_reach(folders_[index], std::chrono::steady_clock::now()) ||
                !FindNextChangeNotification(signalled))
                owners_[index].reset();
        }
        collect();
    }

    // Tries the folders not watched now, at most once a minute.
    void renew_now_and_then() {
        if (GetTickCount64() - renewed_ >= retry_interval && handles_.size() < folders_.size()) renew();
    }

private:
    void renew() {
        renewed_ = GetTickCount64();
        for (std::size_t index = 0; index < folders_.size(); ++index) {
            // A folder on a server that does not answer would hold the UI thread here.
            if (owners_[index] || !folder_within_reach(folders_[index], std::chrono::steady_clock::now())) continue;
            // A shortcut written anew (a document opened again) changes only its time.
            owners_[index].reset(FindFirstChangeNotificationW(
                to_wide(folders_[index]).c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE));
        }
        collect();
    }
    void collect() {
        handles_.clear();
        for (const unique_change_notification& watch : owners_)
            if (watch && handles_.size() < MAXIMUM_WAIT_OBJECTS - 1) handles_.push_back(watch.get());
    }

    std::vector<std::string> folders_;
    std::vector<unique_change_notification> owners_;
    std::vector<HANDLE> handles_;
    ULONGLONG renewed_ = 0;
};

}  // namespace

int run_message_loop(const std::vector<std::string>& folders, const std::function<void()>& changed) {
    watches watched(folders);
    for (;;) {
        const auto count = static_cast<DWORD>(watched.handles().size());
        // Wakes for what is already queued too, not only for what arrives from now on.
        const DWORD woke = MsgWaitForMultipleObjectsEx(count, watched.handles().data(), INFINITE, QS_ALLINPUT,
                                                       MWMO_INPUTAVAILABLE);
        if (woke < WAIT_OBJECT_0 + count) {
            watched.rearm(woke - WAIT_OBJECT_0);
            changed();
        } else if (woke == WAIT_FAILED) {
            WaitMessage();
        }
        // Messages too after a change, so that a folder changing without pause cannot keep
        // the timers and the tray from their turn.
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        watched.renew_now_and_then();
    }
}

}  // namespace corvane
