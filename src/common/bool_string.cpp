#include "common/bool_string.h"

namespace orval {

bool boolValueIfString(const Value& value) { return value.truth(); }

}  // namespace orval
