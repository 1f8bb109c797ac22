#include "platform/print/printer_description.h"

#include <system_error>

// The PPD functions of libcups are marked deprecated in favour of the
// destination API, which cannot open a description from a file. This file is
// their one user.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace orval {
namespace {

std::string text(const char* s) { return s ? std::string(s) : std::string(); }

// Adds the options of group and its subgroups, in file order.
void collectOptions(const ppd_group_t& group, std::vector<PpdOption>& out) {
  for (int i = 0; i < group.num_options; ++i) {
    const ppd_option_t& option = group.options[i];
    PpdOption o;
    o.keyword = option.keyword;
    o.text = option.text;
    o.group = group.text;
    o.defaultChoice = option.defchoice;
    for (int c = 0; c < option.num_choices; ++c) {
      const ppd_choice_t& choice = option.choices[c];
      o.choices.push_back(PpdChoice{choice.choice, choice.text});
      if (choice.marked) o.marked = choice.choice;
    }
    out.push_back(std::move(o));
  }
  for (int s = 0; s < group.num_subgroups; ++s) collectOptions(group.subgroups[s], out);
}

}  // namespace

void PrinterDescription::Closer::operator()(ppd_file_t* ppd) const { ppdClose(ppd); }

PrinterDescription::PrinterDescription(std::filesystem::path path, ppd_file_t* ppd)
    : path_(std::move(path)), ppd_(ppd) {}

PrinterDescription::~PrinterDescription() = default;

std::unique_ptr<PrinterDescription> PrinterDescription::open(const std::filesystem::path& path,
                                                             std::string* error) {
  auto fail = [&](const std::string& reason) -> std::unique_ptr<PrinterDescription> {
    if (error) *error = "cannot open printer description " + path.string() + ": " + reason;
    return nullptr;
  };
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return fail("no such file");
  if (!std::filesystem::is_regular_file(path, ec)) return fail("not a regular file");

  ppd_file_t* ppd = ppdOpenFile(path.c_str());
  if (!ppd) {
    int line = 0;
    const ppd_status_t status = ppdLastError(&line);
    std::string reason = text(ppdErrorString(status));
    if (line > 0) reason += " (line " + std::to_string(line) + ")";
    return fail(reason);
  }
  std::unique_ptr<PrinterDescription> description(new PrinterDescription(path, ppd));
  description->markDefaults();
  return description;
}

void PrinterDescription::markDefaults() { ppdMarkDefaults(ppd_.get()); }

bool PrinterDescription::markOption(std::string_view keyword, std::string_view choice) {
  const std::string k(keyword);
  const std::string c(choice);
  ppd_option_t* option = ppdFindOption(ppd_.get(), k.c_str());
  if (!option) return false;
  const bool known = ppdFindChoice(option, c.c_str()) != nullptr ||
                     (c.starts_with("Custom.") && ppdFindChoice(option, "Custom") != nullptr);
  if (!known) return false;
  // The conflict count is the panel's concern, not the marker's.
  (void)ppdMarkOption(ppd_.get(), k.c_str(), c.c_str());
  return true;
}

std::optional<std::string> PrinterDescription::markedChoice(std::string_view keyword) const {
  const std::string k(keyword);
  const ppd_choice_t* choice = ppdFindMarkedChoice(ppd_.get(), k.c_str());
  if (!choice) return std::nullopt;
  return std::string(choice->choice);
}

bool PrinterDescription::hasChoice(std::string_view keyword, std::string_view choice) const {
  const std::string k(keyword);
  const std::string c(choice);
  ppd_option_t* option = ppdFindOption(ppd_.get(), k.c_str());
  return option && ppdFindChoice(option, c.c_str()) != nullptr;
}

int PrinterDescription::conflicts() const { return ppdConflicts(ppd_.get()); }

std::optional<std::string> PrinterDescription::attribute(std::string_view keyword) const {
  const std::string k(keyword);
  const ppd_attr_t* found = ppdFindAttr(ppd_.get(), k.c_str(), nullptr);
  if (!found || !found->value) return std::nullopt;
  return std::string(found->value);
}

std::vector<PpdOption> PrinterDescription::options() const {
  std::vector<PpdOption> out;
  for (int g = 0; g < ppd_->num_groups; ++g) collectOptions(ppd_->groups[g], out);
  return out;
}

Dict PrinterDescription::markedChoices() const {
  Dict marked;
  for (const PpdOption& option : options())
    if (option.marked) marked.set(option.keyword, *option.marked);
  return marked;
}

}  // namespace orval
