#pragma once
// The last step of a refresh: the program's own desktop links (own_links.h) that the refresh
// did not make again are deleted, their icon positions remembered first.

#include <string>

namespace corvane {

// A link that cannot be deleted stays recorded and the others go on; anything else that
// fails is raised.
void remove_stale_links();

// Deletes the recorded links of a desktop folder the shell no longer shows; one that cannot
// be deleted stays and the rest go on.
void remove_own_links_from(const std::string& folder);

// For the uninstaller: deletes every link the record holds as ours (own_links.h; a desktop
// without a record yet has its marked links adopted first, as at start-up), then the staging
// folder's files, the folder itself once empty and the folder that holds it when that is
// empty too. A staging folder that is a link or not a folder is left as it is. A file that
// cannot be deleted stays and the rest go on; raises nothing.
void remove_all_own_links(const std::string& desktop_folder, const std::string& staging_folder);

// The file's shortcut description is the link marker, spaces around it and letter case
// aside. False for a file that is not a shortcut.
bool carries_link_marker(const std::string& path);

}  // namespace corvane
