#include "store/persistent_array_dict.h"

#include <algorithm>

#include "base/error.h"
#include "base/text.h"

namespace corvane {
namespace {

// The separator as a store file gives it back. Its two "ß" survive only where the ANSI
// code page holds that letter; elsewhere they are written as "?", and the arrays must
// still split where they were joined.
const std::string& separator_as_read_back() {
    static const std::string read_back = ansi_to_utf8(utf8_to_ansi(persistent_array_dict::array_separator));
    return read_back;
}

[[noreturn]] void raise_out_of_range(const std::string& key, int number_index) {
    throw error(error_number::subscript_out_of_range,
                "No element " + std::to_string(number_index) + " stored under \"" + key + "\"");
}

}  // namespace

const std::string persistent_array_dict::array_separator = "wqewr9jys\u00DF30q3w99sfdafa9w9rrifasj30\u00DF";

std::string join_array(const std::vector<std::string>& elements) {
    std::string value;
    for (std::size_t n = 0; n < elements.size(); ++n) {
        if (n > 0) value += persistent_array_dict::array_separator;
        value += elements[n];
    }
    return value;
}

std::vector<std::string> split_array(const std::string& value) {
    if (value.empty()) return {};
    const std::string& separator =
        value.find(persistent_array_dict::array_separator) == std::string::npos ? separator_as_read_back()
                                                                                 : persistent_array_dict::array_separator;
    std::vector<std::string> elements;
    for (const std::string_view piece : split(value, separator)) elements.emplace_back(piece);
    return elements;
}

void persistent_array_dict::create(const std::string& unique_string) {
    store_name = unique_string;
    store = persistent_dictionary();
    store.create(store_name);
}

std::string persistent_array_dict::item(const std::string& string_index, int number_index) const {
    const std::vector<std::string> elements = split_array(store.item(string_index));
    if (number_index < 1 || static_cast<std::size_t>(number_index) > elements.size())
        raise_out_of_range(string_index, number_index);
    return elements[static_cast<std::size_t>(number_index) - 1];
}

void persistent_array_dict::remove(const std::string& string_index) { store.remove(string_index); }

std::size_t persistent_array_dict::count() const { return store.count(); }

bool persistent_array_dict::exists(const std::string& string_index) const { return store.exists(string_index); }

void persistent_array_dict::add(const std::string& string_index, int number_index, const std::string& item) {
    if (number_index < 1) raise_out_of_range(string_index, number_index);
    const auto wanted = static_cast<std::size_t>(number_index);
    std::vector<std::string> elements =
        store.exists(string_index) ? split_array(store.item(string_index)) : std::vector<std::string>(1);
    if (elements.size() < wanted) elements.resize(wanted);
    elements[wanted - 1] = item;
    store.add(string_index, join_array(elements));
}

void persistent_array_dict::add(const std::string& string_index, const std::vector<std::string>& items) {
    std::vector<std::string> elements =
        store.exists(string_index) ? split_array(store.item(string_index)) : std::vector<std::string>(1);
    if (elements.size() < items.size()) elements.resize(items.size());
    std::copy(items.begin(), items.end(), elements.begin());
    store.add(string_index, join_array(elements));
}

}  // namespace corvane
