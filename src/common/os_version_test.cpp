#include "common/os_version.h"

#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/foundation/system_version.h"

namespace orval {
namespace {

class OsVersionTest : public ::testing::Test {
 protected:
  void SetUp() override { resetPlatformVersions(); }
  void TearDown() override { resetPlatformVersions(); }

  long codeFor(double toolkit) {
    setToolkitVersion(toolkit);
    return osVersionFromAppKitVersion();
  }
};

TEST_F(OsVersionTest, TheStandInPlatformIsCurrent) {
  EXPECT_EQ(osVersionFromAppKitVersion(), 10100);
  EXPECT_TRUE(isOSVer_After10_2());
  EXPECT_TRUE(isOSVer_After10_4());
  EXPECT_TRUE(isOSVer_After10_9());
  EXPECT_TRUE(isOSVer_After10_10());
  EXPECT_EQ(osVersionFromGestaltManager(), systemVersion());
  EXPECT_FALSE(isSystemSupportedAppleTalk());
  EXPECT_TRUE(isDropletApplicationBundle());
}

TEST_F(OsVersionTest, ReleaseCodesAtTheTableEdges) {
  const std::vector<std::pair<double, long>> table = {
      {0, 1000},          {577, 1000},        {577.9, 1000},   {578, 1010},
      {620, 1010},        {620.5, 1010},      {621, 1020},     {663, 1020},
      {663.9, 1020},      {664, 1030},        {743, 1030},     {743.99, 1030},
      {744, 1040},        {824, 1040},        {824.41, 1040},  {825, 1050},
      {949, 1050},        {949.9, 1050},      {950, 10060},    {1038, 10060},
      {1038.5, 10060},    {1039, 10070},      {1138, 10070},   {1138.9, 10070},
      {1139, 10080},      {1187, 10080},      {1187.9, 10080}, {1188, 10090},
      {1265, 10090},      {1265.9, 10090},    {1266, 10100},   {2487, 10100},
  };
  for (const auto& [toolkit, code] : table) {
    EXPECT_EQ(codeFor(toolkit), code) << "toolkit version " << toolkit;
  }
}

TEST_F(OsVersionTest, ReleaseTestsFollowTheCode) {
  setToolkitVersion(1265);
  EXPECT_TRUE(isOSVer_After10_9());
  EXPECT_FALSE(isOSVer_After10_10());
  setToolkitVersion(1266);
  EXPECT_TRUE(isOSVer_After10_10());

  setToolkitVersion(1187);  // 10080
  EXPECT_FALSE(isOSVer_After10_9());
  EXPECT_TRUE(isOSVer_After10_4());

  setToolkitVersion(620);  // 1010
  EXPECT_FALSE(isOSVer_After10_2());
  setToolkitVersion(663);  // 1020
  EXPECT_TRUE(isOSVer_After10_2());
  EXPECT_FALSE(isOSVer_After10_3());
  setToolkitVersion(743);  // 1030
  EXPECT_TRUE(isOSVer_After10_3());
  EXPECT_FALSE(isOSVer_After10_4());
  setToolkitVersion(824);  // 1040
  EXPECT_TRUE(isOSVer_After10_4());
  // Codes of four digits (1050) stay below those of five (10060).
  setToolkitVersion(949);
  EXPECT_FALSE(isOSVer_After10_9());
  EXPECT_TRUE(isOSVer_After10_4());
}

TEST_F(OsVersionTest, SystemVersionTests) {
  setSystemVersion(0x105F);
  EXPECT_TRUE(isSystemSupportedAppleTalk());
  EXPECT_FALSE(isDropletApplicationBundle());
  setSystemVersion(0x1060);
  EXPECT_FALSE(isSystemSupportedAppleTalk());
  EXPECT_TRUE(isDropletApplicationBundle());
  EXPECT_EQ(osVersionFromGestaltManager(), 0x1060);
}

}  // namespace
}  // namespace orval
