// Helpers of the conversion tests: option checks and the encryption library's output.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "conversion/convert_table_source.h"
#include "platform/foundation/value.h"

namespace orval::converter_testing {

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

}  // namespace orval::converter_testing
