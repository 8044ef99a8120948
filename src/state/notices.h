#pragma once
// What the program must tell the user, each at most once a session, in a balloon from its
// tray icon: it otherwise works unseen, and these leave it doing less than the user expects.

#include <optional>
#include <string>

namespace corvane {

enum class notice {
    first_word,        // the first start, and a second start while it runs: what it does, and where
    store_unreadable,  // a settings file could not be read at start: it is left untouched
    desktop_refused,   // Windows (Controlled folder access) keeps the program from the desktop
};

// Queued unless it was given this session already.
void tell_user(notice what);
// The oldest one not yet shown, taken from the queue.
std::optional<notice> next_notice();
// None queued or given.
void forget_notices();

struct notice_text {
    std::string title;
    std::string text;
    bool warning = true;
};
notice_text text_of(notice what);

}  // namespace corvane
