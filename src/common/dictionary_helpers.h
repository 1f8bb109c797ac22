// Dictionary helpers: setting only present values, and reading a bundle's
// property-list resource as a dictionary.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/bundle.h"
#include "platform/foundation/value.h"

namespace orval {

// Sets object for key in dictionary only when object is present (not null).
void SetIfObjectForKey(Dict& dictionary, const Value& object, std::string_view key);
// Sets *object for key only when object points at a present value (as Dict::find answers).
void SetIfObjectForKey(Dict& dictionary, const Value* object, std::string_view key);

// bundle's "plist" resource named name, read as a dictionary; none when the
// bundle or the resource is missing or the file is not a dictionary property list.
std::optional<Dict> DictionaryNamed(const std::string& name, const Bundle* bundle);

}  // namespace orval
