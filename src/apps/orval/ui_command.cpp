// `orval ui`: tools for the people who write UI descriptions.
//
//   orval ui check DESCRIPTION [--json]
//   orval ui dump DESCRIPTION KEY [--json] [--bundle DIR] [--width W] [--height H]
//
// `check` reads a UI description (a property list whose root maps control
// names to control descriptions) and reports every finding of the checker:
// one line per finding ("error: Staple: control_type > PopUpButton: unknown
// control type ...", the path below the key joined by " > "), then a summary
// line. The exit status is 1 when there is an error; warnings alone exit 0.
//
// `dump` builds the control described under KEY, with its children, in the
// headless toolkit and prints its widget tree: class, frame, title, value,
// hidden and enabled state, and the items of pop-ups and radio groups.
// Children ("other_controls") are read from DESCRIPTION itself. The control
// is W points wide (400 unless --width) and as high as its widgets and
// children reach (as a pane lays it out), unless --height.
//
// Titles and choice texts are localization keys. With --bundle DIR, they are
// looked up in that bundle's "UI" string table (in the languages of LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG, then English) and its images give the icons;
// without it they appear as their keys and no icons show.
//
// A description that cannot be read (no such file, not a property list, a
// root that is not a dictionary), a KEY it does not describe or a DIR that is
// not a bundle are reported on standard error with exit status 2.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "apps/orval/commands.h"
#include "apps/orval/json_output.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/plist.h"
#include "platform/toolkit/application.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/kora_ui_dump.h"
#include "settings_ui/ui_description.h"
#include "settings_ui/ui_description_check.h"

