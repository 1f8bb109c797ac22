// The `--json` convention of orval's commands.
//
// Every command that prints data takes `--json`: it then prints one JSON
// document (an object, keys in a fixed order) on standard output instead of
// its text, so scripts never parse the text. Errors still go to standard error.
#pragma once

#include <CLI/App.hpp>
#include <nlohmann/json.hpp>

#include <ostream>

#include "platform/foundation/value.h"

namespace orval::cli {

using Json = nlohmann::ordered_json;

// Adds the `--json` flag to command, setting *json when given.
void addJsonFlag(CLI::App& command, bool* json);
// A property-list value as JSON: dictionaries keep their order, a date
// becomes its ISO 8601 UTC text, data its Base64 text.
Json toJson(const Value& value);
// Prints document, indented, and a line break; bytes that are not UTF-8 become U+FFFD.
void printJson(std::ostream& out, const Json& document);

}  // namespace orval::cli
