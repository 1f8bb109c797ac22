#include "common/os_version.h"

#include <cmath>

#include "platform/foundation/system_version.h"

namespace orval {
namespace {

// Toolkit version (rounded down) up to which each release code applies.
struct ReleaseThreshold {
  double maxToolkitVersion;
  long code;
};

constexpr ReleaseThreshold kReleaseThresholds[] = {
    {577, 1000},     {620, 1010},      {663.6, 1020},    {743.36, 1030},
    {824.41, 1040},  {949.33, 1050},   {1038, 10060},    {1138.47, 10070},
    {1187, 10080},   {1265, 10090},
};

constexpr long kLatestReleaseCode = 10100;

}  // namespace

long osVersionFromAppKitVersion() {
  const double version = std::floor(toolkitVersion());
  for (const ReleaseThreshold& threshold : kReleaseThresholds) {
    if (version <= threshold.maxToolkitVersion) return threshold.code;
  }
  return kLatestReleaseCode;
}

bool isOSVer_After10_2() { return osVersionFromAppKitVersion() > 1019; }
bool isOSVer_After10_3() { return osVersionFromAppKitVersion() > 1029; }
bool isOSVer_After10_4() { return osVersionFromAppKitVersion() > 1039; }
bool isOSVer_After10_9() { return osVersionFromAppKitVersion() > 10089; }
bool isOSVer_After10_10() { return osVersionFromAppKitVersion() > 10099; }

long osVersionFromGestaltManager() { return systemVersion(); }

bool isSystemSupportedAppleTalk() { return osVersionFromGestaltManager() < 0x1060; }

bool isDropletApplicationBundle() { return osVersionFromGestaltManager() > 0x105F; }

}  // namespace orval
