// Helpers of the keyword converter's tests: a scratch folder and convert tables written into it.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "conversion/convert_table_source.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/foundation/value.h"

namespace orval::converter_testing {

using foundation_testing::TemporaryFolder;

// Writes value as an XML property list at path (parents created).
inline void writePlist(const std::filesystem::path& path, const Value& value) {
  std::filesystem::create_directories(path.parent_path());
  if (!writePlistFile(path, value)) throw std::runtime_error("cannot write " + path.string());
}

// One item of a table entry.
inline Value item(const char* optionKeyword, long long tagValue) {
  return Dict{{"optionKeyword", optionKeyword}, {"tagValue", tagValue}};
}

}  // namespace orval::converter_testing
