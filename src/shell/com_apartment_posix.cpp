#include "shell/com_apartment.h"

namespace corvane {

com_apartment::com_apartment() = default;
com_apartment::~com_apartment() = default;

}  // namespace corvane
