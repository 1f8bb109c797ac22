#include "pane_plugins/generic_pane_plugin.h"

#include <algorithm>

#include "common/control_helpers.h"
#include "common/notify_unit.h"
#include "common/principal_bundle.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/log.h"
#include "platform/foundation/platform_exception.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/matrix.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/slider.h"
#include "platform/toolkit/tab_view.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/view.h"
#include "settings_ui/kora_ui.h"

namespace orval {

namespace {

// The height a settings control is first built with, before it is fitted.
constexpr double kProvisionalHeight = 400;
// The space between two views of a tab.
constexpr double kSpacing = 8;
// The least height of a settings control.
constexpr double kMinimumControlHeight = 24;
// Heights of the classic controls' parts.
constexpr double kLabelHeight = 17;
constexpr double kPopUpHeight = 26;
constexpr double kCheckBoxHeight = 18;
constexpr double kSliderHeight = 28;
constexpr double kRadioRowHeight = 20;
constexpr double kTextFieldHeight = 22;

// The height control needs: its description's height, or what its widgets
// (placed down from its top edge) take, whichever is more.
double neededHeight(const KORAUI& control) {
  double lowest = control.frame().height;
  for (const tk::View* subview : control.subviews()) lowest = std::min(lowest, subview->frame().y);
  return std::max({control.getControlHeight(), control.frame().height - lowest, kMinimumControlHeight});
}

// The tab view among content's subviews (the nested one), or nullptr.
tk::TabView* nestedTabView(const tk::View& content) {
  tk::TabView* found = nullptr;
  for (tk::View* subview : content.subviews())
    if (auto* tabs = dynamic_cast<tk::TabView*>(subview)) found = tabs;
  return found;
}

}  // namespace

GenericPanePlugIn::GenericPanePlugIn() = default;

GenericPanePlugIn::~GenericPanePlugIn() = default;

bool GenericPanePlugIn::initializePanel(std::shared_ptr<Bundle> bundle, PanePlugInMgr& callback) {
  if (!bundle) return false;
  _bundle = std::move(bundle);
  _manager = &callback;
  _plainName = _bundle->bundlePath().stem().string();
  _roleName = callback.roleName(this);
  const std::string tableName = _roleName ? _plainName + "+" + *_roleName : _plainName;

  std::string error;
  const std::optional<PaneLayout> layout = PaneLayout::fromBundle(*_bundle, _roleName, &error);
  if (!layout) {
    logMessage("###Error: pane plug-in " + tableName + ": " + error);
    return false;
  }
  const Dict* uiDescription = callback.controlDictionary();
  if (uiDescription == nullptr) return false;
  // The controls' texts and icons are the UI description's, shipped by the main bundle.
  std::shared_ptr<Bundle> controlBundle = BSPrincipalBundle();
  if (!controlBundle) controlBundle = _bundle;

  _panelName = _bundle->localizedString(layout->panelName);
  _tabView = std::make_unique<tk::TabView>(tk::Rect{0, 0, kPaneWidth, kProvisionalHeight});
  _tabView->setIdentifier(tableName);
  for (const PaneTab& tab : layout->tabs) {
    auto item = std::make_unique<tk::TabViewItem>(Value(tab.identifier));
    item->setLabel(_bundle->localizedString(tab.label));
    item->setView(_buildTab(tab, kPaneWidth));
    _tabView->addTabViewItem(std::move(item));
  }
  try {
    std::vector<KORAUI*> named;
    for (tk::TabViewItem* item : _tabView->tabViewItems()) {
      const std::vector<KORAUI*> inTab = PanePlugInMgr::getKORAUIControls(item->view());
      named.insert(named.end(), inTab.begin(), inTab.end());
    }
    KORAUIControlTable bound;
    callback.setupKORAUIControls(&named, uiDescription, &bound, controlBundle, _plainName);
    // A control whose name the description lacks was bound to nothing: it is left out.
    for (KORAUI* control : named) {
      if (control->mainKeyword().empty()) control->removeFromSuperview();
      else _controls.push_back(control);
    }
    _layOut();
    callback.buildPaneUi(this, _bundle);
  } catch (const PlatformException& e) {
    logMessage("###Exception while building the pane " + tableName + ": " + e.reason());
  }
  return true;
}

// Building -------------------------------------------------------------------------------------------

std::unique_ptr<tk::View> GenericPanePlugIn::_buildTab(const PaneTab& tab, double width) {
  auto content = std::make_unique<tk::View>(tk::Rect{0, 0, width, kProvisionalHeight});
  content->setIdentifier(tab.identifier);
  for (const PaneItem& entry : tab.items) {
    if (entry.classic) {
      _buildClassic(*entry.classic, *content, width);
      continue;
    }
    auto control = std::make_unique<KORAUI>(tk::Rect{kMargin, 0, width - 2 * kMargin, kProvisionalHeight});
    control->setToolTip(entry.name);
    control->setIdentifier(entry.name);
    content->addSubview(std::move(control));
  }
  if (!tab.tabs.empty()) {
    const double inner = width - 2 * kMargin;
    auto nested = std::make_unique<tk::TabView>(tk::Rect{kMargin, 0, inner, kProvisionalHeight});
    nested->setIdentifier(tab.identifier);
    for (const PaneTab& child : tab.tabs) {
      auto item = std::make_unique<tk::TabViewItem>(Value(child.identifier));
      item->setLabel(_bundle->localizedString(child.label));
      item->setView(_buildTab(child, inner));
      nested->addTabViewItem(std::move(item));
    }
    content->addSubview(std::move(nested));
  }
  return content;
}

void GenericPanePlugIn::_buildClassic(const PaneClassicControl& classic, tk::View& content, double width) {
  const double w = width - 2 * kMargin;
  const std::string title = classic.title.empty() ? std::string() : _bundle->localizedString(classic.title);
  const std::vector<std::string>& choices = classic.choices;
  std::vector<std::string> titles;
  for (const std::string& key : classic.titles) titles.push_back(_bundle->localizedString(key));
  Array choiceValues;
  for (const std::string& choice : choices) choiceValues.push_back(Value(choice));
  Dict represented{{"mainKeyword", Value(classic.key)}, {"title", Value(title)}};
  if (!choices.empty()) represented.set("optionKeywords", choiceValues);

  if (!title.empty() && classic.kind != "CheckBox") {
    auto label = tk::TextField::makeLabel(controlTitleString(title), {kMargin, 0, w, kLabelHeight});
    label->setIdentifier(classic.key + "_title");
    content.addSubview(std::move(label));
  }
  std::unique_ptr<tk::Control> control;
  if (classic.kind == "PopUpButton" || classic.kind == "ProfilePopUpButton") {
    auto popup = std::make_unique<tk::PopUpButton>(tk::Rect{kMargin, 0, w, kPopUpHeight});
    for (std::size_t i = 0; i < choices.size(); ++i)
      PanePlugInMgr::addMenuItem(popup.get(), classic.key, titles[i], choices[i]);
    // Without choices of its own, the pop-up shows the printer description's.
    if (classic.kind == "PopUpButton" && choices.empty() && !_manager->_buildControl(popup.get(), classic.key, nullptr))
      logMessage("###Error: pane plug-in " + _plainName + ": no choices for " + classic.key);
    if (classic.kind == "ProfilePopUpButton")
      _profiles.push_back({classic.key, classic.format, classic.max, popup.get()});
    control = std::move(popup);
  } else if (classic.kind == "CheckBox") {
    auto box = std::make_unique<tk::Button>(tk::Rect{kMargin, 0, w, kCheckBoxHeight}, tk::ButtonType::Switch);
    box->setTitle(title);
    control = std::move(box);
  } else if (classic.kind == "Slider") {
    auto slider = std::make_unique<tk::Slider>(tk::Rect{kMargin, 0, w, kSliderHeight});
    const int count = static_cast<int>(choices.size());
    slider->setMaxValue(std::max(0, count - 1));
    slider->setNumberOfTickMarks(count);
    slider->setAllowsTickMarkValuesOnly(count > 1);
    control = std::move(slider);
  } else if (classic.kind == "RadioButtons") {
    const int rows = static_cast<int>(choices.size());
    auto matrix = std::make_unique<tk::Matrix>(tk::Rect{kMargin, 0, w, kRadioRowHeight * std::max(rows, 1)}, rows, 1);
    for (int row = 0; row < rows; ++row) {
      tk::ButtonCell* cell = matrix->cellAtRow(row, 0);
      cell->setTitle(titles[static_cast<std::size_t>(row)]);
      cell->setRepresentedObject(Value(choices[static_cast<std::size_t>(row)]));
    }
    control = std::move(matrix);
  } else {
    std::unique_ptr<tk::TextField> field =
        classic.kind == "SecureTextField" ? std::make_unique<tk::SecureTextField>(tk::Rect{kMargin, 0, w, kTextFieldHeight})
                                          : std::make_unique<tk::TextField>(tk::Rect{kMargin, 0, w, kTextFieldHeight});
    field->setSendsActionOnEndEditing(true);
    control = std::move(field);
  }
  control->setIdentifier(classic.key);
  control->setRepresentedObject(Value(std::move(represented)));
  control->setAction(kClassicAction, [this](tk::Control& sender) { _classicControlChanged(sender); });
  _classics.push_back({control.get(), classic.key});
  content.addSubview(std::move(control));
}

// Layout -----------------------------------------------------------------------------------------------

double GenericPanePlugIn::_measure(tk::View& content, double width) {
  double height = 2 * kMargin;
  int count = 0;
  for (tk::View* view : content.subviews()) {
    if (auto* tabs = dynamic_cast<tk::TabView*>(view)) {
      double inner = 0;
      for (tk::TabViewItem* item : tabs->tabViewItems())
        inner = std::max(inner, _measure(*item->view(), width - 2 * kMargin));
      height += inner + kTabRowHeight;
    } else {
      if (auto* control = dynamic_cast<KORAUI*>(view)) {
        const double needed = neededHeight(*control);
        if (needed != control->frame().height || control->frame().width != width - 2 * kMargin) {
          control->setFrameSize({width - 2 * kMargin, needed});
          control->updateControl(_plainName);
        }
      } else {
        view->setFrameSize({width - 2 * kMargin, view->frame().height});
      }
      height += view->frame().height;
    }
    ++count;
  }
  if (count > 1) height += kSpacing * (count - 1);
  return height;
}

void GenericPanePlugIn::_place(tk::View& content, double width, double height) {
  double top = height - kMargin;
  tk::TabView* nested = nestedTabView(content);
  for (tk::View* view : content.subviews()) {
    if (view == nested) continue;
    top -= view->frame().height;
    view->setFrameOrigin({kMargin, top});
    top -= kSpacing;
  }
  if (nested == nullptr) return;
  const double inner = width - 2 * kMargin;
  double innerHeight = 0;
  for (tk::TabViewItem* item : nested->tabViewItems()) innerHeight = std::max(innerHeight, _measure(*item->view(), inner));
  const double nestedHeight = innerHeight + kTabRowHeight;
  nested->setFrame({kMargin, top - nestedHeight, inner, nestedHeight});
  for (tk::TabViewItem* item : nested->tabViewItems()) {
    item->view()->setFrame({0, 0, inner, nestedHeight});
    _place(*item->view(), inner, innerHeight);
  }
}

void GenericPanePlugIn::_layOut() {
  double innerHeight = 0;
  for (tk::TabViewItem* item : _tabView->tabViewItems())
    innerHeight = std::max(innerHeight, _measure(*item->view(), kPaneWidth));
  _tabView->setFrame({0, 0, kPaneWidth, innerHeight + kTabRowHeight});
  for (tk::TabViewItem* item : _tabView->tabViewItems()) {
    item->view()->setFrame(_tabView->bounds());
    _place(*item->view(), kPaneWidth, innerHeight);
  }
}

// Values of the classic controls ------------------------------------------------------------------------

void GenericPanePlugIn::_showEngineValues() {
  if (_manager == nullptr) return;
  for (const Classic& classic : _classics) {
    if (_manager->koraMgr().getControlsDictionary().find(classic.key) == nullptr) continue;
    if (const std::optional<std::string> value = _manager->getStringValueFromKey(classic.key))
      _manager->_setValueToControl(classic.control, Value(*value));
  }
}

void GenericPanePlugIn::_classicControlChanged(tk::Control& control) {
  if (_manager == nullptr) return;
  const auto found = std::find_if(_classics.begin(), _classics.end(),
                                  [&control](const Classic& classic) { return classic.control == &control; });
  if (found == _classics.end()) return;
  const std::string key = found->key;
  if (_manager->koraMgr().getControlsDictionary().find(key) == nullptr) return;
  const std::string value = PanePlugInMgr::_stringFromObject(_manager->getValueFromControl(&control));
  _manager->setStringValue(value, key);
  NotifyUnit::postNotificationName(key, Dict{{"Paramater", Value(value)}});
  // The engine may have kept another value (a conflict): show what it holds.
  _showEngineValues();
}

// PanePlugInInterface ------------------------------------------------------------------------------------

std::string GenericPanePlugIn::panelName() { return _panelName; }

tk::View* GenericPanePlugIn::panelView() {
  _showEngineValues();
  return _tabView.get();
}

std::optional<std::vector<KORAUI*>> GenericPanePlugIn::getListKORAUI() { return _controls; }

std::optional<std::vector<ProfileUiInformation>> GenericPanePlugIn::profileUiInformations() {
  if (_profiles.empty()) return std::nullopt;
  return _profiles;
}

void GenericPanePlugIn::writeAutomaticPapaerTraySelection() { _showEngineValues(); }

}  // namespace orval
