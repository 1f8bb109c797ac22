// `orval convert`: converts a print option set, read as one JSON object on
// standard input, between its three forms and writes the result as JSON:
//
//   orval convert --from internal|canonical|inputmgr --to internal|canonical|inputmgr
//                 [--no-custom] [--table FILE]
//   orval convert --check [--json] [--bundle PATH]
//
// internal -> canonical runs with the custom flag (passwords encoded, all
// lengths in cep) unless --no-custom; internal <-> inputmgr passes through
// the canonical form, as saving and loading a favorite do. Values keep their
// JSON types (strings, numbers, booleans).
//
// The InputMgr form needs the keyword convert table. It is --table FILE, or
// else the first that exists of: the bundle assembled in the build tree
// (OrvalPDE.plugin/Contents/Resources/ConvertTable.plist), the resources
// folder of the source tree (resources/ConvertTable.plist).
//
// Passwords need the password encoding library: the bundle's resources in the
// build tree, else the library built in the build tree. The library prints
// its progress on standard output, which is kept out of the JSON.
//
// --check runs the print option consistency check on an internal set and
// prints the alert it would show (its title, then one message a line), in
// the words of the bundle's string tables as the panel shows them (the
// bundle is found as for every command, see bundle_location.h); the exit
// status is 1 when any rule fires.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "apps/orval/bundle_location.h"
#include "apps/orval/commands.h"
#include "apps/orval/json_output.h"
#include "common/localized_string.h"
#include "conversion/password_encoder.h"
#include "conversion/print_option_converter.h"
#include "conversion/print_option_keys.h"
#include "panes/print_option_consistency_check.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"

namespace orval::cli {
namespace {

const std::filesystem::path kBuildTree = ORVAL_BINARY_DIR;
const std::filesystem::path kSourceTree = ORVAL_SOURCE_DIR;
const std::filesystem::path kBuiltBundleResources = kBuildTree / "OrvalPDE.plugin/Contents/Resources";

enum class Form { Internal, Canonical, InputMgr };

struct ConvertCommandOptions {
  std::string from;
  std::string to;
  bool noCustom = false;
  std::string table;
  bool check = false;
  bool json = false;
  std::optional<std::string> bundle;
};

Form formNamed(const std::string& name, const char* option) {
  if (name == "internal") return Form::Internal;
  if (name == "canonical") return Form::Canonical;
  if (name == "inputmgr") return Form::InputMgr;
  throw CommandError(std::string("unknown form \"") + name + "\" for " + option +
                     " (use internal, canonical or inputmgr)");
}

// One JSON value as an option value: strings, numbers and booleans only.
Value optionValue(const std::string& key, const Json& json) {
  if (json.is_string()) return Value(json.get<std::string>());
  if (json.is_boolean()) return Value(json.get<bool>());
  if (json.is_number_unsigned()) {
    const auto number = json.get<std::uint64_t>();
    if (number > static_cast<std::uint64_t>(INT64_MAX)) throw CommandError("option \"" + key + "\": number too large");
    return Value(static_cast<long long>(number));
  }
  if (json.is_number_integer()) return Value(static_cast<long long>(json.get<std::int64_t>()));
  if (json.is_number_float()) return Value(json.get<double>());
  throw CommandError("option \"" + key + "\": " + json.type_name() +
                     " is not an option value (use a string, a number or a boolean)");
}

// The option set on standard input.
PrintOption readOptions(std::istream& in) {
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  Json json;
  try {
    json = Json::parse(text);
  } catch (const Json::parse_error& e) {
    throw CommandError(std::string("the input is not valid JSON: ") + e.what());
  }
  if (!json.is_object())
    throw CommandError(std::string("the input must be a JSON object of print options, not ") + json.type_name());
  PrintOption options;
  for (const auto& [key, value] : json.items()) options.set(key, optionValue(key, value));
  return options;
}

// The keyword convert table's file: --table, else the built bundle's, else the source tree's.
std::filesystem::path convertTablePath(const std::string& table) {
  std::filesystem::path path;
  if (!table.empty()) {
    path = table;
  } else {
    const std::vector<std::filesystem::path> candidates{kBuiltBundleResources / "ConvertTable.plist",
                                                        kSourceTree / "resources/ConvertTable.plist"};
    for (const std::filesystem::path& candidate : candidates) {
      if (std::filesystem::is_regular_file(candidate)) {
        path = candidate;
        break;
      }
    }
    if (path.empty())
      throw CommandError("no keyword convert table found (looked for " + candidates[0].string() + " and " +
                         candidates[1].string() + "); name one with --table");
  }
  std::string error;
  if (!dictFromFile(path, &error)) throw CommandError("cannot read the convert table " + path.string() + ": " + error);
  return path;
}

// While alive, standard output goes nowhere: the password encoder prints its progress there.
class SilencedStandardOutput {
 public:
  SilencedStandardOutput() {
    std::cout.flush();
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && nowhere >= 0) dup2(nowhere, STDOUT_FILENO);
    if (nowhere >= 0) close(nowhere);
  }
  ~SilencedStandardOutput() {
    std::fflush(stdout);
    if (saved_ >= 0) {
      dup2(saved_, STDOUT_FILENO);
      close(saved_);
    }
  }
  SilencedStandardOutput(const SilencedStandardOutput&) = delete;
  SilencedStandardOutput& operator=(const SilencedStandardOutput&) = delete;