namespace orval::cli {
namespace {

namespace fs = std::filesystem;

// The exit status of input that cannot be used (2; 1 is a finding).
constexpr int kUnusableInputStatus = 2;
// The width of a dumped control unless --width.
constexpr double kDefaultDumpWidth = 400;
// The height a control is first built at to measure it: the height a child gets.
constexpr double kMeasuringHeight = 72;
// The base name of the UI description in the dump's bundle.
constexpr const char* kDumpDescriptionName = "UIDescription";

struct UiCheckOptions {
  std::string description;
  bool json = false;
};

struct UiDumpOptions {
  std::string description;
  std::string key;
  std::string bundle;
  std::optional<double> width;
  std::optional<double> height;
  bool json = false;
};

// Tells the user why the input cannot be used and ends the command with status 2.
[[noreturn]] void failWithUnusableInput(const std::string& message) {
  std::cout.flush();
  std::cerr << "orval: " << message << '\n';
  throw CLI::RuntimeError(kUnusableInputStatus);
}

std::string typeName(const Value& value) {
  switch (value.type()) {
    case Value::Type::Null: return "null";
    case Value::Type::Bool: return "boolean";
    case Value::Type::Integer:
    case Value::Type::Real: return "number";
    case Value::Type::String: return "string";
    case Value::Type::Date: return "date";
    case Value::Type::Data: return "data";
    case Value::Type::Array: return "array";
    case Value::Type::Dict: return "dictionary";
  }
  return "value";
}

// The UI description at path; ends the command with status 2 when it cannot be read.
Dict readDescription(const std::string& path) {
  std::string error;
  std::optional<Value> root = plistFromFile(path, &error);
  if (!root) failWithUnusableInput("cannot read the UI description " + path + ": " + error);
  Dict* description = root->asDict();
  if (description == nullptr)
    failWithUnusableInput("the UI description " + path + " is not a dictionary of control descriptions (its root is " +
                          (root->type() == Value::Type::Array ? "an " : "a ") + typeName(*root) + ")");
  return std::move(*description);
}

// check -------------------------------------------------------------------------------------------

std::string plural(std::size_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// "error: Staple: control_type > PopUpButton: unknown control type ..."
std::string findingLine(const UiDescriptionFinding& finding) {
  std::string line = severityName(finding.severity) + ": " + finding.control + ": ";
  if (!finding.key.empty()) {
    line += finding.key;
    for (const std::string& step : finding.path) line += " > " + step;
    line += ": ";
  }
  return line + finding.message;
}

void runUiCheck(const UiCheckOptions& options) {
  const Dict description = readDescription(options.description);
  const std::vector<UiDescriptionFinding> findings = checkUiDescription(description);
  const std::size_t errors = countFindings(findings, UiFindingSeverity::Error);
  const std::size_t warnings = countFindings(findings, UiFindingSeverity::Warning);
  if (options.json) {
    Json list = Json::array();
    for (const UiDescriptionFinding& finding : findings) {
      list.push_back(Json{{"severity", severityName(finding.severity)},
                          {"control", finding.control},
                          {"key", finding.key},
                          {"path", finding.path},
                          {"message", finding.message}});
    }
    printJson(std::cout, Json{{"description", options.description},
                              {"controls", description.size()},
                              {"errors", errors},
                              {"warnings", warnings},
                              {"findings", std::move(list)}});
  } else {
    for (const UiDescriptionFinding& finding : findings) std::cout << findingLine(finding) << '\n';
    std::cout << options.description << ": " << plural(description.size(), "control description") << ", "
              << plural(errors, "error") << ", " << plural(warnings, "warning") << '\n';
  }
  std::cout.flush();
  if (errors > 0) throw CLI::RuntimeError(1);
}

// dump --------------------------------------------------------------------------------------------

// A folder of its own under the temporary folder, removed with everything in it when done.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "orval-ui-dump-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) failWithUnusableInput("cannot make a temporary folder like " + pattern);
    _path = pattern;
  }
  ~TemporaryFolder() {
    std::error_code ec;
    fs::remove_all(_path, ec);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const fs::path& path() const { return _path; }

 private:
  fs::path _path;
};

// A bundle in a temporary folder whose UI description is (a link to) the
// one being dumped, since the builder reads children from its bundle's
// description, with every resource of the localizing bundle linked in beside it.
class DumpBundle {
 public:
  DumpBundle(const fs::path& descriptionFile, const std::optional<fs::path>& resourcesOf) {
    const fs::path bundle = _folder.path() / "Dump.bundle";
    const fs::path resources = bundle / "Contents/Resources";
    std::error_code ec;
    fs::create_directories(resources, ec);
    if (!ec)
      fs::create_symlink(fs::absolute(descriptionFile), resources / (std::string(kDumpDescriptionName) + ".plist"), ec);
    std::string error;
    if (ec || !writePlistFile(bundle / "Contents/Info.plist",
                              Value(Dict{{kUIDescriptionInfoKey, kDumpDescriptionName}}), &error))
      failWithUnusableInput("cannot prepare the control's bundle in " + _folder.path().string() + ": " +
                            (ec ? ec.message() : error));
    if (resourcesOf) linkResources(*resourcesOf, resources);
    _bundle = Bundle::bundleWithPath(bundle);
  }

  const std::shared_ptr<Bundle>& bundle() const { return _bundle; }

 private:
  static void linkResources(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(from, ec)) {
      const fs::path link = to / entry.path().filename();
      if (fs::exists(fs::symlink_status(link))) continue;  // the description being dumped
      fs::create_symlink(entry.path(), link, ec);
      if (ec) failWithUnusableInput("cannot link the resource " + entry.path().string() + ": " + ec.message());
    }
    if (ec) failWithUnusableInput("cannot list the resources " + from.string() + ": " + ec.message());
  }

