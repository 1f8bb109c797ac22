// What the tests read of the fixture pane controllers (testdata/fixture_pane.cpp), which build the
// controls their bundle's "PaneControls" names and may refuse ("FixtureRefuses") or throw ("FixtureThrowsIn").
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
