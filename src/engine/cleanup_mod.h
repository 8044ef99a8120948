#pragma once
// The last step of a refresh: the program's own desktop links that the refresh did not make
// again are deleted, their icon positions remembered first.

#include <string>

namespace corvane {

// Raises whatever fails; the desktop files not yet examined stay.
void remove_stale_links();

// For the uninstaller: deletes the program's own links from the desktop folder (by the test
// the cleanup uses), then the staging folder's files, the folder itself once empty and the
// folder that holds it when that is empty too. A staging folder that is a link or not a
// folder is left as it is. A file that cannot be deleted stays and the rest go on; raises
// nothing.
void remove_all_own_links(const std::string& desktop_folder, const std::string& staging_folder);

// The file's shortcut description is the link marker, spaces around it and letter case
// aside. False for a file that is not a shortcut.
bool is_own_link(const std::string& path);

}  // namespace corvane
