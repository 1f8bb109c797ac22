// The executable of a print-dialog plug-in bundle made for the tests: it
// exports the principal-class factories that a bundle's Info.plist names.
#include "platform/print/recording_plugin_test_support.h"

namespace {

class NotAPlugIn : public orval::BundlePrincipal {};

}  // namespace

// The principal class of a print-dialog plug-in with one panel, "Recorded".
extern "C" __attribute__((visibility("default"))) orval::BundlePrincipal* OrvalPrincipalClass_RecordingPlugIn() {
  return new orval::testing::RecordingPlugIn({"Recorded"}, std::make_shared<orval::testing::Journal>());
}

// A principal class that is no print-dialog plug-in.
extern "C" __attribute__((visibility("default"))) orval::BundlePrincipal* OrvalPrincipalClass_NotAPlugIn() {
  return new NotAPlugIn();
}
