#pragma once
// Windows only: the desktop's icons as the shell's own folder view places them. Current
// shells keep their icon layout in that view and lose moves made behind its back on the
// list view; older shells, Wine and a session without a desktop offer no such view, or one
// that does not answer, and the caller then goes to the list view.

#include <optional>
#include <string>

#include "shell/desktop_icons.h"

namespace corvane {

// Nothing when the view is missing, fails or shows no item of that file name.
std::optional<icon_point> desktop_view_icon_position(const std::string& link_file_name);
// False when the view did not move the icon.
bool desktop_view_move_icon(const std::string& link_file_name, icon_point position);

// Has the desktop's shell start the program, so that it runs as the signed-in user at the
// shell's level even when the caller runs as administrator. False when the shell could not.
bool desktop_view_start_program(const std::string& program_path);

}  // namespace corvane
