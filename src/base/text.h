#pragma once
// Text is UTF-8 inside the program. These convert at the edges: UTF-16 for wide APIs, the
// shortcut format and text files the ANSI code page cannot hold, the ANSI code page for the
// other text files.

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace corvane {

// Invalid UTF-8 becomes U+FFFD; unpaired surrogates become U+FFFD.
std::u16string utf8_to_utf16(std::string_view text);
std::string utf16_to_utf8(std::u16string_view text);
// UTF-16 as little-endian byte pairs, as files hold it; an odd last byte is dropped.
std::string utf16le_to_utf8(std::string_view bytes);
std::string utf8_to_utf16le(std::string_view text);

// The system's ANSI code page: CP_ACP on Windows, Windows-1252 in the portable build.
// Characters the code page cannot hold become "?".
std::string utf8_to_ansi(std::string_view text);
std::string ansi_to_utf8(std::string_view bytes);
// True when the ANSI code page gives the text back unchanged.
bool ansi_can_hold(std::string_view text);

// Upper case by the user's locale rules (Windows) or by the Unicode simple mapping.
std::string upper_case(std::string_view text);

// The pieces between the occurrences of separator, scanned from the left; n occurrences
// give n + 1 pieces, so "" gives one empty piece.
std::vector<std::string_view> split(std::string_view text, std::string_view separator);

// Without leading and trailing space characters; tabs and other blanks are kept.
std::string_view trim_spaces(std::string_view text);
// Without leading and trailing spaces, tabs, carriage returns and line feeds.
std::string_view trim_white_space(std::string_view text);
// True when the text holds a character below U+0020 (a tab or a line break among them).
bool has_control_character(std::string_view text);

// A decimal 32-bit number with optional spaces around it and an optional sign. Gives
// result_out_of_range beyond 32 bits and invalid_argument for anything else; value is set
// only on success.
std::errc parse_int32(std::string_view text, std::int32_t& value);

}  // namespace corvane
