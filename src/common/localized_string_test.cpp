#include "common/localized_string.h"

#include <gtest/gtest.h>

#include "common/common_test_support.h"
#include "common/principal_bundle.h"

namespace orval {
namespace {

using testing_support::fixtureBundle;

TEST(LocalizedStringTest, RegistrationsAndTables) {
  resetLocalizedStringBundlesForTesting();
  resetPrincipalBundleForTesting();
  const std::shared_ptr<Bundle> strings = fixtureBundle("Strings.bundle");
  EXPECT_EQ(BSLocalizedString("Auto"), "");  // no bundle, no text
  SetBSPrincipalBundle(strings);             // the principal bundle is no string bundle
  EXPECT_EQ(BSLocalizedString("Auto"), "");
  SetCFBundleRefForLocalizedString(fixtureBundle("Fallback.bundle"));
  EXPECT_EQ(BSLocalizedString("Auto"), "Auto (fallback)");
  SetNSBundleForLocalizedString(strings);  // the preferred registration wins over the fallback
  EXPECT_EQ(BSLocalizedString("Auto"), "Automatic");
  // The default table does not see the UI table's entries; a named table is passed on (languages: Bundle's test).
  EXPECT_EQ(BSLocalizedString("DuplexMode"), "DuplexMode");
  EXPECT_EQ(BSLocalizedStringFromTable("DuplexMode", kUIStringTable), "Two-Sided");
  SetNSBundleForLocalizedString(nullptr);
  EXPECT_EQ(BSLocalizedString("Auto"), "Auto (fallback)");
  resetLocalizedStringBundlesForTesting();
  resetPrincipalBundleForTesting();
}

}  // namespace
}  // namespace orval
