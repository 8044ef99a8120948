#pragma once
// Whole-file access to small text files. A text the ANSI code page holds is written in it,
// byte for byte as ever; any other as UTF-16LE behind a byte-order mark, so that no name is
// lost to the code page. A reader goes by the mark. Reads and writes never report a
// failure: a file that cannot be read reads as empty, a write that fails leaves the file
// as it was.

#include <optional>
#include <string>

#include "store/file_system.h"  // file_exists and delete_file, which pass their failures on

namespace corvane {

// The whole content, decoded; "" on any failure.
std::string read_file(const std::string& path);
// The same, but nothing when the file cannot be read, so that a caller can tell it from empty.
std::optional<std::string> read_text_file(const std::string& path);

// The file afterwards holds exactly the text, or keeps its old content when the write fails.
// A missing file is created.
void write_file(const std::string& path, const std::string& text);

}  // namespace corvane
