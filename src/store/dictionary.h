#pragma once
// The plain in-memory string dictionary: exact (case-sensitive) keys, insertion order kept,
// a key removed and added again comes last.

#include <cstddef>
#include <list>
#include <string>
#include <unordered_map>
#include <utility>

namespace corvane {

class dictionary {
public:
    using entry = std::pair<std::string, std::string>;
    using const_iterator = std::list<entry>::const_iterator;

    dictionary() = default;
    dictionary(const dictionary& other);
    dictionary& operator=(const dictionary& other);
    dictionary(dictionary&&) noexcept = default;
    dictionary& operator=(dictionary&&) noexcept = default;

    // Raises key_already_exists when the key is present.
    void add(const std::string& key, const std::string& item);
    bool exists(const std::string& key) const;
    // "" for a key that is not stored; nothing is added then.
    std::string item(const std::string& key) const;
    // A key that is not stored is ignored.
    void remove(const std::string& key);
    std::size_t count() const { return entries_.size(); }

    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }

private:
    std::list<entry> entries_;
    std::unordered_map<std::string, std::list<entry>::iterator> index_;
};

}  // namespace corvane
