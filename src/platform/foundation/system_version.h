// The platform's version numbers, as the stand-in platform reports them.
//
// The original desktop answered a toolkit version (a decimal number such as
// 1265.0) and a system version (0x10A0 style, major/minor/bugfix in hex
// nibbles). The Linux port reports values that stand for a current system and
// lets tests and hosts set them.
#pragma once

namespace orval {

// Toolkit version; default 2487.0 (a current system).
double toolkitVersion();
void setToolkitVersion(double version);
// System version in the 0xMMmb form; default 0x10F0 (newer than every test the system makes).
long systemVersion();
void setSystemVersion(long version);
// Restores both defaults.
void resetPlatformVersions();

}  // namespace orval
