#include "pane_plugins/generic_pane_plugin.h"

#include <algorithm>

#include "common/principal_bundle.h"
#include "pane_plugins/pane_binding.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/log.h"
#include "platform/foundation/platform_exception.h"
#include "platform/toolkit/tab_view.h"
#include "platform/toolkit/view.h"
#include "settings_ui/kora_ui.h"

namespace orval {

namespace {

// The height a control is first built with, before it is fitted.
constexpr double kProvisionalHeight = 400;
// The space between two controls of a tab.
constexpr double kSpacing = 8;
// The least height of a control.
constexpr double kMinimumControlHeight = 24;

// Appends the roles that the node, its dependencies and its items (depth
// first) give the bundle named plainName, in the order met.
void collectRoles(const Dict& node, const std::string& plainName, std::vector<std::string>& roles) {
  const auto note = [&](const Value& bundleName) {
    const std::string* name = bundleName.asString();
    if (name == nullptr) return;
    const std::size_t plus = name->find('+');
    if (plus != std::string::npos && name->compare(0, plus, plainName) == 0 && plus == plainName.size())
      roles.push_back(name->substr(plus + 1));
  };
  note(node.get("bundleName"));
  if (const Dict* dependency = node.get("dependency").asDict()) {
    for (const auto& [key, entry] : *dependency) {
      if (key == "mainKeyword") continue;
      if (const Dict* dependent = entry.asDict()) note(dependent->get("bundleName"));
    }
  }
  if (const Array* items = node.get("items").asArray())
    for (const Value& item : *items)
      if (const Dict* child = item.asDict()) collectRoles(*child, plainName, roles);
}

// The height control needs: its description's height, or what its widgets
// (placed down from its top edge) take, whichever is more.
double neededHeight(const KORAUI& control) {
  double lowest = control.frame().height;
  for (const tk::View* subview : control.subviews()) lowest = std::min(lowest, subview->frame().y);
  return std::max({control.getControlHeight(), control.frame().height - lowest, kMinimumControlHeight});
}

}  // namespace

GenericPanePlugIn::GenericPanePlugIn() = default;

GenericPanePlugIn::~GenericPanePlugIn() = default;

std::optional<std::string> GenericPanePlugIn::roleBeingLoaded(const std::string& plainName, PanePlugInMgr& manager) {
  const Dict* tree = manager.panesTreeDictionary();
  if (tree == nullptr) return std::nullopt;
  std::vector<std::string> roles;
  collectRoles(*tree, plainName, roles);
  for (const std::string& role : roles)
    if (manager.paneControllerNamed(plainName + "+" + role) == nullptr) return role;
  return std::nullopt;
}

bool GenericPanePlugIn::initializePanel(std::shared_ptr<Bundle> bundle, PanePlugInMgr& callback) {
  if (!bundle) return false;
  _bundle = std::move(bundle);
  _plainName = _bundle->bundlePath().stem().string();
  _roleName = roleBeingLoaded(_plainName, callback);
  const std::string tableName = _roleName ? _plainName + "+" + *_roleName : _plainName;

  std::string error;
  const std::optional<PaneLayout> layout = PaneLayout::fromBundle(*_bundle, _roleName, &error);
  if (!layout) {
    logMessage("###Error: pane plug-in " + tableName + ": " + error);
    return false;
  }
  // The controls' texts and icons are the UI description's, shipped by the main bundle.
  std::shared_ptr<Bundle> controlBundle = BSPrincipalBundle();
  if (!controlBundle) controlBundle = _bundle;
  const std::shared_ptr<const Dict> uiDescription = callback.uiDescription();
  if (!uiDescription) {
    logMessage("###Error:UISetting Plist file not found!");
    return false;
  }

  _panelName = _bundle->localizedString(layout->panelName);
  _buildView(*layout);
  try {
    const std::vector<KORAUI*> named = getKORAUIControls(*_view);
    _controls = setupKORAUIControls(named, uiDescription, controlBundle, _plainName);
    for (KORAUI* control : named)
      if (std::find(_controls.begin(), _controls.end(), control) == _controls.end()) control->removeFromSuperview();
    _layOut();
    registerKORAUIControls(callback, _controls);
  } catch (const PlatformException& e) {
    logMessage("###Exception while building the pane " + tableName + ": " + e.reason());
  }
  return true;
}

void GenericPanePlugIn::_buildView(const PaneLayout& layout) {
  _view = std::make_unique<tk::View>(tk::Rect{0, 0, kPaneWidth, kProvisionalHeight + kTabRowHeight});
  _view->setIdentifier(_plainName);
  _tabView = &_view->add(std::make_unique<tk::TabView>(_view->bounds()));
  for (const PaneTab& tab : layout.tabs) {
    auto item = std::make_unique<tk::TabViewItem>(Value(tab.identifier));
    item->setLabel(_bundle->localizedString(tab.label));
    auto content = std::make_unique<tk::View>(tk::Rect{0, 0, kPaneWidth, kProvisionalHeight});
    for (const std::string& name : tab.controls) {
      auto control = std::make_unique<KORAUI>(
          tk::Rect{kMargin, 0, kPaneWidth - 2 * kMargin, kProvisionalHeight});
      control->setToolTip(name);
      control->setIdentifier(name);
      content->addSubview(std::move(control));
    }
    item->setView(std::move(content));
    _tabView->addTabViewItem(std::move(item));
  }
}

void GenericPanePlugIn::_layOut() {
  const std::vector<tk::TabViewItem*> items = _tabView->tabViewItems();
  double contentHeight = 0;
  for (tk::TabViewItem* item : items) {
    double height = kMargin;
    for (tk::View* subview : item->view()->subviews()) {
      auto* control = dynamic_cast<KORAUI*>(subview);
      if (control == nullptr) continue;
      const double needed = neededHeight(*control);
      if (needed != control->frame().height) {
        control->setFrameSize({control->frame().width, needed});
        control->updateControl(_plainName);
      }
      height += control->frame().height + kSpacing;
    }
    contentHeight = std::max(contentHeight, height - kSpacing + kMargin);
  }
  for (tk::TabViewItem* item : items) {
    tk::View& content = *item->view();
    content.setFrameSize({kPaneWidth, contentHeight});
    double top = contentHeight - kMargin;
    for (tk::View* subview : content.subviews()) {
      top -= subview->frame().height;
      subview->setFrameOrigin({kMargin, top});
      top -= kSpacing;
    }
  }
  _view->setFrameSize({kPaneWidth, contentHeight + kTabRowHeight});
  _tabView->setFrame(_view->bounds());
}

std::string GenericPanePlugIn::panelName() { return _panelName; }

tk::View* GenericPanePlugIn::panelView() { return _view.get(); }

std::optional<std::vector<KORAUI*>> GenericPanePlugIn::getListKORAUI() { return _controls; }

}  // namespace orval
