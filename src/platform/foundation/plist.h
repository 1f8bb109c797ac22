// Property lists (XML and binary) read into and written from Values, through libplist.
//
// Malformed, truncated, empty or non-plist input yields no value and a
// diagnostic (in *error when given, and in the log), never a crash or a
// partial value.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "platform/foundation/value.h"

namespace orval {

// Reads an XML or binary property list from bytes.
std::optional<Value> plistFromBytes(std::span<const std::uint8_t> bytes, std::string* error = nullptr);
std::optional<Value> plistFromBytes(std::string_view bytes, std::string* error = nullptr);
// Reads an XML or binary property list file.
std::optional<Value> plistFromFile(const std::filesystem::path& path, std::string* error = nullptr);
// Reads a property-list file whose root must be a dictionary.
std::optional<Dict> dictFromFile(const std::filesystem::path& path, std::string* error = nullptr);

// The XML form of a value. A null value has no plist form: answers empty.
std::string plistToXml(const Value& value);
// The binary form of a value.
std::string plistToBinary(const Value& value);
// Writes the XML form to path atomically (temporary file, then rename), so a
// failed write never leaves a truncated file behind.
bool writePlistFile(const std::filesystem::path& path, const Value& value, std::string* error = nullptr);

}  // namespace orval
