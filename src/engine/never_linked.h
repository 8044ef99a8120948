#pragma once
// Folders nobody wants a link to, whatever was opened from them: the temporary folders and the
// Internet cache with all they hold (archive tools' scratch folders, mail attachments, the
// office suite's web files), the desktop itself, a folder of the profile the shell hides
// (AppData and all in it), and the ones the shell protects anywhere (the Recycle Bin's).
// Such a target is passed over before its link is named, so it takes no slot, no icon and no
// place.

#include <string>

namespace corvane {

// The target of a recent shortcut that points at a folder. Asks no server: a folder on
// one is judged by its path alone.
bool never_linked(const std::string& folder);

}  // namespace corvane
