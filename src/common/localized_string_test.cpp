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
  void SetUp() override {
    resetLocalizedStringBundlesForTesting();
    resetPrincipalBundleForTesting();
    ASSERT_NE(strings_, nullptr);
    ASSERT_NE(fallback_, nullptr);
  }
  void TearDown() override {
    resetLocalizedStringBundlesForTesting();
    resetPrincipalBundleForTesting();
  }

  ScopedEnvironment language_{"LANGUAGE", "en"};
  ScopedEnvironment all_{"LC_ALL", "C.UTF-8"};
  std::shared_ptr<Bundle> strings_ = fixtureBundle("Strings.bundle");
  std::shared_ptr<Bundle> fallback_ = fixtureBundle("Fallback.bundle");
};

TEST_F(LocalizedStringTest, WithoutARegisteredBundleThereIsNoText) {
  EXPECT_EQ(BSLocalizedString("Auto"), "");
  EXPECT_EQ(BSLocalizedStringFromTable("DuplexMode", kUIStringTable), "");
  EXPECT_EQ(localizedStringBundle(), nullptr);
}

TEST_F(LocalizedStringTest, ThePreferredRegistrationWinsOverTheFallback) {
  SetCFBundleRefForLocalizedString(fallback_);
  EXPECT_EQ(BSLocalizedString("Auto"), "Auto (fallback)");

  SetNSBundleForLocalizedString(strings_);
  EXPECT_EQ(BSLocalizedString("Auto"), "Automatic");

  SetNSBundleForLocalizedString(nullptr);
  EXPECT_EQ(BSLocalizedString("Auto"), "Auto (fallback)");
}

TEST_F(LocalizedStringTest, KeysWithoutAnEntryAreAnsweredAsTheyStand) {
  SetNSBundleForLocalizedString(strings_);
  EXPECT_EQ(BSLocalizedString("Exception: %@"), "An error occurred: %@");
  EXPECT_EQ(BSLocalizedString("Revert to Default Settings"), "Revert to Default Settings");
  // The default table does not see the UI table's entries, nor the other way round.
  EXPECT_EQ(BSLocalizedString("DuplexMode"), "DuplexMode");
  EXPECT_EQ(BSLocalizedStringFromTable("DuplexMode", kUIStringTable), "Two-Sided");
  EXPECT_EQ(BSLocalizedStringFromTable("Auto", kUIStringTable), "Auto");
  EXPECT_EQ(BSLocalizedStringFromTable("Auto", ""), "Automatic");
}

TEST_F(LocalizedStringTest, FollowsThePreferredLanguage) {
  SetNSBundleForLocalizedString(strings_);
  const ScopedEnvironment japanese("LANGUAGE", "ja");
  EXPECT_EQ(BSLocalizedString("Auto"), "自動");
}

TEST_F(LocalizedStringTest, PrincipalBundleIsRegisteredAndForgotten) {
  EXPECT_EQ(BSPrincipalBundle(), nullptr);
  SetBSPrincipalBundle(strings_);
  EXPECT_EQ(BSPrincipalBundle(), strings_);
  // Registering the principal bundle does not register a string bundle.
  EXPECT_EQ(BSLocalizedString("Auto"), "");
  resetPrincipalBundleForTesting();
  EXPECT_EQ(BSPrincipalBundle(), nullptr);
}

}  // namespace
}  // namespace orval
