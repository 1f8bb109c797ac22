// GenericPanePlugIn: the one pane plug-in implementation; every pane bundle
// of OrvalPDE.plugin is this code with its own resources.
//
// On initializePanel it reads its bundle's pane layout (pane_layout.h) for
// the role the manager loads it under (PanePlugInMgr::roleName), builds its
// view and has the manager bind and register its controls:
// - the view is a tab view with one tab per layout tab; a tab shows its
//   settings controls and classic controls stacked top to bottom and, below
//   them, its nested tab view (built the same way), so that a graphical host
//   can show the tree as it stands;
// - the settings controls (KORAUI, named by their tool tips) are bound to
//   their control descriptions by the manager's setupKORAUIControls, with
//   the UI description the manager reads; the controls take their texts and
//   icons from the main bundle, which ships the UI description and its "UI"
//   string table, and their "text_<pane>" titles from the pane's name;
// - the manager's buildPaneUi adds the numbered items of the profile pop-ups
//   and registers the settings controls with the engine.
// The pane's own bundle gives the layout and the pane, tab and classic
// control titles (its default string table).
//
// A classic control shows the engine's value of its key (when the pane's
// view is asked for, and when the Page pane is asked to write the automatic
// paper tray selection) and hands a change to the engine with an
// announcement of its key, so the engine validates it; a key the engine does
// not hold stays the pane's own.
//
// A pane that cannot read its layout or the UI description, or whose role
// its layout lacks, refuses initialisation (logged; the manager drops it and
// loads its other roles). A control name the UI description lacks is left
// out (logged). A PlatformException while the controls are built is logged
// and swallowed; the controls registered until then stay registered.
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
class Control;
class TabView;
class View;
}  // namespace tk

class GenericPanePlugIn : public BundlePrincipal, public PanePlugInInterface {
 public:
  // The width of a pane's view, and the margins around its controls.
  static constexpr double kPaneWidth = 648;
  static constexpr double kMargin = 16;
  // The height a tab view takes beyond its tabs' views (the tab row).
  static constexpr double kTabRowHeight = 36;
  // The action name of the classic controls.
  static constexpr const char* kClassicAction = "classicControlAction:";

  GenericPanePlugIn();
  ~GenericPanePlugIn() override;

  // PanePlugInInterface
  bool initializePanel(std::shared_ptr<Bundle> bundle, PanePlugInMgr& callback) override;
  // The layout's pane name localized in the pane's bundle.
  std::string panelName() override;
  // The pane's view (its tab view), built by initializePanel (nullptr
  // before); its classic controls show the engine's values first.
  tk::View* panelView() override;
  // The bound settings controls, in layout order.
  std::optional<std::vector<KORAUI*>> getListKORAUI() override;
  // The profile pop-ups, each with its key, pattern and last number.
  std::optional<std::vector<ProfileUiInformation>> profileUiInformations() override;
  // Shows the engine's values in the classic controls.
  void writeAutomaticPapaerTraySelection() override;

  // The role the pane was loaded under, if any.
  const std::optional<std::string>& roleName() const { return _roleName; }
  // The pane's tab view (nullptr before initializePanel).
  tk::TabView* tabView() const { return _tabView.get(); }

 private:
  struct Classic {
    tk::Control* control;
    std::string key;
  };
  // Builds a tab of the layout: its controls (settings controls unbound) and its nested tabs.
  std::unique_ptr<tk::View> _buildTab(const PaneTab& tab, double width);
  // Builds a classic control (and its title label) into content.
  void _buildClassic(const PaneClassicControl& classic, tk::View& content, double width);
  // Sizes and places every view of the pane (see above).
  void _layOut();
  // The height the content of a tab needs at width, beneath its tab row.
  double _measure(tk::View& content, double width);
  // Places content's views top down within height.
  void _place(tk::View& content, double width, double height);
  // Shows the engine's values in the classic controls of keys the engine holds.
  void _showEngineValues();
  // A classic control changed: its value goes to the engine.
  void _classicControlChanged(tk::Control& control);

  std::shared_ptr<Bundle> _bundle;
  PanePlugInMgr* _manager = nullptr;
  std::optional<std::string> _roleName;
  std::string _panelName;
  std::string _plainName;
  std::unique_ptr<tk::TabView> _tabView;
  std::vector<KORAUI*> _controls;
  std::vector<Classic> _classics;
  std::vector<ProfileUiInformation> _profiles;
};

}  // namespace orval
