#include "store/persistent_dictionary.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "base/process_paths.h"
#include "base/text.h"
#include "store/dictionary_ext.h"
#include "store/easy_file.h"

namespace corvane {
namespace {

// A plain line gives back neither an "=" in its key nor spaces at either end of its key or
// value. Such a text is written between double quotes, each quote inside it doubled; a
// text that begins with a quote is quoted too, so that it is not read as quoted. Link names
// hold no quote on Windows, so every file written before reads as it always did.
bool needs_quotes(std::string_view text, bool is_key) {
    if (text.empty()) return false;
    return text.front() == ' ' || text.back() == ' ' || text.front() == '"' ||
           (is_key && text.find('=') != std::string_view::npos);
}

std::string quoted(std::string_view text) {
    std::string result = "\"";
    for (const char c : text) {
        if (c == '"') result += '"';
        result += c;
    }
    return result + '"';
}

std::string_view without_leading_spaces(std::string_view text) {
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

// A quoted text at the start of text (after spaces): the text it stands for, and text moved
// past its closing quote. Nothing when text holds no whole quoted text there.
std::optional<std::string> read_quoted(std::string_view& text) {
    std::string_view rest = without_leading_spaces(text);
    if (rest.empty() || rest.front() != '"') return std::nullopt;
    std::string result;
    for (std::size_t n = 1; n < rest.size(); ++n) {
        if (rest[n] != '"') {
            result += rest[n];
        } else if (n + 1 < rest.size() && rest[n + 1] == '"') {
            result += '"';
            ++n;
        } else {
            text = rest.substr(n + 1);
            return result;
        }
    }
    return std::nullopt;
}

// A quoted key followed by "=": the key, and line moved past the "=". A line that does not
// begin so (every line of a plain file, and any hand edit that spoils the quotes) is left
// to be read as plain text.
bool read_quoted_key(std::string_view& line, std::string& key) {
    std::string_view rest = line;
    std::optional<std::string> quoted_key = read_quoted(rest);
    rest = without_leading_spaces(rest);
    if (!quoted_key || rest.empty() || rest.front() != '=') return false;
    key = std::move(*quoted_key);
    line = rest.substr(1);
    return true;
}

// Everything after the key's "=", "=" included; quoted when it is a whole quoted text.
std::string read_value(std::string_view text) {
    std::string_view rest = text;
    std::optional<std::string> value = read_quoted(rest);
    if (value && trim_spaces(rest).empty()) return std::move(*value);
    return std::string(trim_spaces(text));
}

}  // namespace

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
        std::string key;
        std::string_view rest = lines[n];
        const bool quoted_key = read_quoted_key(rest, key);
        if (!quoted_key) {
            const std::size_t equals = rest.find('=');
            if (equals == std::string_view::npos) {
                throw error(error_number::subscript_out_of_range,
                            "Line " + std::to_string(n + 1) + " of \"" + file_path + "\" has no \"=\"");
            }
            key = trim_spaces(rest.substr(0, equals));
            rest.remove_prefix(equals + 1);
        }
        if (entries.exists(key)) {
            // The older version wrote names holding "=" unquoted and read them back cut, so
            // its files can repeat a cut key on a line with a second "=": the first stands.
            if (!quoted_key && rest.find('=') != std::string_view::npos) continue;
            throw error(error_number::key_already_exists, "Line " + std::to_string(n + 1) + " of \"" +
                                                              file_path + "\" repeats the key \"" + key + "\"");
        }
        entries.add(key, read_value(rest));
    }
}

void persistent_dictionary::save() {
    if (file_text.unreadable) return;
    std::string text;
    for (const auto& [key, item] : entries) {
        text += needs_quotes(key, true) ? quoted(key) : key;
        text += '=';
        text += needs_quotes(item, false) ? quoted(item) : item;
        text += "\r\n";
    }
    write_file(file_path, text);
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
