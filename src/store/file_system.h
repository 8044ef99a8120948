#pragma once
// Every file and folder operation of the program. Failures are raised as corvane::error;
// the callers decide which ones to absorb.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

// A file's last-modified time in 100-ns ticks since 1601-01-01 UTC (the FILETIME scale).
using file_time = std::int64_t;

struct file_entry {
    std::string path;        // full path
    std::string name;        // file name with its extension, without folder
    file_time modified = 0;  // last-modified time when the folder was listed
};

bool file_exists(const std::string& path);    // false for a folder
bool folder_exists(const std::string& path);  // false for a file
// A path on another machine, whose server may not answer: a UNC path or one on a mapped
// network drive; in the portable build, one that begins with two slashes.
bool is_network_path(const std::string& path);
// What a symbolic link or junction at that very path points at, read from the link itself,
// never followed: absolute (a network target as \\server\share\..., in the portable build
// //server/share/...) or relative to the link's folder. Nothing when the path is no link or
// not there.
std::optional<std::string> link_target_of(const std::string& path);
// The drive a local path is on is attached: false for a removable drive taken out, a card
// reader without its card, a drive letter no longer there. In the portable build the first
// folder under the root stands for the drive.
bool volume_attached(const std::string& path);
// For tests and benchmarks, in the portable build (a no-op on Windows): folder_exists waits
// that long for a path that begins with the prefix, as for a server that does not answer;
// "" ends it.
void slow_down_folder_checks(const std::string& prefix, std::chrono::milliseconds delay);
// A file kept online only (OneDrive's files on demand, any offline or recall-on-access
// file): opening it would fetch it. Asked without opening it. Elsewhere the attribute is
// the one a Windows file server keeps in the extended attribute "user.DOSATTRIB".
bool is_online_only(const std::string& path);
// What the shell hides from the user: a file or folder with the hidden attribute, and with the
// system attribute as well those the shell calls protected (the Recycle Bin's). Read as
// is_online_only reads its attribute; nothing for a path that is not there.
struct hiding {
    bool hidden = false;
    bool system = false;
};
hiding hiding_of(const std::string& path);
// Which file this is on disk, whatever its name and content: its volume's serial number and
// its file ID, as text. Asked through a handle for attributes alone, so that a file kept
// online only is not fetched, and of a link itself, not what it leads to. "" when the file
// is not there or cannot be asked.
std::string file_identity(const std::string& path);
// A folder that is itself no symbolic link, junction or other reparse point. A trailing
// separator does not make the answer follow a link.
bool is_real_folder(const std::string& path);

// Every file directly in the folder (no subfolders), in the platform's listing order, with
// the time the listing gives at no extra cost; a file whose time cannot be read is left out.
// Raises when the folder does not exist or cannot be listed.
std::vector<file_entry> folder_files(const std::string& folder_path);

// The folder exists afterwards; raises otherwise (also when it existed already).
void create_folder(const std::string& path);

// An empty folder only: a folder with anything in it, or none at all, raises.
void delete_folder(const std::string& path);

// Copies to the destination path, replacing a file there. The copy is writable whatever the
// source's attributes: it is the program's own file from then on. A folder that refuses it
// raises permission_denied (in the portable build, a folder without write permission).
void copy_file(const std::string& source_path, const std::string& destination_path);
// The same to a new file: a file of that name there already (one that came a moment ago)
// raises file_already_exists and is left as it is.
void copy_to_new_file(const std::string& source_path, const std::string& destination_path);

// True when the file system takes a file of that name in that folder: no control character,
// the name and the whole path within their limits, as the shell's own calls need them.
bool path_fits(const std::string& folder, const std::string& name);

// No force: a missing, read-only or locked file raises.
void delete_file(const std::string& path);

// The file's bytes. Raises when it cannot be read.
std::string read_file_bytes(const std::string& path);

// Replaces the content whole or not at all: the bytes go to a temporary file in the same
// folder, which then takes the file's place. A read-only or locked file raises and keeps
// its content.
void replace_file_bytes(const std::string& path, const std::string& bytes);

// Writes the bytes over the file in place, creating it when missing, and leaves flushing to
// the system, as the shell saves a shortcut. For files that are rebuilt anyway.
void overwrite_file_bytes(const std::string& path, const std::string& bytes);

}  // namespace corvane
