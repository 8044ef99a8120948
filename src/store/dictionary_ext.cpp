#include "store/dictionary_ext.h"

namespace corvane {

std::size_t dict_item_count(const dictionary& dict, const std::string& item) {
    std::size_t count = 0;
    for (const auto& entry : dict) {
        if (entry.second == item) ++count;
    }
    return count;
}

}  // namespace corvane
