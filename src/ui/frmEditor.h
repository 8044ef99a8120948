#pragma once
// The banned-links editor: the INI file's text as the user edits it, and the form that
// shows it. Opening shows the whole file less every "[exclude]" and its first line break;
// closing writes "[exclude]" and a line break before the edited text, so a file that starts
// with that line survives an unchanged edit byte for byte.

#include <string>
#include <string_view>

namespace corvane {

std::string editor_text_of_file(std::string_view file_text);
std::string file_text_of_editor(std::string_view editor_text);

// The form, Windows only. Showing it again only brings it forward, with the typed text.
void show_editor();
// Saves and closes it; nothing happens when it is not open.
void unload_editor();

}  // namespace corvane
