#include "environment.h"

namespace corvane::testing {

environment_scope::environment_scope(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)), old_(get_environment(name_)) {
    set_environment(name_, value);
}

environment_scope::~environment_scope() { set_environment(name_, old_); }

}  // namespace corvane::testing
