#pragma once
// Whether a folder is there, never waiting long on a server that does not answer: a
// disconnected share or an unmapped network drive takes from one to forty seconds to say
// so, and the refresh runs on the one UI thread. A network path is checked on a thread of its
// own for about a second; a server that did not answer in that time counts as away, and its
// paths as missing, for five minutes, without being asked.

#include <chrono>
#include <string>

namespace corvane {

constexpr std::chrono::milliseconds server_answer_wait{1000};
constexpr std::chrono::minutes server_back_off{5};

bool folder_within_reach(const std::string& path, std::chrono::steady_clock::time_point now);

// The machine a network path lives on, in lower case: "server" for \\Server\share\x (and
// //server/x in the portable build), "z:" for a path on a mapped drive Z:.
std::string server_of(const std::string& path);

}  // namespace corvane
