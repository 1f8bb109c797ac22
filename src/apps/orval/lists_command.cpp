// `orval lists`: the server lists a printer queue publishes into its printer
// description (trays, stackers, devices, profiles, fonts, job resources).
//
//   orval lists show NAME [--ppd FILE] [--bundle PATH] [--json]
//     prints list NAME of the printer description (the bundle's own unless
//     --ppd names another) as a property list (XML), or as JSON.
//   orval lists publish --out OUT [--ppd IN] [--xml] [--bundle PATH] [--json] NAME=FILE...
//     writes a copy of the printer description IN (the bundle's own unless
//     given) to OUT with each property-list FILE published as list NAME, in
//     the attribute layout the panel reads. IN is never written; OUT is
//     written atomically and left untouched on any failure.
//   orval lists refresh [--printer QUEUE] [--server HOST] [--timeout SECONDS] [--json]
//     asks a TZ Print Server queue for every server list (one "ReportLevels"
//     command job each), waits for them within the timeout, and tells which
//     lists the queue's printer description then holds.
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/orval/bundle_location.h"
#include "apps/orval/commands.h"
#include "apps/orval/cups_destination.h"
#include "apps/orval/json_output.h"
#include "apps/orval/plugin_session.h"
#include "panel/server_list_channel.h"
#include "panel/server_list_publisher.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/file_manager.h"
#include "platform/foundation/plist.h"
#include "platform/print/printer_description.h"

namespace orval::cli {
namespace {

namespace fs = std::filesystem;

struct ListsShowOptions {
  std::string name;
  std::optional<std::string> ppd;
  std::optional<std::string> bundle;
  bool json = false;
};

struct ListsPublishOptions {
  std::vector<std::string> lists;
  std::optional<std::string> ppd;
  std::string out;
  bool xml = false;
  std::optional<std::string> bundle;
  bool json = false;
};

struct ListsRefreshOptions {
  DestinationOptions destination;
  std::optional<std::string> bundle;
  bool json = false;
};

// The printer description a lists command reads: --ppd, else the bundle's own.
fs::path sourceDescription(const std::optional<std::string>& ppd, const std::optional<std::string>& bundle) {
  if (ppd) return *ppd;
  return printerDescriptionFor(*openBundle(bundle), std::nullopt);
}

void runListsShow(const ListsShowOptions& options) {
  const fs::path path = sourceDescription(options.ppd, options.bundle);
  std::string error;
  const std::unique_ptr<PrinterDescription> description = PrinterDescription::open(path, &error);
  if (!description) throw CommandError(error);
  const std::optional<Value> list = readServerList(description->handle(), options.name);
  if (!list)
    throw CommandError("the printer description " + path.string() + " has no server list \"" + options.name + "\"");
  if (options.json) {
    printJson(std::cout, Json{{"printerDescription", path.string()}, {"name", options.name}, {"list", toJson(*list)}});
  } else {
    std::cout << plistToXml(*list);
  }
}

void runListsPublish(const ListsPublishOptions& options) {
  Dict lists;
  std::vector<std::string> names;
  for (const std::string& argument : options.lists) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos || equals == 0 || equals + 1 == argument.size())
      throw CommandError("a list is given as NAME=FILE, not \"" + argument + "\"");
    const std::string name = argument.substr(0, equals);
    const fs::path file = argument.substr(equals + 1);
    if (lists.contains(name)) throw CommandError("the list \"" + name + "\" is given twice");
    // A list larger than the panel inflates is none; a pipe or a device is refused unread.
    std::string error;
    const std::optional<std::string> bytes =
        files::readFile(file, files::FileKind{"server list", kServerListMaxBytes}, &error);
    if (!bytes) throw CommandError(error);
    std::optional<Value> list = plistFromBytes(*bytes, &error);
    if (!list) throw CommandError(file.string() + ": not a property list" + (error.empty() ? "" : " (" + error + ")"));
    lists.set(name, std::move(*list));
    names.push_back(name);
  }
  const fs::path source = sourceDescription(options.ppd, options.bundle);
  ServerListPublishOptions publishOptions;
  publishOptions.format = options.xml ? ServerListFormat::Xml : ServerListFormat::Binary;
  std::string error;
  if (!publishServerListsToFile(source, options.out, lists, publishOptions, &error)) throw CommandError(error);

