#pragma once
// Windows only: the desktop's icons as the shell's own folder view places them. Current
// shells keep their icon layout in that view and lose moves made behind its back on the
// list view; older shells, Wine and a session without a desktop offer no such view, or one
// that does not answer, and the caller then goes to the list view. Calls into the view have
// no time limit of their own: the desktop's are made on a thread of their own and given up
// after a second.

#include <optional>
#include <string>

#include "shell/desktop_icons.h"

namespace corvane {

// Nothing when the view is missing, fails, shows no item of that file name or has not
// answered within a second, now or in the last five minutes.
std::optional<icon_point> desktop_view_icon_position(const std::string& link_file_name);
// False when the view did not move the icon, the same way.
bool desktop_view_move_icon(const std::string& link_file_name, icon_point position);
// The view is asked again at once, whatever it did before: for tests.
void desktop_view_rest_ends();

// Has the desktop's shell start the program, so that it runs as the signed-in user at the
// shell's level even when the caller runs as administrator. False when the shell could not.
bool desktop_view_start_program(const std::string& program_path, const std::string& arguments = {});

}  // namespace corvane
