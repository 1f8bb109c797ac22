#include "common/dictionary_helpers.h"

#include <gtest/gtest.h>

#include "common/common_test_support.h"

namespace orval {
namespace {

TEST(DictionaryHelpersTest, SetIfObjectForKeyAndDictionaryNamed) {
  Dict dict{{"Fold", Value("Half")}};
  SetIfObjectForKey(dict, Value(), "Fold");
  SetIfObjectForKey(dict, nullptr, "Fold");
  SetIfObjectForKey(dict, Value(""), "JobName");  // an empty text is present
  const Dict source{{"NumCopies", Value(3)}};
  SetIfObjectForKey(dict, source.find("NumCopies"), "NumCopies");
  EXPECT_EQ(dict, (Dict{{"Fold", "Half"}, {"JobName", ""}, {"NumCopies", 3}}));

  const auto bundle = testing_support::fixtureBundle("Strings.bundle");
  EXPECT_EQ(DictionaryNamed("PanesTree", bundle.get()).value_or(Dict()).get("bundleName"), Value("Page"));
  for (const char* name : {"RootArray", "Truncated", "Missing", ""})
    EXPECT_FALSE(DictionaryNamed(name, bundle.get())) << name;
  EXPECT_FALSE(DictionaryNamed("PanesTree", nullptr));
}

}  // namespace
}  // namespace orval
