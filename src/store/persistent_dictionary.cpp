#include "store/persistent_dictionary.h"

#include <string_view>
#include <vector>

#include "base/error.h"
#include "base/process_paths.h"
#include "base/text.h"
#include "store/dictionary_ext.h"
#include "store/easy_file.h"

namespace corvane {
void persistent_dictionary::create(const std::string& unique_string) {
    store_name = unique_string;
    entries = dictionary();
    file_text = persistent_string();
    file_text.create(store_name, "");
    file_path = join_path(application_folder(), store_name);
    if (file_exists(file_path)) load();
}

void persistent_dictionary::load() {
    const std::string& text = file_text.value();
    if (text.empty()) return;
    std::vector<std::string_view> lines = split(text, "\r\n");
    // The piece after the last CR LF is dropped unread: empty in a well-formed file, an
    // unterminated last line otherwise.
    lines.pop_back();
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::vector<std::string_view> parts = split(lines[n], "=");
        if (parts.size() < 2) {
            throw error(error_number::subscript_out_of_range,
                        "Line " + std::to_string(n + 1) + " of \"" + file_path + "\" has no \"=\"");
        }
        const std::string key(trim_spaces(parts[0]));
        if (entries.exists(key)) {
            throw error(error_number::key_already_exists, "Line " + std::to_string(n + 1) + " of \"" +
                                                              file_path + "\" repeats the key \"" + key + "\"");
        }
        entries.add(key, std::string(trim_spaces(parts[1])));
    }
}

void persistent_dictionary::save() {
    std::string text;
    for (const auto& [key, item] : entries) {
        text += key;
        text += '=';
        text += item;
        text += "\r\n";
    }
    write_file(file_path, text, false);
}

void persistent_dictionary::add(const std::string& key, const std::string& item) {
    entries.remove(key);
    entries.add(key, item);
    save();
}

std::string persistent_dictionary::item(const std::string& key) const { return entries.item(key); }

bool persistent_dictionary::exists(const std::string& key) const { return entries.exists(key); }

std::size_t persistent_dictionary::count() const { return entries.count(); }

void persistent_dictionary::remove(const std::string& key) {
    if (!entries.exists(key)) return;
    entries.remove(key);
    save();
}

std::size_t persistent_dictionary::item_count(const std::string& item) const {
    return dict_item_count(entries, item);
}

}  // namespace corvane
