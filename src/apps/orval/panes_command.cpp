// `orval panes [--set KEY=VALUE]... [--tree] [--ppd FILE] [--device-uri URI] [--bundle PATH] [--json]`:
// the "Detailed Settings" window as a person would read it. The bundle is
// loaded as a print dialog loads it and the window is set up; every pane is
// shown with its tabs (nested tabs indented) and controls: key, title, the
// value as shown and as kept, choices, enabled and hidden. Then the
// detailed-settings tree: every node of the panes tree, with "*" on the
// settings whose values differ from the defaults. --set changes settings
// first (through the settings engine, conflicts resolved silently), so that
// the marks show; --tree prints the tree alone.
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/orval/bundle_location.h"
#include "apps/orval/commands.h"
#include "apps/orval/control_json.h"
#include "apps/orval/json_output.h"
#include "apps/orval/plugin_session.h"
#include "apps/orval/tree_json.h"
#include "detailed_settings/detailed_settings_win_controller.h"
#include "detailed_settings/print_option_tree_data_source.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/matrix.h"
#include "platform/toolkit/outline_view.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/tab_view.h"
#include "platform/toolkit/text_field.h"
#include "settings_ui/kora_ui.h"

namespace orval::cli {
namespace {

struct PanesCommandOptions {
  std::vector<std::string> settings;
  bool treeOnly = false;
  std::optional<std::string> ppd;
  std::optional<std::string> deviceURI;
  std::optional<std::string> bundle;
  bool json = false;
};

// A classic control: its key and title come from its represented dictionary.
Json classicControlJson(tk::Control& control, const PanePlugInMgr& manager) {
  const Dict* represented = control.representedObject().asDict();
  Json choices = Json::array();
  std::string shown;
  if (auto* popup = dynamic_cast<tk::PopUpButton*>(&control)) {
    for (const tk::MenuItem* item : popup->itemArray())
      choices.push_back({{"value", PanePlugInMgr::representedObjectOfMenuItem(item, "optionKeyword").text()},
                         {"title", item->title()}});
    shown = popup->titleOfSelectedItem();
  } else {
    if (const Array* keywords = represented->get("optionKeywords").asArray())
      for (const Value& keyword : *keywords) choices.push_back({{"value", keyword.text()}, {"title", keyword.text()}});
    if (auto* button = dynamic_cast<tk::Button*>(&control)) shown = button->state() == tk::ControlState::On ? "on" : "off";
    else if (auto* matrix = dynamic_cast<tk::Matrix*>(&control)) shown = matrix->selectedCell() ? matrix->selectedCell()->title() : "";
    else if (dynamic_cast<tk::SecureTextField*>(&control) == nullptr) shown = control.stringValue();
  }
  const Value value = manager.getValueFromControl(&control);
  return {{"key", represented->get("mainKeyword").text()},
          {"title", represented->get("title").text()},
          {"kind", "classic " + control.className()},
          {"value", value.isNull() ? Json(nullptr) : Json(value.text())},
          {"shown", shown},
          {"choices", std::move(choices)},
          {"enabled", control.isEnabled()},
          {"hidden", control.isHidden()},
          {"children", Json::array()}};
}

Json tabsJson(const tk::TabView& tabs, const PanePlugInMgr& manager);

// The controls on a tab's view, top to bottom, and its nested tabs.
Json tabJson(const tk::TabViewItem& tab, const PanePlugInMgr& manager) {
  Json controls = Json::array();
  Json nested = Json::array();
  for (tk::View* view : tab.view()->subviews()) {
    if (auto* control = dynamic_cast<KORAUI*>(view)) {
      controls.push_back(settingsControlJson(*control));
    } else if (const auto* inner = dynamic_cast<const tk::TabView*>(view)) {
      nested = tabsJson(*inner, manager);
    } else if (auto* classic = dynamic_cast<tk::Control*>(view);
               classic != nullptr && classic->representedObject().asDict() != nullptr &&
               classic->representedObject().asDict()->contains("mainKeyword")) {
      controls.push_back(classicControlJson(*classic, manager));
    }
  }
  return {{"identifier", tab.identifier().text()}, {"label", tab.label()}, {"controls", std::move(controls)},
          {"tabs", std::move(nested)}};
}

Json tabsJson(const tk::TabView& tabs, const PanePlugInMgr& manager) {
  Json out = Json::array();
  for (const tk::TabViewItem* tab : tabs.tabViewItems()) out.push_back(tabJson(*tab, manager));
  return out;
}

// The window's panes: one per tab of its tab view, its view lent to the tab.
Json panesJson(const tk::TabView& window, const PanePlugInMgr& manager) {
  Json panes = Json::array();
  for (const tk::TabViewItem* tab : window.tabViewItems()) {
    const tk::View* holder = tab->view();
    const auto* pane = holder->subviewCount() > 0 ? dynamic_cast<const tk::TabView*>(holder->subviews().front()) : nullptr;
    panes.push_back({{"bundle", tab->identifier().text()},
                     {"name", tab->label()},
                     {"tabs", pane != nullptr ? tabsJson(*pane, manager) : Json::array()}});
  }
  return panes;
}


// Sets KEY=VALUE through the engine; throws CommandError for a malformed or unknown setting.
void applySetting(PanePlugInMgr& manager, const std::string& setting) {
  const std::size_t equals = setting.find('=');
  if (equals == std::string::npos || equals == 0) throw CommandError("--set takes KEY=VALUE, not \"" + setting + "\"");
  const std::string key = setting.substr(0, equals);
  if (manager.koraMgr().getControlsDictionary().find(key) == nullptr)
    throw CommandError("no pane shows the setting \"" + key + "\"");
  manager.setStringValueWithRestoreConfliction(setting.substr(equals + 1), key);
}

Json gatherReport(const PanesCommandOptions& options) {
  std::shared_ptr<Bundle> bundle = openBundle(options.bundle);
  PlugInSession session(bundle, options.ppd, options.deviceURI);
  PanePlugInMgr& manager = *session.panel().panePlugInMgr();
  for (const std::string& setting : options.settings) applySetting(manager, setting);

  DetailedSettingsWinController& controller = DetailedSettingsWinController::sharedInstance();
  if (controller.window() == nullptr || controller.tabView() == nullptr)
    throw CommandError("the bundle's Detailed Settings window cannot be opened");
  Json report = Json::object();
  report["window"] = controller.window()->title();
  if (!options.treeOnly) report["panes"] = panesJson(*controller.tabView(), manager);

  tk::OutlineView outline;
  outline.addTableColumn(std::make_unique<tk::TableColumn>("name"));
  PrintOptionTreeDataSource source;
  source.setOutlineView(&outline, false);
  source.updatePrintOption(manager.gatherPrintOptionValues(std::nullopt, false, false, false), false);
  source.markDifferedWithDefault(manager.defaultSettings(), true);
  report["tree"] = treeJson(source, outline, nullptr);
  return report;
}

void printTabs(std::ostream& out, const Json& tabs, const std::string& indent) {
  for (const Json& tab : tabs) {
    out << indent << "[" << tab["label"].get<std::string>() << "]";
    if (tab["identifier"] != tab["label"]) out << " (" << tab["identifier"].get<std::string>() << ")";
    out << '\n';
    for (const Json& control : tab["controls"]) printControl(out, control, indent + "  ");
    printTabs(out, tab["tabs"], indent + "  ");
  }
}


void runPanesCommand(const PanesCommandOptions& options) {
  // Printed once the bundle is unloaded (see PlugInSession).
  const Json report = gatherReport(options);
  if (options.json) {
    printJson(std::cout, report);
    return;
  }
  if (!options.treeOnly) {
    std::cout << report["window"].get<std::string>() << '\n';
    for (const Json& pane : report["panes"]) {
      std::cout << pane["name"].get<std::string>() << " (" << pane["bundle"].get<std::string>() << ")\n";
      printTabs(std::cout, pane["tabs"], "  ");
    }
    std::cout << "Tree (* differs from the default):\n";
  }
  printTree(std::cout, report["tree"], "");
}

}  // namespace

Json treeJson(PrintOptionTreeDataSource& source, tk::OutlineView& outline, tk::OutlineItem item) {
  Json nodes = Json::array();
  const int count = source.numberOfChildrenOfItem(outline, item);
  for (int i = 0; i < count; ++i) {
    tk::OutlineItem child = source.child(outline, i, item);
    const PrintOptionTreeDataSource::Row row = source.rowOf(child);
    nodes.push_back({{"text", row.text},
                     {"differs", row.differs},
                     {"expanded", outline.isItemExpanded(child)},
                     {"children", treeJson(source, outline, child)}});
  }
  return nodes;
}

void printTree(std::ostream& out, const Json& nodes, const std::string& indent) {
  for (const Json& node : nodes) {
    out << indent << (node["differs"].get<bool>() ? "* " : "  ") << node["text"].get<std::string>() << '\n';
    printTree(out, node["children"], indent + "  ");
  }
}

void addPanesCommand(CLI::App& app) {
  auto options = std::make_shared<PanesCommandOptions>();
  CLI::App* command =
      app.add_subcommand("panes", "Show the Detailed Settings window: every pane's tabs and controls, and the tree");
  command->add_option("--set", options->settings, "Change a setting first (repeatable)")->type_name("KEY=VALUE");
  command->add_flag("--tree", options->treeOnly, "Show the detailed-settings tree alone");
  command->add_option("--ppd", options->ppd, "The printer description (default: the bundle's own)")
      ->type_name("FILE");
  command->add_option("--device-uri", options->deviceURI, "The printer's device address")->type_name("URI");
  addBundleOption(*command, &options->bundle);
  addJsonFlag(*command, &options->json);
  command->callback([options] { runPanesCommand(*options); });
}

}  // namespace orval::cli
