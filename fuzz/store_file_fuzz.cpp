// A store file of any content: create either loads it or fails with the store's own error,
// and a save of what was loaded reads back the same entries.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "base/error.h"
#include "base/process_paths.h"
#include "store/file_system.h"
#include "store/persistent_array_dict.h"
#include "store/persistent_dictionary.h"

namespace {

const std::string& store_folder() {
    static const std::string folder = [] {
        const auto path = std::filesystem::temp_directory_path() / ("corvane-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        corvane::set_application_folder(path.string());
        return path.string();
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = corvane::join_path(store_folder(), "store");
    corvane::replace_file_bytes(path, std::string(reinterpret_cast<const char*>(data), size));
    corvane::persistent_dictionary dict;
    try {
        dict.create("store");
    } catch (const corvane::error& e) {
        if (e.number() != corvane::error_number::subscript_out_of_range &&
            e.number() != corvane::error_number::key_already_exists)
            std::abort();
        return 0;
    }
    for (const auto& [key, value] : dict.entries) {
        corvane::persistent_array_dict arrays;
        arrays.store.entries.add(key, value);
        try {
            arrays.item(key, 1);
        } catch (const corvane::error& e) {
            if (e.number() != corvane::error_number::subscript_out_of_range) std::abort();
        }
    }
    if (dict.count() == 0) return 0;
    // Re-adding the first entry rewrites the whole file in canonical form.
    const auto first = *dict.entries.begin();
    dict.add(first.first, first.second);
    corvane::persistent_dictionary again;
    again.create("store");
    if (again.count() != dict.count()) std::abort();
    for (const auto& [key, value] : dict.entries)
        if (!again.exists(key) || again.item(key) != value) std::abort();
    return 0;
}
