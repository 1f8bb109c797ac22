// Helpers of the conversion tests: option checks, a scratch folder, convert tables written into it and the
// encryption library's output.
#pragma once

#include <gtest/gtest.h>

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

// The folder of the encryption library the encoder loads.
inline const std::string kEncryptionLibraryDir = ORVAL_BINARY_DIR "/src/encryption";

// What action writes on standard output (where the encoder reports its progress).
template <class Action>
std::string stdoutOf(Action action) {
  testing::internal::CaptureStdout();
  action();
  return testing::internal::GetCapturedStdout();
}

constexpr const char* kAbsent = "<absent>";

// The text of options[key], or kAbsent.
inline std::string text(const PrintOption& options, std::string_view key) {
  const Value* v = options.find(key);
  return v ? v->text() : std::string(kAbsent);
}

// Checks each key's text; kAbsent stands for a key that must not be there.
inline void expectTexts(const PrintOption& options,
                        std::initializer_list<std::pair<const char*, std::string>> expected) {
  for (const auto& [key, value] : expected) EXPECT_EQ(text(options, key), value) << key;
}

// One item of a table entry.
inline Value item(const char* optionKeyword, long long tagValue) {
  return Dict{{"optionKeyword", optionKeyword}, {"tagValue", tagValue}};
}

}  // namespace orval::converter_testing
