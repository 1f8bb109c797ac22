// System version tests: which release of the desktop the extension runs on.
//
// The answers come from the platform's version numbers (toolkit version and
// system version, platform/foundation/system_version.h); the stand-in
// platform reports a current system unless a test or host sets them.
#pragma once

namespace orval {

// The release code for the toolkit version rounded down: 1000, 1010, 1020,
// 1030, 1040, 1050 for the early releases, then 10060, 10070, 10080, 10090
// and 10100 for the current ones.
long osVersionFromAppKitVersion();
// The release code is above 1019.
bool isOSVer_After10_2();
// The release code is above 1029.
bool isOSVer_After10_3();
// The release code is above 1039.
bool isOSVer_After10_4();
// The release code is above 10089.
bool isOSVer_After10_9();
// The release code is above 10099.
bool isOSVer_After10_10();

// The system version from the platform's version query (0x10A0 style).
long osVersionFromGestaltManager();
// The system still offers the old network printing protocol: version below 0x1060.
bool isSystemSupportedAppleTalk();
// A droplet application bundle can be made: version above 0x105F.
bool isDropletApplicationBundle();

}  // namespace orval
