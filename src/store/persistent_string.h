#pragma once
// One named string that survives restarts, kept whole in a file of its own (named after
// the store, no extension) in the application folder. A missing or empty file gives the
// default; create never writes the file.

#include <string>

namespace corvane {

class persistent_string {
public:
    std::string store_name;
    std::string current_value;
    std::string default_value;
    std::string file_path;
    // The file was there but could not be read (a backup tool holding it at sign-in, a file
    // kept online only while offline): the store goes on from its default and never writes
    // the file, so that nothing it holds is lost.
    bool unreadable = false;

    void create(const std::string& unique_string, const std::string& default_text);

    const std::string& value() const { return current_value; }
    // Writes the file at once, also when the value is unchanged.
    void set_value(const std::string& value);
};

}  // namespace corvane
