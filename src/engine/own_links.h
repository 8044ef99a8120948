#pragma once
// Which desktop links this installation made. The desktop is shared: OneDrive syncs it between
// a user's PCs, each with the program and its marker, and users copy and rename links. A file
// is ours only when the record holds its path with the identity on disk it had when it was
// put there; everything else is left alone, whatever its description says. The record is the
// store globals::own_links, one "desktop path=identity" line per link, so that each desktop
// folder keeps its own.

#include <string>
#include <vector>

namespace corvane {

// With no record file yet, writes it. After an older version (its icon store is there), the
// links that carry the marker on the desktop are adopted first, so that the cleanup goes on as
// before and never again claims a file it did not make; a link kept online only is not
// opened to see. A desktop that cannot be listed adopts nothing yet and writes nothing.
void adopt_marked_links(const std::string& desktop_folder);

// A recorded link found, with its identity, in this desktop folder under another path (the
// folder moved with its files, by OneDrive's backup or its Location tab; the same folder
// spelled otherwise) is recorded at its path here.
void follow_carried_links(const std::string& desktop_folder);

// Records the link just put at that path on the desktop.
void record_own_link(const std::string& path);

// Recorded, and the same file on disk. A recorded file that is gone, or was replaced (a sync
// from another PC), leaves the record and is the user's from then on.
bool is_own_link(const std::string& path);

// Deletes it and forgets it. Raises when the delete fails; the record keeps it then.
void delete_own_link(const std::string& path);

// The recorded paths in that folder.
std::vector<std::string> own_links_in(const std::string& folder);

// Every recorded path, whatever its folder.
std::vector<std::string> all_own_links();

}  // namespace corvane