  TemporaryFolder _folder;
  std::shared_ptr<Bundle> _bundle;
};

// The resources folder of the bundle at path; ends the command with status 2 when it is no bundle.
fs::path bundleResources(const std::string& path) {
  const std::shared_ptr<Bundle> bundle = Bundle::bundleWithPath(path);
  std::error_code ec;
  if (!bundle || !fs::is_directory(bundle->resourcePath(), ec))
    failWithUnusableInput(path + " is not a bundle (no folder Contents/Resources in it)");
  return fs::absolute(bundle->resourcePath());
}

// The control described by description, built in a frame width x height, its deferred selections made.
std::unique_ptr<KORAUI> buildControl(const Dict& description, const std::shared_ptr<Bundle>& bundle, double width,
                                     double height) {
  auto control = std::make_unique<KORAUI>(tk::Rect{0, 0, width, height});
  control->setControlDictionary(description, bundle);
  control->updateControl();
  tk::Application::shared().runLoop().runPendingTurns(tk::RunLoopMode::Default);
  return control;
}

// The height control needs: its own, or down to its lowest widget or child, as a pane measures it.
double neededHeight(const KORAUI& control) {
  double lowest = control.frame().height;
  for (const tk::View* subview : control.subviews()) lowest = std::min(lowest, subview->frame().y);
  return std::max(control.getControlHeight(), control.frame().height - lowest);
}

constexpr double kLargestDimension = 100000;

void checkDimension(const std::optional<double>& value, const char* option) {
  if (value && !(*value > 0 && *value < kLargestDimension))
    failWithUnusableInput(std::string(option) + " must be a number of points above 0 and below 100000");
}

void runUiDump(const UiDumpOptions& options) {
  checkDimension(options.width, "--width");
  checkDimension(options.height, "--height");
  const Dict uiDescription = readDescription(options.description);
  const Value* entry = uiDescription.find(options.key);
  if (entry == nullptr) failWithUnusableInput("\"" + options.key + "\" is not described in " + options.description);
  const Dict* description = entry->asDict();
  if (description == nullptr)
    failWithUnusableInput("the description of \"" + options.key + "\" in " + options.description + " is a " +
                          typeName(*entry) + ", not a dictionary");
  std::optional<fs::path> resources;
  if (!options.bundle.empty()) resources = bundleResources(options.bundle);

  const DumpBundle dumpBundle(options.description, resources);
  const double width = options.width.value_or(kDefaultDumpWidth);
  double height = options.height.value_or(kMeasuringHeight);
  if (!options.height) height = neededHeight(*buildControl(*description, dumpBundle.bundle(), width, height));
  const std::unique_ptr<KORAUI> control = buildControl(*description, dumpBundle.bundle(), width, height);

  if (options.json)
    printJson(std::cout, toJson(controlTreeValue(*control)));
  else
    std::cout << controlTreeText(*control);
}

}  // namespace

void addUiCommand(CLI::App& app) {
  CLI::App* ui = app.add_subcommand("ui", "Check a UI description, or show the widgets a control description builds");
  ui->require_subcommand(1);

  auto check = std::make_shared<UiCheckOptions>();
  CLI::App* checkCommand = ui->add_subcommand(
      "check",
      "Report the mistakes of a UI description; exit status 1 when there is an error, 2 when it cannot be read");
  checkCommand->add_option("DESCRIPTION", check->description, "The UI description (a property list)")->required();
  addJsonFlag(*checkCommand, &check->json);
  checkCommand->callback([check] { runUiCheck(*check); });

  auto dump = std::make_shared<UiDumpOptions>();
  CLI::App* dumpCommand = ui->add_subcommand(
      "dump",
      "Build the control described under KEY (with its children) and print its widget tree; titles appear as "
      "their localization keys unless --bundle gives a bundle whose \"UI\" string table localizes them");
  dumpCommand->add_option("DESCRIPTION", dump->description, "The UI description (a property list)")->required();
  dumpCommand->add_option("KEY", dump->key, "The name of the control description to build")->required();
  dumpCommand
      ->add_option("--bundle", dump->bundle, "A bundle whose \"UI\" string table and images localize the control")
      ->type_name("DIR");
  dumpCommand->add_option("--width", dump->width, "The control's width in points (default 400)")->type_name("W");
  dumpCommand
      ->add_option("--height", dump->height,
                   "The control's height in points (default: as high as its widgets and children reach)")
      ->type_name("H");
  addJsonFlag(*dumpCommand, &dump->json);
  dumpCommand->callback([dump] { runUiDump(*dump); });
}

}  // namespace orval::cli
