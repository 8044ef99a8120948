#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it when
// the owner goes. Paths are UTF-8, joined with the platform's separator.

#include <string>
#include <string_view>

#include "base/error.h"

namespace corvane::testing {

// The number of the program error the action raises; 0 when it raises none.
int error_of(const auto& action) {
    try {
        action();
    } catch (const error& e) {
        return e.number();
    }
    return 0;
}

class temp_folder {
public:
    temp_folder();
    ~temp_folder();
    temp_folder(const temp_folder&) = delete;
    temp_folder& operator=(const temp_folder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const;

private:
    std::string path_;
};

// Byte-exact helpers that bypass the code under test.
void write_bytes(const std::string& path, std::string_view bytes);
std::string read_bytes(const std::string& path);
// A symbolic link to a folder (a reparse point on Windows), and its removal that leaves
// what it points at alone.
void make_folder_link(const std::string& link, const std::string& target);
void remove_folder_link(const std::string& link);
void remove_folder(const std::string& path);
// Marks a file as kept online only: by its attribute on Windows (which Wine does not keep),
// by the extended attribute a Windows file server keeps elsewhere.
void set_online_only(const std::string& path);
// The last-modified time, in seconds after a fixed point a day before the test run.
void set_modified(const std::string& path, int seconds);
// Sets or clears the read-only state (the attribute on Windows, the write bits elsewhere).
void set_read_only(const std::string& path, bool read_only);

// Binds the application folder to a temporary folder for one test.
class application_folder_scope {
public:
    application_folder_scope();
    ~application_folder_scope();
    const temp_folder& folder() const { return folder_; }
    std::string file(std::string_view name) const { return folder_.file(name); }

private:
    temp_folder folder_;
};

}  // namespace corvane::testing
