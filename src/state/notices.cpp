#include "state/notices.h"

#include <deque>
#include <set>

namespace corvane {
namespace {

std::set<notice> given;
std::deque<notice> waiting;

}  // namespace

void tell_user(notice what) {
    if (given.insert(what).second) waiting.push_back(what);
}

std::optional<notice> next_notice() {
    if (waiting.empty()) return std::nullopt;
    const notice first = waiting.front();
    waiting.pop_front();
    return first;
}

void forget_notices() {
    given.clear();
    waiting.clear();
}

notice_text text_of(notice what) {
    switch (what) {
        case notice::first_word:
            return {"Quillon Corvane",
                    "Keeps links to the folders you used last on your desktop.\nRight-click this icon to ban a folder "
                    "or set how many.",
                    false};
        case notice::store_unreadable:
            return {"Quillon Corvane could not read its settings",
                    "A file beside the program is locked or not on this PC. Until the program starts again it "
                    "works without it and leaves it as it is."};
        case notice::desktop_refused:
            return {"Windows blocked Quillon Corvane from the desktop",
                    "Controlled folder access keeps it from making folder links. To allow it: Windows Security, "
                    "Virus & threat protection, Manage ransomware protection, Allow an app through Controlled "
                    "folder access, and add corvane.exe."};
    }
    return {};
}

}  // namespace corvane
