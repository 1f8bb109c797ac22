// Inputs found by fuzzing the field scrambler, kept as regression tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conversion/field_scrambler.h"

namespace orval {
namespace {

// A byte ff after a pair ff scrambled like a zero byte, so the scrambled text
// did not unscramble. Every two-byte text ending in ff meets some pair before it.
TEST(FieldScramblerFuzzRegression, WhatScramblesUnscramblesBack) {
  for (unsigned seed : {1u, 12345u}) {
    for (int first = 1; first < 256; ++first) {
      const std::string clear{static_cast<char>(first), '\xFF'};
      std::vector<char> scrambled(2 + 2 * clear.size() + 1);
      if (!Encryption(kFieldScramblerKey, clear, scrambled, seed)) continue;
      std::vector<char> back(clear.size() + 1);
      ASSERT_TRUE(Decryption(kFieldScramblerKey, scrambled.data(), back)) << first << " " << scrambled.data();
      EXPECT_EQ(std::string(back.data()), clear);
    }
  }
}

}  // namespace
}  // namespace orval
