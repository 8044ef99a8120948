#pragma once

#include <cstddef>
#include <string>

#include "store/dictionary.h"

namespace corvane {

// How many values equal item exactly (case counts); keys are not looked at.
std::size_t dict_item_count(const dictionary& dict, const std::string& item);

}  // namespace corvane
