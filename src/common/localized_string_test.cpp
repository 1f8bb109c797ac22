#include "common/localized_string.h"

#include <gtest/gtest.h>

#include "common/common_test_support.h"
#include "common/principal_bundle.h"

namespace orval {
namespace {

using testing_support::fixtureBundle;
using testing_support::ScopedEnvironment;

class LocalizedStringTest : public ::testing::Test {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    resetLocalizedStringBundlesForTesting();
    resetPrincipalBundleForTesting();
  }

  ScopedEnvironment language_{"LANGUAGE", "en"};
  ScopedEnvironment all_{"LC_ALL", "C.UTF-8"};
  std::shared_ptr<Bundle> strings_ = fixtureBundle("Strings.bundle");
};

TEST_F(LocalizedStringTest, ThePreferredRegistrationWinsOverTheFallback) {
  EXPECT_EQ(BSLocalizedString("Auto"), "");  // no bundle, no text
  SetBSPrincipalBundle(strings_);            // the principal bundle is no string bundle
  EXPECT_EQ(BSLocalizedString("Auto"), "");
  SetCFBundleRefForLocalizedString(fixtureBundle("Fallback.bundle"));
  EXPECT_EQ(BSLocalizedString("Auto"), "Auto (fallback)");
  SetNSBundleForLocalizedString(strings_);
  EXPECT_EQ(BSLocalizedString("Auto"), "Automatic");
  SetNSBundleForLocalizedString(nullptr);
  EXPECT_EQ(BSLocalizedString("Auto"), "Auto (fallback)");
}

TEST_F(LocalizedStringTest, TablesAndLanguages) {
  SetNSBundleForLocalizedString(strings_);
  EXPECT_EQ(BSLocalizedString("Revert to Default Settings"), "Revert to Default Settings");
  // The default table does not see the UI table's entries, nor the other way round.
  EXPECT_EQ(BSLocalizedString("DuplexMode"), "DuplexMode");
  EXPECT_EQ(BSLocalizedStringFromTable("DuplexMode", kUIStringTable), "Two-Sided");
  EXPECT_EQ(BSLocalizedStringFromTable("Auto", kUIStringTable), "Auto");
  EXPECT_EQ(BSLocalizedStringFromTable("Auto", ""), "Automatic");
  const ScopedEnvironment japanese("LANGUAGE", "ja");
  EXPECT_EQ(BSLocalizedString("Auto"), "自動");
}

}  // namespace
}  // namespace orval
