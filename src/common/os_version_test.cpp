#include "common/os_version.h"

#include <gtest/gtest.h>

#include "platform/foundation/system_version.h"

namespace orval {
namespace {

TEST(OsVersionTest, ReleaseCodesAndTestsAtTheTableEdges) {
  resetPlatformVersions();
  EXPECT_EQ(osVersionFromAppKitVersion(), 10100);  // the stand-in platform is current
  const struct {
    double toolkit;
    long code;
    const char* after;  // which of 10.2, 10.3, 10.4, 10.9, 10.10 the code is after
  } rows[] = {
      {577.9, 1000, "-----"},   {578, 1010, "-----"},     {620.5, 1010, "-----"},   {621, 1020, "2----"},
      {663.9, 1020, "2----"},   {664, 1030, "23---"},     {743.99, 1030, "23---"},  {744, 1040, "234--"},
      {824.41, 1040, "234--"},  {825, 1050, "234--"},     {949.9, 1050, "234--"},   {950, 10060, "234--"},
      {1038.5, 10060, "234--"}, {1039, 10070, "234--"},   {1138.9, 10070, "234--"}, {1139, 10080, "234--"},
      {1187.9, 10080, "234--"}, {1188, 10090, "2349-"},   {1265.9, 10090, "2349-"}, {1266, 10100, "23490"},
  };
  for (const auto& row : rows) {
    setToolkitVersion(row.toolkit);
    EXPECT_EQ(osVersionFromAppKitVersion(), row.code) << row.toolkit;
    const std::string after{isOSVer_After10_2() ? '2' : '-', isOSVer_After10_3() ? '3' : '-',
                            isOSVer_After10_4() ? '4' : '-', isOSVer_After10_9() ? '9' : '-',
                            isOSVer_After10_10() ? '0' : '-'};
    EXPECT_EQ(after, row.after) << row.toolkit;
  }
  for (const auto& [version, before10_6] : {std::pair{0x105F, true}, std::pair{0x1060, false}}) {
    setSystemVersion(version);
    EXPECT_EQ(isSystemSupportedAppleTalk(), before10_6);
    EXPECT_EQ(isDropletApplicationBundle(), !before10_6);
  }
  resetPlatformVersions();
}

}  // namespace
}  // namespace orval
