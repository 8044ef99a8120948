#pragma once
// Whether a folder is there, never waiting long on a server: a disconnected share or an
// unmapped network drive takes from one to forty seconds to say so, and the refresh runs on
// the one UI thread. A network path is checked on a thread of its own, and a refresh waits a
// second at most for each share, however many of its paths it asks; an answer that comes
// later is kept for the next question about that path, so a share that always needs 1.5 s
// still answers every other time. Only a check that ends without any answer (the share
// itself not there) leaves that share alone for five minutes; another share of the same
// server is asked as ever. Long-path spellings (\\?\UNC\...) are asked as their plain ones,
// and a local path that leads to a share through a link as that share.

#include <chrono>
#include <string>

namespace corvane {

constexpr std::chrono::milliseconds server_answer_wait{1000};
constexpr std::chrono::minutes server_back_off{5};

enum class reach {
    there,
    gone,  // its drive or share answers, and it is not there
    away,  // no answer in time, a share left alone, a drive that is not attached: not gone
};

// Every call of one refresh passes the same time.
reach folder_reach(const std::string& path, std::chrono::steady_clock::time_point now);
bool folder_within_reach(const std::string& path, std::chrono::steady_clock::time_point now);

// The network path a local one leads to through symbolic links or junctions on the way, read
// from the links without following them; "" when it leads to none.
std::string network_behind_links(const std::string& path);

// The share a network path lives on, as written: "\\Server\share" for \\Server\share\x (and
// //server/share for //server/share/x in the portable build), "Z:" for a path on a mapped
// drive Z:.
std::string share_of(const std::string& path);

}  // namespace corvane
