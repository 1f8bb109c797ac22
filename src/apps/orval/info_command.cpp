// `orval info [--ppd FILE] [--device-uri URI] [--bundle PATH] [--json]`:
// loads the bundle as a print dialog does and shows what it made: the
// panel's name and kind, the bundle, the pane plug-ins with their roles and controls, the
// printer description's product, the print server's host name, the default
// option set and which server lists the printer description holds.
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/orval/bundle_location.h"
#include "apps/orval/commands.h"
#include "apps/orval/json_output.h"
#include "apps/orval/plugin_session.h"
#include "panel/server_list_channel.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "panes/pane_plugin_mgr.h"
#include "panes/ppd_file.h"
#include "settings_ui/kora_ui.h"

namespace orval::cli {
namespace {

struct InfoCommandOptions {
  std::optional<std::string> ppd;
  std::optional<std::string> deviceURI;
  std::optional<std::string> bundle;
  bool json = false;
};

struct PaneInfo {
  std::string name;  // the plug-in table's name (Name or Name+Role)
  std::string bundle;
  std::optional<std::string> role;
  std::string title;
  std::vector<std::string> controls;  // the main keywords of its settings controls, each before its children
};

void appendKeywords(const KORAUI& control, std::vector<std::string>& keywords) {
  keywords.push_back(control.mainKeyword());
  for (const KORAUI* child : control.childControls()) appendKeywords(*child, keywords);
}

struct ServerListInfo {
  std::string name;
  std::optional<std::size_t> entries;  // none: not published
};

std::size_t entryCount(const Value& list) {
  if (const Array* array = list.asArray()) return array->size();
  if (const Dict* dict = list.asDict()) return dict->size();
  return 1;
}

std::string infoString(const Bundle& bundle, const char* key) {
  const std::string* text = bundle.objectForInfoDictionaryKey(key).asString();
  return text != nullptr ? *text : std::string();
}

std::vector<PaneInfo> panes(const PanePlugInMgr& manager) {
  std::vector<PaneInfo> out;
  for (const PanePlugInMgr::PlugInEntry& entry : manager.plugInTable()) {
    PaneInfo pane;
    pane.name = entry.name;
    pane.bundle = entry.bundle ? entry.bundle->bundlePath().filename().string() : std::string();
    if (const std::size_t plus = entry.name.find('+'); plus != std::string::npos)
      pane.role = entry.name.substr(plus + 1);
    if (entry.paneConroller != nullptr) {
      pane.title = entry.paneConroller->panelName();
      if (const std::optional<std::vector<KORAUI*>> controls = entry.paneConroller->getListKORAUI())
        for (const KORAUI* control : *controls) appendKeywords(*control, pane.controls);
    }
    out.push_back(std::move(pane));
  }
  return out;
}

std::vector<ServerListInfo> serverLists(ppd_file_t* ppd) {
  std::vector<ServerListInfo> out;
  for (const std::string& name : PanePlugInMgr::allListCommands()) {
    const std::optional<Value> list = readServerList(ppd, name);
    out.push_back({name, list ? std::optional<std::size_t>(entryCount(*list)) : std::nullopt});
  }
  return out;
}

Json optionalJson(const std::optional<std::string>& text) { return text ? Json(*text) : Json(nullptr); }

// What info shows, gathered while the bundle is loaded.
struct InfoReport {
  std::string panelName;
  std::string panelKind;
  std::string bundlePath;
  std::string identifier;
  std::string version;
  std::string shortVersion;
  std::string printerDescription;
  std::optional<std::string> product;
  std::optional<std::string> deviceURI;
  std::optional<std::string> hostName;
  std::vector<PaneInfo> panes;
  std::vector<ServerListInfo> serverLists;
  PrintOption defaults;
};

InfoReport gatherInfo(const InfoCommandOptions& options) {
  std::shared_ptr<Bundle> bundle = openBundle(options.bundle);
  PlugInSession session(bundle, options.ppd, options.deviceURI);
  WexoPDEByCocoa& panel = session.panel();
  InfoReport report;
  report.panelName = panel.panelName();
  report.panelKind = panel.panelKind();
  report.bundlePath = bundle->bundlePath().string();
  report.identifier = bundle->bundleIdentifier();
  report.version = infoString(*bundle, "CFBundleVersion");
  report.shortVersion = infoString(*bundle, "CFBundleShortVersionString");
  report.printerDescription = session.printerDescriptionPath().string();
  report.product = PpdFile(session.host().ppdFile()).product();
  if (const Printer* printer = session.host().printer()) report.deviceURI = printer->deviceURI();
  report.hostName = panel.hostName();
  report.panes = panes(*panel.panePlugInMgr());
  report.serverLists = serverLists(session.host().ppdFile());
  report.defaults = panel.defaultPrintOption().value_or(PrintOption());
  return report;
}

void printJsonReport(const InfoReport& report) {
  Json paneJson = Json::array();
  for (const PaneInfo& pane : report.panes)
    paneJson.push_back({{"name", pane.name}, {"bundle", pane.bundle}, {"role", optionalJson(pane.role)},
                        {"title", pane.title}, {"controls", pane.controls}});
  Json listJson = Json::array();
  for (const ServerListInfo& list : report.serverLists)
    listJson.push_back({{"name", list.name},
                        {"published", list.entries.has_value()},
                        {"entries", list.entries ? Json(*list.entries) : Json(nullptr)}});
  printJson(std::cout, Json{{"panel", {{"name", report.panelName}, {"kind", report.panelKind}}},
                            {"bundle",
                             {{"path", report.bundlePath},
                              {"identifier", report.identifier},
                              {"version", report.version},
                              {"shortVersion", report.shortVersion}}},
                            {"printerDescription",
                             {{"path", report.printerDescription}, {"product", optionalJson(report.product)}}},
                            {"deviceURI", optionalJson(report.deviceURI)},
                            {"hostName", optionalJson(report.hostName)},
                            {"panes", std::move(paneJson)},
                            {"serverLists", std::move(listJson)},
                            {"defaults", toJson(Value(report.defaults))}});
}

void printTextReport(const InfoReport& report) {
  std::ostream& out = std::cout;
  out << "Panel: " << report.panelName << " (" << report.panelKind << ")\n"
      << "Bundle: " << report.bundlePath << '\n'
      << "  identifier " << report.identifier << ", version " << report.version << " (" << report.shortVersion
      << ")\n"
      << "Printer description: " << report.printerDescription << '\n'
      << "  product " << report.product.value_or("-") << '\n'
      << "Device address: " << report.deviceURI.value_or("-") << '\n'
      << "Print server host: " << report.hostName.value_or("-") << '\n'
      << "Pane plug-ins (" << report.panes.size() << "):\n";
  for (const PaneInfo& pane : report.panes) {
    out << "  " << pane.name << ": " << pane.title;
    if (pane.role) out << " (role " << *pane.role << " of " << pane.bundle << ")";
    out << '\n';
    for (std::size_t i = 0; i < pane.controls.size(); ++i)
      out << (i == 0 ? "    controls: " : ", ") << pane.controls[i] << (i + 1 == pane.controls.size() ? "\n" : "");
  }
  out << "Server lists published in the printer description:\n";
  std::size_t published = 0;
  for (const ServerListInfo& list : report.serverLists) {
    if (!list.entries) continue;
    out << "  " << list.name << " (" << *list.entries << (*list.entries == 1 ? " entry" : " entries") << ")\n";
    ++published;
  }
  if (published == 0) out << "  none\n";
  out << "  (" << report.serverLists.size() - published << " of " << report.serverLists.size()
      << " not published)\n"
      << "Defaults (" << report.defaults.size() << "):\n";
  for (const auto& [key, value] : report.defaults) out << "  " << key << " = " << value.text() << '\n';
}

void runInfoCommand(const InfoCommandOptions& options) {
  // Printed once the bundle is unloaded (see PlugInSession).
  const InfoReport report = gatherInfo(options);
  if (options.json) printJsonReport(report);
  else printTextReport(report);
}

}  // namespace

void addInfoCommand(CLI::App& app) {
  auto options = std::make_shared<InfoCommandOptions>();
  CLI::App* command = app.add_subcommand("info", "Load the plug-in bundle as a print dialog does and show what it made");
  command->add_option("--ppd", options->ppd, "The printer description (default: the bundle's own)")
      ->type_name("FILE");
  command->add_option("--device-uri", options->deviceURI, "The printer's device address")->type_name("URI");
  addBundleOption(*command, &options->bundle);
  addJsonFlag(*command, &options->json);
  command->callback([options] { runInfoCommand(*options); });
}

}  // namespace orval::cli
