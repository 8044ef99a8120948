#include "store/persistent_string.h"

#include "base/process_paths.h"
#include "store/easy_file.h"

namespace corvane {

void persistent_string::create(const std::string& unique_string, const std::string& default_text) {
    default_value = default_text;
    store_name = unique_string;
    file_path = join_path(application_folder(), store_name);
    const std::optional<std::string> text = file_exists(file_path) ? read_text_file(file_path) : std::string();
    unreadable = !text;
    current_value = text.value_or("");
    if (current_value.empty()) current_value = default_value;
}

void persistent_string::set_value(const std::string& value) {
    current_value = value;
    if (!unreadable) write_file(file_path, current_value);
}

}  // namespace corvane
