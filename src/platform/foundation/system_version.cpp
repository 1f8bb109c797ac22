#include "platform/foundation/system_version.h"

namespace orval {
namespace {

constexpr double kDefaultToolkitVersion = 2487.0;
constexpr long kDefaultSystemVersion = 0x10F0;

double gToolkitVersion = kDefaultToolkitVersion;
long gSystemVersion = kDefaultSystemVersion;

}  // namespace

double toolkitVersion() { return gToolkitVersion; }
void setToolkitVersion(double version) { gToolkitVersion = version; }
long systemVersion() { return gSystemVersion; }
void setSystemVersion(long version) { gSystemVersion = version; }

void resetPlatformVersions() {
  gToolkitVersion = kDefaultToolkitVersion;
  gSystemVersion = kDefaultSystemVersion;
}

}  // namespace orval
