#pragma once
// Shell link files built byte by byte, as the shell writes them, each with one extra-data
// block before the terminal block.

#include <string>

namespace corvane::testing {

struct link_sample {
    std::string target;        // local base path, or the share name when network is set
    std::string path_suffix;   // common path suffix
    bool network = false;      // CommonNetworkRelativeLink instead of a volume
    std::string description;   // NAME_STRING, absent when empty
    std::string working_dir;   // WORKING_DIR, absent when empty
    bool unicode = true;       // IsUnicode strings and Unicode LinkInfo paths
    bool id_list = false;      // an opaque LinkTargetIDList before LinkInfo
};

std::string make_link(const link_sample& sample);

}  // namespace corvane::testing
