#pragma once
// Links that come back to the desktop get their icons' places from the message loop, once the
// shell shows them: a refresh never waits on the shell.

#include <chrono>
#include <string>

#include "shell/icon_places.h"

namespace corvane {

// How often the desktop is looked at while icons wait, and how long one waits at most.
constexpr std::chrono::milliseconds returning_icons_interval{250};
constexpr std::chrono::seconds returning_icon_patience{5};

// The icon of a link just copied to the desktop waits to be put at that place.
void queue_returning_icon(const std::string& link_file_name, const stored_place& place,
                          std::chrono::steady_clock::time_point now);
// Its link is gone again: the icon waits no more.
void forget_returning_icon(const std::string& link_file_name);
bool returning_icons_waiting();
// True while place_returning_icons runs: a message that reaches the program while it waits on
// the desktop's list view must not start a refresh in the middle of it.
bool placing_returning_icons();

// Each icon the desktop shows now goes to its place where the place suits the desktop
// (icon_places.h) and waits no more; one still not shown after the patience waits no more.
// Nothing waits while the desktop arranges its icons itself or hides them.
void place_returning_icons(std::chrono::steady_clock::time_point now);

}  // namespace corvane
