// GenericPanePlugIn: the one pane plug-in implementation; every pane bundle
// of OrvalPDE.plugin is this code with its own resources.
//
// On initializePanel it reads its bundle's pane layout (pane_layout.h) for
// the role it is loaded under, builds its view (a tab view with one tab per
// layout tab, the tab's settings controls stacked top to bottom), binds each
// control to its control description of the UI description and registers
// the controls with the settings engine (pane_binding.h). The controls take
// their texts and icons from the plug-in's main bundle, which ships the UI
// description and its "UI" string table; the pane's own bundle gives the
// layout and the pane and tab names (its default string table).
//
// The role: the manager loads a bundle that the panes tree names with roles
// (Finishing+Staple, Finishing+Punch, ...) once per role, in the order the
// tree names them, skipping a name it already holds. The pane finds its role
// the same way: the first role of its bundle in the panes tree whose name
// (Name+Role) the manager does not hold yet. A bundle the tree names without
// roles is loaded without one.
//
// A pane that cannot read its layout or the UI description refuses
// initialisation (the manager then drops it); a control name with no
// control description is left out (logged). A PlatformException while the
// controls are built is logged and swallowed; the controls registered until
// then stay registered.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pane_plugins/pane_layout.h"
#include "panes/pane_plugin_interface.h"
#include "platform/foundation/bundle.h"

namespace orval {

namespace tk {
class TabView;
class View;
}  // namespace tk

class GenericPanePlugIn : public BundlePrincipal, public PanePlugInInterface {
 public:
  // The width of a pane's view, and the margins around its controls.
  static constexpr double kPaneWidth = 480;
  static constexpr double kMargin = 16;
  // The height a tab view takes beyond its tabs' views (the tab row).
  static constexpr double kTabRowHeight = 36;

  GenericPanePlugIn();
  ~GenericPanePlugIn() override;

  // PanePlugInInterface
  bool initializePanel(std::shared_ptr<Bundle> bundle, PanePlugInMgr& callback) override;
  // The layout's pane name localized in the pane's bundle.
  std::string panelName() override;
  // The pane's view, built by initializePanel (nullptr before).
  tk::View* panelView() override;
  // The bound settings controls, in layout order.
  std::optional<std::vector<KORAUI*>> getListKORAUI() override;

  // The role the pane was loaded under, if any.
  const std::optional<std::string>& roleName() const { return _roleName; }
  // The pane's tab view (nullptr before initializePanel).
  tk::TabView* tabView() const { return _tabView; }

  // The role a pane of the bundle named plainName is being loaded under (see above).
  static std::optional<std::string> roleBeingLoaded(const std::string& plainName, PanePlugInMgr& manager);

 private:
  // Builds the view of the layout's tabs with one unbound control per control name.
  void _buildView(const PaneLayout& layout);
  // Gives each bound control the height it needs and stacks every tab's controls from the top.
  void _layOut();

  std::shared_ptr<Bundle> _bundle;
  std::optional<std::string> _roleName;
  std::string _panelName;
  std::string _plainName;
  std::unique_ptr<tk::View> _view;
  tk::TabView* _tabView = nullptr;
  std::vector<KORAUI*> _controls;
};

}  // namespace orval