 private:
  int saved_ = -1;
};

bool holdsPassword(const PrintOption& options) {
  for (const std::string_view key : print_option_keys::kPasswords) {
    const Value* value = options.find(key);
    if (value != nullptr && !value->text().empty()) return true;
  }
  return false;
}

// Loads the password encoding library for a conversion that encodes or decodes passwords.
class PasswordEncoderSession {
 public:
  PasswordEncoderSession() {
    SilencedStandardOutput silence;
    for (const std::filesystem::path& folder : {kBuiltBundleResources, kBuildTree / "src/encryption"}) {
      if (!std::filesystem::exists(folder.string() + kEncDecLibraryName)) continue;
      if (loadEncDec(folder.c_str()) == 0) {
        loaded_ = true;
        return;
      }
    }
    throw CommandError("passwords need the password encoding library, which could not be loaded from " +
                       kBuiltBundleResources.string() + " or " + (kBuildTree / "src/encryption").string());
  }
  ~PasswordEncoderSession() {
    if (loaded_) unloadEncDec();
  }
  PasswordEncoderSession(const PasswordEncoderSession&) = delete;
  PasswordEncoderSession& operator=(const PasswordEncoderSession&) = delete;

 private:
  bool loaded_ = false;
};

PrintOption convertOptions(PrintOption options, Form from, Form to, bool custom, const std::string& table) {
  if (from == to) return options;
  std::unique_ptr<PrintOptionConverter> converter;
  if (from == Form::InputMgr || to == Form::InputMgr) {
    auto source = std::make_unique<FileConvertTableSource>(convertTablePath(table));
    converter = std::make_unique<PrintOptionConverter>(std::move(source));
  }

  const bool encodes = from == Form::Internal && custom;
  const bool decodes = to == Form::Internal;
  std::optional<PasswordEncoderSession> encoder;
  if ((encodes || decodes) && holdsPassword(options)) encoder.emplace();

  LogCapture log;
  {
    SilencedStandardOutput silence;
    if (from == Form::Internal) PrintOptionConverter::convertToCanonicalPpdKeyword(options, custom);
    if (from == Form::InputMgr) options = converter->toPpdKeywordFormat(options);
    if (to == Form::Internal) PrintOptionConverter::convertToInternalPpdKeyword(options);
    if (to == Form::InputMgr) options = converter->toInputMgrFormat(options);
  }
  if (log.contains("###### encode error")) throw CommandError("a password could not be encoded");
  if (log.contains("###### decode error")) throw CommandError("a password could not be decoded");
  return options;
}

// Checks options and prints the alert's texts, localized through bundle as the panel localizes them.
void runCheck(const PrintOption& options, std::shared_ptr<Bundle> bundle, bool json) {
  SetNSBundleForLocalizedString(std::move(bundle));
  const std::vector<std::string> keys = printOptionConsistencyMessageKeys(options);
  std::string title = BSLocalizedString("Alert_ChkMsg");
  if (title.empty()) title = "Alert_ChkMsg";
  std::vector<std::string> messages;
  for (const std::string& key : keys) {
    std::string text = printOptionConsistencyMessageText({key});
    text.pop_back();  // the carriage return that ends each message in the alert
    messages.push_back(std::move(text));
  }
  if (json) {
    Json document{{"consistent", keys.empty()}};
    if (!keys.empty()) {
      document["title"] = title;
      document["messages"] = messages;
      document["keys"] = keys;
    }
    printJson(std::cout, document);
  } else if (!keys.empty()) {
    std::cout << title << '\n';
    for (const std::string& message : messages) std::cout << "  " << message << '\n';
  }
  std::cout.flush();
  if (!keys.empty()) throw CLI::RuntimeError(1);
}

void runConvertCommand(const ConvertCommandOptions& options) {
  if (options.check) {
    if (!options.from.empty() || !options.to.empty() || !options.table.empty() || options.noCustom)
      throw CommandError("--check takes an internal option set and no --from, --to, --table or --no-custom");
    std::shared_ptr<Bundle> bundle = openBundle(options.bundle);
    runCheck(readOptions(std::cin), std::move(bundle), options.json);
    return;
  }
  if (options.bundle) throw CommandError("--bundle goes with --check only");
  if (options.from.empty() || options.to.empty()) throw CommandError("convert needs --from and --to (or --check)");
  const Form from = formNamed(options.from, "--from");
  const Form to = formNamed(options.to, "--to");
  const PrintOption result = convertOptions(readOptions(std::cin), from, to, !options.noCustom, options.table);
  printJson(std::cout, toJson(Value(result)));
}

}  // namespace

void addConvertCommand(CLI::App& app) {
  auto options = std::make_shared<ConvertCommandOptions>();
  CLI::App* command = app.add_subcommand(
      "convert", "Convert a print option set (JSON on standard input) between its forms, or check it");
  command->add_option("--from", options->from, "The input's form: internal, canonical or inputmgr")
      ->type_name("FORM");
  command->add_option("--to", options->to, "The result's form: internal, canonical or inputmgr")->type_name("FORM");
  command->add_flag("--no-custom", options->noCustom,
                    "Internal to canonical without encoding passwords or converting paper and print positions");
  command->add_option("--table", options->table, "The keyword convert table (a property list)")->type_name("FILE");
  command->add_flag("--check", options->check,
                    "Check an internal set for missing names and values; exit status 1 when something is missing");
  addJsonFlag(*command, &options->json);
  addBundleOption(*command, &options->bundle);
  command->callback([options] { runConvertCommand(*options); });
}

}  // namespace orval::cli
