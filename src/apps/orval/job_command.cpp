// The job commands that look: `orval show`, `orval ticket`, `orval why KEY`.
//
// show: the main pane as a person sees it (its shortcut controls with title,
// value, choices, enabled and hidden; the job name; the summary). ticket: what
// the ticket file holds, exactly as stored. why: why a setting is disabled or
// hidden right now, from the engine's own records of who disabled it.
#include <iostream>
#include <memory>

#include "apps/orval/commands.h"
#include "apps/orval/control_json.h"
#include "apps/orval/job_commands.h"
#include "apps/orval/job_session.h"
#include "panel/print_settings_ticket.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/print/ticket_file.h"
#include "platform/toolkit/text_field.h"
#include "settings_ui/kora_ui.h"

namespace orval::cli {

namespace {

// The engine's records of the control's enabling, and the tables that hide it.
Json whyJson(PanePlugInMgr& manager, const std::string& key) {
  const KORAControlRegistry& registry = manager.koraMgr().getControlsDictionary();
  KORAUI* control = registry.primary(key);
  if (control == nullptr) throw CommandError("no control shows the setting \"" + key + "\"");
  const auto source = [&manager](const std::string& keyword) {
    const std::optional<std::string> value = manager.getStringValueFromKey(keyword);
    return Json{{"key", keyword}, {"value", value ? Json(*value) : Json(nullptr)}};
  };
  Json disabledBy = Json::array();
  bool byLogicalSum = false;
  for (const std::string& keyword : control->theNameOfDisabledKey()) {
    if (registry.find(keyword) == nullptr) byLogicalSum = true;  // the logical sum's own source
    else disabledBy.push_back(source(keyword));
  }
  Json enabledBy = Json::array();
  for (const std::string& keyword : control->theNameOfEnabledKey()) enabledBy.push_back(source(keyword));
  // When no keyword of its logical-sum tables enables it: every keyword whose table names it.
  Json logicalSum = Json::array();
  Json hiddenBy = Json::array();
  for (const auto& entry : registry) {
    KORAUI* other = registry.primary(entry.keyword);
    if (other == nullptr) continue;
    const std::optional<std::string> value = other->getStringValue();
    if (byLogicalSum)
      for (const auto& [choice, targets] : other->getLogicalSumConditionDictionary())
        if (targets.asDict() != nullptr && targets.asDict()->contains(key)) {
          logicalSum.push_back(source(entry.keyword));
          break;
        }
    if (!value) continue;
    const Dict* hides = other->getHideDictionary().get(*value).asDict();
    if (hides != nullptr && hides->get(key).truth()) hiddenBy.push_back(source(entry.keyword));
  }
  return {{"key", key},
          {"title", control->mainKeywordText()},
          {"enabled", control->isEnabled()},
          {"hidden", control->isHidden()},
          {"disabledBy", std::move(disabledBy)},
          {"logicalSum", std::move(logicalSum)},
          {"enabledBy", std::move(enabledBy)},
          {"hiddenBy", std::move(hiddenBy)}};
}

void printSources(std::ostream& out, const char* heading, const Json& sources) {
  if (sources.empty()) return;
  out << heading << '\n';
  for (const Json& s : sources)
    out << "  " << s["key"].get<std::string>() << " = " << (s["value"].is_null() ? "-" : s["value"].get<std::string>())
        << '\n';
}

void runWhy(const JobOptions& options, const std::string& key) {
  Json report;
  {
    JobSession job(options);
    report = whyJson(*job.panel().panePlugInMgr(), key);
  }
  if (options.json) return printJson(std::cout, report);
  std::cout << report["title"].get<std::string>() << " [" << key << "]: "
            << (report["enabled"].get<bool>() ? "enabled" : "disabled") << ", "
            << (report["hidden"].get<bool>() ? "hidden" : "shown") << '\n';
  printSources(std::cout, "Disabled by the condition tables of:", report["disabledBy"]);
  if (!report["enabled"].get<bool>() && report["disabledBy"].empty() && !report["logicalSum"].empty())
    printSources(std::cout, "Enabled by none of the logical-sum tables of:", report["logicalSum"]);
  printSources(std::cout, "Enabled by the logical-sum tables of:", report["enabledBy"]);
  printSources(std::cout, "Hidden by the hide tables of:", report["hiddenBy"]);
}

void runTicket(const JobOptions& options) {
  const std::filesystem::path path = ticketPathFor(options);
  JobTicket ticket;
  std::string error;
  const TicketFile::Status status = TicketFile::read(path, &ticket, &error);
  if (status == TicketFile::Status::Damaged) throw CommandError(error);
  Json privateEntries = Json::object();
  Json scalarEntries = Json::object();
  Json settings = Json::object();
  for (const auto& [key, value] : ticket.printSettings) {
    if (!key.starts_with(kPrivateEntryPrefix)) {
      settings[key] = toJson(value);
      continue;
    }
    const std::string option = key.substr(kPrivateEntryPrefix.size());
    const bool scalar = option == WexoPDEByCocoa::kSpecificJobNameKey || option == WexoPDEByCocoa::kJobNameKey ||
                        option == WexoPDEByCocoa::kFavoriteNameKey || option == WexoPDEByCocoa::kProfilePathKey;
    (scalar ? scalarEntries : privateEntries)[option] = toJson(value);
  }
  const Json report = {{"ticket", path.string()},
                       {"exists", status == TicketFile::Status::Loaded},
                       {"markedChoices", toJson(Value(ticket.markedChoices))},
                       {"privateEntries", std::move(privateEntries)},
                       {"scalarEntries", std::move(scalarEntries)},
                       {"printSettings", std::move(settings)}};
  if (options.json) return printJson(std::cout, report);
  std::cout << "Ticket: " << path.string() << (status == TicketFile::Status::Missing ? " (none yet)" : "") << '\n';
  for (const char* part : {"markedChoices", "privateEntries", "scalarEntries", "printSettings"}) {
    static const std::map<std::string, std::string> headings = {{"markedChoices", "Marked choices"},
                                                                {"privateEntries", "Private entries (as stored)"},
                                                                {"scalarEntries", "Scalar entries (as stored)"},
                                                                {"printSettings", "Print settings"}};
    std::cout << headings.at(part) << ":\n";
    for (const auto& [key, value] : report[part].items())
      std::cout << "  " << key << " = " << (value.is_string() ? value.get<std::string>() : value.dump()) << '\n';
  }
}

}  // namespace

Json mainPaneJson(JobSession& job) {
  WexoPDEByCocoa& panel = job.panel();
  Json controls = Json::array();
  for (const std::string& key : WexoPDEByCocoa::shortcutKeys()) {
    KORAUI* control = panel.shortcutControl(key);
    if (control != nullptr && !control->mainKeyword().empty()) controls.push_back(settingsControlJson(*control));
  }
  Json summary = Json::object();
  for (const auto& [title, choice] : panel.summaryInfo()) summary[title] = choice.text();
  return {{"ticket", job.ticketPath().string()},
          {"controls", std::move(controls)},
          {"jobName",
           {{"mode", panel.specificJobNameValue()},
            {"name", panel.jobNameValue()},
            {"shown", panel.jobNameLabel() != nullptr ? panel.jobNameLabel()->stringValue() : ""}}},
          {"summary", std::move(summary)}};
}

void printMainPane(std::ostream& out, const Json& report) {
  out << "TZ Print Server (ticket " << report["ticket"].get<std::string>() << ")\n";
  for (const Json& control : report["controls"]) printControl(out, control, "  ");
  out << "Job name: " << report["jobName"]["shown"].get<std::string>() << '\n';
  out << "Summary:\n";
  for (const auto& [title, choice] : report["summary"].items())
    out << "  " << title << ": " << choice.get<std::string>() << '\n';
}

void addJobLookCommands(CLI::App& app) {
  auto show = std::make_shared<JobOptions>();
  CLI::App* command = app.add_subcommand("show", "Show the job's main pane: its settings, job name and summary");
  addJobOptions(*command, show.get(), false);
  command->callback([show] {
    Json report;
    {
      JobSession job(*show);
      report = mainPaneJson(job);
    }
    if (show->json) printJson(std::cout, report);
    else printMainPane(std::cout, report);
  });

  auto ticket = std::make_shared<JobOptions>();
  command = app.add_subcommand("ticket", "Show what the job's ticket holds, exactly as stored");
  command->add_option("--ticket", ticket->ticket, "The job's ticket file")->type_name("FILE");
  command->add_option("--ppd", ticket->ppd, "The printer description naming the destination")->type_name("FILE");
  command->add_option("--printer", ticket->printer, "The CUPS queue naming the destination")->type_name("QUEUE");
  addJsonFlag(*command, &ticket->json);
  command->callback([ticket] { runTicket(*ticket); });

  auto why = std::make_shared<JobOptions>();
  auto key = std::make_shared<std::string>();
  command = app.add_subcommand("why", "Tell why a setting is disabled or hidden right now");
  command->add_option("KEY", *key, "The setting's key")->required();
  addJobOptions(*command, why.get(), false);
  command->callback([why, key] { runWhy(*why, *key); });
}

}  // namespace orval::cli
