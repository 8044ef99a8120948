#pragma once
// Where the program lives. The stores keep their files in the application folder.

#include <string>
#include <string_view>

namespace corvane {

// '\\' on Windows, '/' in the portable build.
extern const char path_separator;

// folder + separator + name, with no checks.
std::string join_path(std::string_view folder, std::string_view name);
// The same, adding no separator when the folder ends in one.
std::string child_path(std::string_view folder, std::string_view name);

// The folder that holds the path, a trailing separator aside, without its own trailing
// separator; "" when the path names no folder.
std::string containing_folder(std::string_view path);

// The running executable's full path, as the platform reports it.
std::string executable_path();

// The executable's file name without its folder and its extension.
std::string executable_name();

// Where a refresh builds its folder links, with a trailing separator: the account's own
// "%LOCALAPPDATA%\Quillon Corvane\vantrel\" on Windows, the same two folders under the
// temporary folder elsewhere; "" when the system names no local application data folder.
std::string default_staging_folder();

// The desktop folder the shell shows, without a trailing separator; "" when the shell cannot
// say (and always in the portable build).
std::string shell_desktop_folder();

// The variable's value; "" when it is not set.
std::string environment_variable(const std::string& name);

// The folder of the executable without a trailing separator, unless
// set_application_folder has bound it elsewhere (tests bind it to a temporary folder).
// Binding the empty text restores the executable's folder.
std::string application_folder();
void set_application_folder(std::string folder);

}  // namespace corvane
