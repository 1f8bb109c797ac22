// What the tests read of the fixture pane controllers (testdata/fixture_pane.cpp).
//
// The fixture pane bundles are built from fixture_pane.cpp and loaded by the
// pane plug-in manager's tests. A FixturePane builds the settings controls
// that its bundle's resource "PaneControls" names from the UI description of
// the plug-in bundle, and registers them with the manager. Its bundle's
// Info.plist may ask it to refuse initialisation ("FixtureRefuses") or to
// throw a PlatformException from operations it names ("FixtureThrowsIn").
#pragma once

#include <string>
#include <vector>

namespace orval::panes_testing {

class FixturePaneProbe {
 public:
  virtual ~FixturePaneProbe() = default;
  // The operations called so far, in order ("initializePanel", "panelView", "willShow", ...).
  virtual const std::vector<std::string>& events() const = 0;
};

}  // namespace orval::panes_testing
