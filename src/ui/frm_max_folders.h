#pragma once
// The dialog that sets the maximum number of folder links, and the rule for what it stores.

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// What closing the dialog stores for the typed text: a whole or decimal number (optional
// sign, spaces around it, the locale's decimal separator) rounded to a whole number, a half
// to the even neighbour, as decimal text. Nothing for any other text, and nothing for a
// number beyond -32768 to 32767, so that the old maximum stays.
std::optional<std::string> typed_maximum(std::string_view text, std::string_view decimal_separator);

// The form, Windows only. Showing it again only brings it up; closing it stores the number.
void show_max_folders();
void unload_max_folders();

}  // namespace corvane
