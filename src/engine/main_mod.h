#pragma once
// The refresh: turns recent shortcuts into folder links on the desktop. One refresh scans
// the recent folders newest first, rebuilds the staging folder with a link for each of the
// most recently used folders, copies new links to the desktop and then removes the stale
// ones (cleanup_mod).

#include <chrono>
#include <string>

#include "engine/stree.h"
#include "store/file_system.h"

namespace corvane {

// The recent files of one refresh by last-modified time.
using recent_items = stree<file_entry, file_time>;

// What every folder link carries as its description; the cleanup knows its own links by it.
extern const std::string link_marker;

// How long a recent folder may be away (redirected to a server that is not back yet after
// waking) before the desktop's links are cleaned up without it.
constexpr std::chrono::minutes recent_folder_grace{10};

// One whole refresh. Raises nothing: a failure ends it where it happened, undoing nothing,
// and the next refresh starts afresh. Called while a refresh runs, it does nothing. While a
// recent folder has been away for less than the grace, the links it can are made and none
// is removed.
void refresh();
// The same at that moment of the steady clock, which tests move on.
void refresh(std::chrono::steady_clock::time_point now);
// True from the start of a refresh until it returns.
bool refresh_running();

// Every file directly in the folder, keyed by its last-modified time; a file whose time
// cannot be read is left out. Raises when the folder cannot be listed.
void scan_recent_folder(const std::string& folder_path, recent_items& tree);

// The staging folder exists afterwards, made with its parent, and holds no file; its
// subfolders are left alone. Raises when a file cannot be deleted, and when the staging
// folder or its parent is a link, a junction or not a folder at all, so that nothing behind
// a planted link is ever touched.
void prepare_staging_folder();

// Newest first, one link per display name, folders nobody wants a link to (never_linked.h),
// banned names and names the file system cannot hold skipped, until the maximum is reached (at least one link whenever one is possible).
// A link of ours already on the desktop stays where it is, rewritten only when it leads to
// another folder.
void create_folder_links(const recent_items& tree,
                         std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now());

// The staging folder + the display name of the target folder + ".lnk".
std::string link_file_path(const std::string& target_path);

// The last path part, a space and the part before it without ":", trimmed of spaces:
// "Projects Data" for C:\Data\Projects. Raises for the empty path.
std::string folder_display_name(const std::string& path);

// The icon of a link just copied to the desktop is to go where it stood when the link was
// last removed, once the desktop shows it (returning_icons.h). Nothing happens without a
// remembered position.
void restore_icon_position(const std::string& link_file_name);

// The icon file for a folder link. A name keeps the icon it was first given; a new name
// gets the icon the fewest desktop links use now (of equals, the one listed last) and
// that choice is stored at once. An empty icons folder gives, and stores, "".
std::string choose_link_icon(const std::string& link_file_name);

}  // namespace corvane
