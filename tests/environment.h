#pragma once
// Sets an environment variable of the test process for one scope and puts the old state back.

#include <optional>
#include <string>

namespace corvane::testing {

class environment_scope {
public:
    // No value: the variable is removed for the scope.
    environment_scope(std::string name, const std::optional<std::string>& value);
    ~environment_scope();
    environment_scope(const environment_scope&) = delete;
    environment_scope& operator=(const environment_scope&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

// The platform's own set and remove, the same store that the program reads.
void set_environment(const std::string& name, const std::optional<std::string>& value);
std::optional<std::string> get_environment(const std::string& name);

}  // namespace corvane::testing
