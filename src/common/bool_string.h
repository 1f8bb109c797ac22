// Booleans as text: the switches of a PrintOption are the strings "True" and "False".
#pragma once

#include "platform/foundation/value.h"

namespace orval {

// A string is true exactly when it equals "True" ignoring case; any other
// value by its own truth (a boolean itself, a number when not zero, else false).
bool boolValueIfString(const Value& value);

}  // namespace orval
