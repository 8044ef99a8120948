#include "store/dictionary.h"

#include "base/error.h"

namespace corvane {

dictionary::dictionary(const dictionary& other) {
    for (const auto& [key, item] : other) add(key, item);
}

dictionary& dictionary::operator=(const dictionary& other) {
    if (this != &other) {
        dictionary copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void dictionary::add(const std::string& key, const std::string& item) {
    if (index_.count(key) != 0)
        throw error(error_number::key_already_exists, "The key \"" + key + "\" is already in the dictionary");
    entries_.emplace_back(key, item);
    index_.emplace(key, std::prev(entries_.end()));
}

bool dictionary::exists(const std::string& key) const { return index_.count(key) != 0; }

std::string dictionary::item(const std::string& key) const {
    const auto found = index_.find(key);
    return found == index_.end() ? std::string() : found->second->second;
}

void dictionary::remove(const std::string& key) {
    const auto found = index_.find(key);
    if (found == index_.end()) return;
    entries_.erase(found->second);
    index_.erase(found);
}

}  // namespace corvane
