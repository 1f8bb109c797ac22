#include "common/dictionary_helpers.h"

#include <gtest/gtest.h>

#include "common/common_test_support.h"
#include "platform/foundation/log.h"

namespace orval {
namespace {

TEST(DictionaryHelpersTest, SetIfObjectForKeySetsOnlyPresentObjects) {
  Dict dict{{"Fold", Value("Half")}};
  SetIfObjectForKey(dict, Value(), "Fold");
  SetIfObjectForKey(dict, nullptr, "Fold");
  EXPECT_EQ(dict.get("Fold"), Value("Half"));

  SetIfObjectForKey(dict, Value(""), "JobName");  // an empty text is present
  SetIfObjectForKey(dict, Value(false), "Collate");
  const Dict source{{"NumCopies", Value(3)}};
  SetIfObjectForKey(dict, source.find("NumCopies"), "NumCopies");
  SetIfObjectForKey(dict, source.find("Missing"), "Missing");
  EXPECT_EQ(dict.keys(), (std::vector<std::string>{"Fold", "JobName", "Collate", "NumCopies"}));
  EXPECT_EQ(dict.get("NumCopies"), Value(3));
}

TEST(DictionaryHelpersTest, DictionaryNamedReadsThePlistResource) {
  const auto bundle = testing_support::fixtureBundle("Strings.bundle");
  ASSERT_NE(bundle, nullptr);
  const std::optional<Dict> tree = DictionaryNamed("PanesTree", bundle.get());
  ASSERT_TRUE(tree.has_value());
  EXPECT_EQ(tree->get("bundleName"), Value("Page"));
  EXPECT_EQ(tree->keys(), (std::vector<std::string>{"panelName", "bundleName", "items"}));
}

TEST(DictionaryHelpersTest, DictionaryNamedAnswersNoneForWhatIsNotADictionary) {
  const auto bundle = testing_support::fixtureBundle("Strings.bundle");
  ASSERT_NE(bundle, nullptr);
  const LogCapture log;
  EXPECT_FALSE(DictionaryNamed("RootArray", bundle.get()).has_value());
  EXPECT_FALSE(DictionaryNamed("Truncated", bundle.get()).has_value());
  EXPECT_FALSE(DictionaryNamed("Missing", bundle.get()).has_value());
  EXPECT_FALSE(DictionaryNamed("", bundle.get()).has_value());
  EXPECT_FALSE(DictionaryNamed("PanesTree", nullptr).has_value());
}

}  // namespace
}  // namespace orval
