#pragma once
// The program never works elevated: a process of the same user at the normal level could
// swap a junction between its check of a path and its use, and have an elevated copy delete
// or write where it chooses. A copy started elevated (the setup run as administrator, Run as
// administrator) has the shell start one at the user's level instead, and ends.

namespace corvane {

enum class elevated_start { run, hand_over, refuse };

// shell_elevated: the shell runs elevated too (User Account Control off), so there is no other
// level to hand over to. handed_over: this copy was started by such a hand-over already.
constexpr elevated_start start_when(bool elevated, bool shell_found, bool shell_elevated, bool handed_over) {
    if (!elevated || (shell_found && shell_elevated)) return elevated_start::run;
    return shell_found && !handed_over ? elevated_start::hand_over : elevated_start::refuse;
}

}  // namespace corvane
