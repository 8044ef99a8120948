#pragma once
// The program's one run-time error: a number and a text, as the system raises it.

#include <stdexcept>
#include <string>

namespace corvane {

// Numbers follow the classic run-time error numbers where one fits.
namespace error_number {
constexpr int subscript_out_of_range = 9;
constexpr int overflow = 6;
constexpr int type_mismatch = 13;
constexpr int file_not_found = 53;
constexpr int file_already_exists = 58;
constexpr int permission_denied = 70;
constexpr int path_file_access = 75;
constexpr int path_not_found = 76;
constexpr int invalid_file_format = 321;
constexpr int key_already_exists = 457;
}  // namespace error_number

class error : public std::runtime_error {
public:
    error(int number, const std::string& text) : std::runtime_error(text), number_(number) {}
    int number() const noexcept { return number_; }

private:
    int number_;
};

}  // namespace corvane
