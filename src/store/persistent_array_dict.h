#pragma once
// A named map from string keys to arrays of strings that survives restarts. Each array is
// one value of a persistent_dictionary of the same store name, its elements joined by
// array_separator. Elements are numbered from 1.

#include <cstddef>
#include <string>
#include <vector>

#include "store/persistent_dictionary.h"

namespace corvane {

class persistent_array_dict {
public:
    static const std::string array_separator;

    std::string store_name;
    persistent_dictionary store;

    // Raises when the store file is malformed.
    void create(const std::string& unique_string);

    // Raises subscript_out_of_range for a key that is not stored or an element number
    // outside the array.
    std::string item(const std::string& string_index, int number_index) const;
    void remove(const std::string& string_index);
    std::size_t count() const;
    bool exists(const std::string& string_index) const;
    // Sets one element, lengthening the array with empty elements as needed; never
    // shortens it. Raises subscript_out_of_range for a number below 1, storing nothing.
    void add(const std::string& string_index, int number_index, const std::string& item);
    // Sets the first elements to items in one write of the file, so that they are never
    // stored half; elements beyond them stay.
    void add(const std::string& string_index, const std::vector<std::string>& items);
};

// The array encoding, exposed for the store's tests.
std::string join_array(const std::vector<std::string>& elements);
// The empty value has no elements.
std::vector<std::string> split_array(const std::string& value);

}  // namespace corvane
