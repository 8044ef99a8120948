#pragma once
// Where the program lives. The stores keep their files in the application folder.

#include <string>
#include <string_view>
#include <vector>

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

// The folders of scratch files: on Windows the one the system names and those of %TEMP% and
// %TMP%, as they stand; elsewhere the system's temporary folder.
std::vector<std::string> temporary_folders();
// The Internet cache, where mail attachments and the office suite's web files are opened;
// "" where there is none (the portable build).
std::string internet_cache_folder();
// The user's profile folder; "" when the system cannot say.
std::string profile_folder();
// The form a shortcut records: 8.3 short names made long, as far as the path exists (%TEMP%
// often holds C:\Users\JOHNSM~1\...). Unchanged in the portable build.
std::string long_path_name(const std::string& path);
// With the environment variables it names expanded; unchanged in the portable build.
std::string expand_environment(const std::string& text);

// The path without its long-path prefix: "\\?\C:\x" is C:\x, "\\?\UNC\server\x" is \\server\x.
std::string without_long_path_prefix(const std::string& path);

// True when the path is the folder or lies under it, compared as Windows compares paths:
// on whole components, letter case and trailing separators aside. An empty folder holds
// nothing.
bool path_within(std::string_view path, std::string_view folder);

// The variable's value; "" when it is not set.
std::string environment_variable(const std::string& name);

// The folder of the executable without a trailing separator, unless
// set_application_folder has bound it elsewhere (tests bind it to a temporary folder).
// Binding the empty text restores the executable's folder.
std::string application_folder();
void set_application_folder(std::string folder);

}  // namespace corvane
