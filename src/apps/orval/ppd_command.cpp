// `orval ppd FILE [--mark KEYWORD=CHOICE]... [--json]`: opens a printer
// description as the print dialog does (defaults marked), marks the given
// choices, and prints every option with its choices and marked choice, and
// the number of conflicts among the marked choices.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "apps/orval/commands.h"
#include "apps/orval/json_output.h"
#include "platform/print/printer_description.h"

namespace orval::cli {
namespace {

struct PpdCommandOptions {
  std::string file;
  std::vector<std::string> marks;
  bool json = false;
};

void markChoices(PrinterDescription& description, const std::vector<std::string>& marks) {
  for (const std::string& mark : marks) {
    const std::size_t equals = mark.find('=');
    if (equals == std::string::npos || equals == 0)
      throw CommandError("--mark needs KEYWORD=CHOICE, not \"" + mark + "\"");
    const std::string keyword = mark.substr(0, equals);
    const std::string choice = mark.substr(equals + 1);
    if (!description.markOption(keyword, choice))
      throw CommandError("the printer description has no choice \"" + choice + "\" for \"" + keyword + "\"");
  }
}

Json optionsJson(const PrinterDescription& description) {
  Json options = Json::array();
  for (const PpdOption& option : description.options()) {
    Json choices = Json::array();
    for (const PpdChoice& choice : option.choices) choices.push_back({{"choice", choice.choice}, {"text", choice.text}});
    options.push_back({{"keyword", option.keyword},
                       {"text", option.text},
                       {"group", option.group},
                       {"default", option.defaultChoice},
                       {"marked", option.marked ? Json(*option.marked) : Json(nullptr)},
                       {"choices", std::move(choices)}});
  }
  return options;
}

void printText(std::ostream& out, const PrinterDescription& description) {
  std::string group;
  for (const PpdOption& option : description.options()) {
    if (option.group != group) {
      group = option.group;
      out << group << ":\n";
    }
    out << "  " << option.keyword << " (" << option.text << "): " << option.marked.value_or("-") << "  [";
    for (std::size_t i = 0; i < option.choices.size(); ++i)
      out << (i ? ", " : "") << option.choices[i].choice;
    out << "]\n";
  }
  out << "Conflicts: " << description.conflicts() << '\n';
}

void runPpdCommand(const PpdCommandOptions& options) {
  std::string error;
  std::unique_ptr<PrinterDescription> description = PrinterDescription::open(options.file, &error);
  if (!description) throw CommandError(error);
  markChoices(*description, options.marks);
  if (options.json) {
    printJson(std::cout, Json{{"file", options.file},
                              {"options", optionsJson(*description)},
                              {"conflicts", description->conflicts()}});
  } else {
    printText(std::cout, *description);
  }
}

}  // namespace

void addPpdCommand(CLI::App& app) {
  auto options = std::make_shared<PpdCommandOptions>();
  CLI::App* command =
      app.add_subcommand("ppd", "Show a printer description's options and their marked choices");
  command->add_option("file", options->file, "The printer description (PPD) file")->required();
  command->add_option("--mark", options->marks, "Mark a choice first (KEYWORD=CHOICE; repeatable)")
      ->type_name("KEYWORD=CHOICE");
  addJsonFlag(*command, &options->json);
  command->callback([options] { runPpdCommand(*options); });
}

}  // namespace orval::cli
