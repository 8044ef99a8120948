#include "state/basRegistry.h"

namespace corvane {

std::string read_registry_value(std::uint32_t, const std::string&, const std::string&) { return {}; }

}  // namespace corvane
