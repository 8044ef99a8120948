#pragma once
// A named string-to-string map that survives restarts. It is read from its file once, by
// create, and written back whole after every change. The file (named after the store, no
// extension, in the application folder) holds one "key=value" CR LF line per entry, in
// insertion order. A key with an "=", and a key or value with spaces at either end or a
// double quote at its start, stands between double quotes, any quote inside it doubled.

#include <cstddef>
#include <string>

#include "store/dictionary.h"
#include "store/persistent_string.h"

namespace corvane {

class persistent_dictionary {
public:
    dictionary entries;
    std::string file_path;
    std::string store_name;
    persistent_string file_text;

    // Raises on a malformed file: a line without "=" (subscript_out_of_range) or a key that
    // repeats after trimming (key_already_exists). The entries before the bad line stay.
    // Spaces around unquoted keys and values go; a value runs to the line's end.
    void create(const std::string& unique_string);

    // Replaces any value the key had; the entry moves to the end.
    void add(const std::string& key, const std::string& item);
    std::string item(const std::string& key) const;
    bool exists(const std::string& key) const;
    std::size_t count() const;
    // A key that is not stored is ignored and nothing is written.
    void remove(const std::string& key);
    std::size_t item_count(const std::string& item) const;
    // Writes the entries to the file whole; add and remove do so themselves.
    void save();

private:
    void load();
};

}  // namespace corvane
