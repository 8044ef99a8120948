#pragma once
// Windows only: the main form. It is never shown; it owns the tray icon, its popup menu and
// the one-minute timer that runs the refresh, and it decides the order of start-up and of
// closing.

#include <windows.h>

#include "ui/form_services.h"

namespace corvane {

// The tray icon, the shared state, the first refresh and the timer. False when start-up
// failed: the reason has been shown, the icon removed and the form closed.
bool load_main_form();

// A shortcut came, went or changed in a recent folder: a refresh follows once the burst of
// such changes has settled, besides the minute's.
void recent_folders_changed();

// What a second start sends the running copy's main form, which then shows its icon again.
UINT show_icon_message();

// The popup's items: edit the banned list (the default), set the maximum, exit.
enum popup_command : UINT { mnuPopUpShowForm = 1, mnuPopUpNumForm, mnuPopUpQuit };
unique_menu build_popup_menu();

}  // namespace corvane