  if (options.json) {
    Json published = Json::array();
    for (const std::string& name : names) published.push_back(name);
    printJson(std::cout, Json{{"printerDescription", source.string()}, {"output", options.out}, {"lists", published}});
  } else {
    std::cout << "Published " << names.size() << (names.size() == 1 ? " list" : " lists") << " into " << options.out
              << ':';
    for (const std::string& name : names) std::cout << ' ' << name;
    std::cout << '\n';
  }
}

void runListsRefresh(const ListsRefreshOptions& options) {
  const std::shared_ptr<Bundle> bundle = openBundle(options.bundle);
  const std::unique_ptr<CupsPrintHost> host = connectTzQueue(options.destination, *bundle);
  const std::vector<std::string>& names = PanePlugInMgr::allListCommands();
  std::string error;
  if (!host->sendCommands("ReportLevels", names, &error)) throw CommandError(error);
  if (!host->refreshPrinterDescription(nullptr, &error)) throw CommandError(error);

  std::vector<std::string> published;
  std::vector<std::string> missing;
  for (const std::string& name : names)
    (readServerList(host->host().ppdFile(), name) ? published : missing).push_back(name);
  if (options.json) {
    printJson(std::cout, Json{{"queue", host->queue()}, {"server", host->server()}, {"published", published},
                              {"missing", missing}});
    return;
  }
  std::cout << "Queue " << host->queue() << " on " << host->server() << " holds " << published.size() << " of "
            << names.size() << " server lists:";
  for (const std::string& name : published) std::cout << ' ' << name;
  std::cout << '\n';
  if (!missing.empty()) {
    std::cout << "The print server offers none of:";
    for (const std::string& name : missing) std::cout << ' ' << name;
    std::cout << '\n';
  }
}

}  // namespace

void addListsCommand(CLI::App& app) {
  CLI::App* lists = app.add_subcommand("lists", "Show, publish or refresh the server lists of a printer description");
  lists->require_subcommand(1);

  auto show = std::make_shared<ListsShowOptions>();
  CLI::App* showCommand = lists->add_subcommand("show", "Print one server list");
  showCommand->add_option("name", show->name, "The list's name (e.g. StackerInfoList)")->required();
  showCommand->add_option("--ppd", show->ppd, "The printer description (default: the bundle's own)")
      ->type_name("FILE");
  addBundleOption(*showCommand, &show->bundle);
  addJsonFlag(*showCommand, &show->json);
  showCommand->callback([show] { runListsShow(*show); });

  auto publish = std::make_shared<ListsPublishOptions>();
  CLI::App* publishCommand =
      lists->add_subcommand("publish", "Write a copy of a printer description with server lists published in it");
  publishCommand->add_option("lists", publish->lists, "A list and its property-list file")
      ->type_name("NAME=FILE")
      ->required();
  publishCommand->add_option("--ppd", publish->ppd, "The printer description copied (default: the bundle's own)")
      ->type_name("IN");
  publishCommand->add_option("--out", publish->out, "The printer description written")->type_name("OUT")->required();
  publishCommand->add_flag("--xml", publish->xml, "Publish the lists as XML property lists (default: binary)");
  addBundleOption(*publishCommand, &publish->bundle);
  addJsonFlag(*publishCommand, &publish->json);
  publishCommand->callback([publish] { runListsPublish(*publish); });

  auto refresh = std::make_shared<ListsRefreshOptions>();
  CLI::App* refreshCommand =
      lists->add_subcommand("refresh", "Have a TZ Print Server queue publish every server list");
  addDestinationOptions(*refreshCommand, &refresh->destination);
  addBundleOption(*refreshCommand, &refresh->bundle);
  addJsonFlag(*refreshCommand, &refresh->json);
  refreshCommand->callback([refresh] { runListsRefresh(*refresh); });
}

}  // namespace orval::cli
