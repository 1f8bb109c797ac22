// kora_mgr_bench: measures the constraint engine, side by side with libcups.
//
// On the synthetic shape of bench_shape.h (several hundred pop-ups in chains)
// it times
//
//   1. registration with the first validation of every control,
//   2. one user change at the head of a chain with its cascade,
//   3. a collective change of every value,
//
// and the CUPS peer on a printer description of the same shape: one change
// through ppdMarkOption + ppdConflicts and through cupsResolveConflicts.
// On the bundle of the build tree it times the registration of every control
// of the shipped UI description and one user change of every control to
// each of its choices, and the opening of the bundle through the host as a
// print dialog opens it, beside libcups' opening of the bundle's printer
// description. Every figure is the median of the repeated runs; questions
// are answered with their first button ("Yes", "OK").
//
// Usage: kora_mgr_bench [controls (400)] [chain length (20)] [--repeat N] [--json] [--bundle PATH]
#include <fcntl.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "apps/orval/plugin_session.h"
#include "bench_shape.h"
#include "common/notify_unit.h"
#include "cups_peer.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/bundle.h"
#include "platform/print/memory_print_host.h"
#include "platform/toolkit/alert.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/operator.h"
#include "platform/toolkit/view.h"
#include "settings_ui/kora_mgr.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/ui_description.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using orval::Dict;
using orval::KORAMgr;
using orval::KORAUI;
using orval::Value;

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Answers every question with its first button ("Yes", "OK") and counts them.
class FirstButtonOperator : public orval::tk::Operator {
 public:
  std::size_t answerAlert(const orval::tk::Alert&, bool) override {
    ++answered;
    return 0;
  }
  void workModalWindow(orval::tk::Window&) override { orval::tk::Application::shared().abortModal(); }
  std::size_t answered = 0;
};

// One timed piece of work: its milliseconds, validations and questions.
struct Figure {
  double ms = 0;
  std::size_t validations = 0;
  std::size_t questions = 0;
};

// Times work on engine, counting its validations and the questions person answered.
Figure measure(const KORAMgr& engine, const FirstButtonOperator& person, const std::function<void()>& work) {
  const std::size_t validations = engine.validationCount();
  const std::size_t questions = person.answered;
  const auto start = Clock::now();
  work();
  return {millisecondsSince(start), engine.validationCount() - validations, person.answered - questions};
}

// The median of each field of figures.
Figure medianOf(const std::vector<Figure>& figures) {
  std::vector<double> ms, validations, questions;
  for (const Figure& f : figures) {
    ms.push_back(f.ms);
    validations.push_back(static_cast<double>(f.validations));
    questions.push_back(static_cast<double>(f.questions));
  }
  return {median(ms), static_cast<std::size_t>(median(validations)), static_cast<std::size_t>(median(questions))};
}

json toJson(const Figure& f) { return {{"ms", f.ms}, {"validations", f.validations}, {"questions", f.questions}}; }

void printLine(const std::string& what, const Figure& f) {
  std::printf("%-44s %10.3f ms %10zu validations %6zu questions\n", what.c_str(), f.ms, f.validations, f.questions);
}

void printMs(const std::string& what, double ms) { std::printf("%-44s %10.3f ms\n", what.c_str(), ms); }

// Registers control as the pane plug-in manager does: add it, then announce
// its keyword and each child's once.
void registerControl(KORAMgr& engine, const KORAUI& control) {
  engine.addControl(const_cast<KORAUI*>(&control));
  orval::NotifyUnit::postNotificationName(control.mainKeyword());
  for (const KORAUI* child : control.childControls()) orval::NotifyUnit::postNotificationName(child->mainKeyword());
}

void drainRunLoop() { orval::tk::Application::shared().runLoop().runPendingTurns(orval::tk::RunLoopMode::Default); }

// The synthetic shape ------------------------------------------------------------------------------

struct SyntheticRun {
  Figure registration, change, collective;
  std::size_t skipped = 0;
};

SyntheticRun runSynthetic(const bench::Shape& shape, FirstButtonOperator& person) {
  // Build the controls (not timed: this is the control builder's work).
  orval::tk::View root(orval::tk::Rect{0, 0, 400, 72.0 * shape.controls()});
  std::vector<KORAUI*> built;
  for (int chain = 0; chain < shape.chains; ++chain) {
    // Later positions first, so that every target exists when its source is validated.
    for (int position = shape.length - 1; position >= 0; --position) {
      auto control = std::make_unique<KORAUI>(orval::tk::Rect{0, 0, 400, 72});
      control->setControlDictionary(bench::describe(shape, chain, position), nullptr);
      control->updateControl();
      built.push_back(&root.add(std::move(control)));
    }
  }
  KORAMgr engine;
  engine.setInitializedNetworkDataProvider([] { return true; });
  SyntheticRun run;
  run.registration = measure(engine, person, [&] {
    for (KORAUI* control : built) registerControl(engine, *control);
  });
  run.change = measure(engine, person, [&] {
    orval::NotifyUnit::postNotificationName(bench::keyOf(0, 0), Dict{{"Paramater", "On"}});
  });
  run.skipped = engine.settledSkipCount();
  Dict settings;
  for (const auto& [keyword, value] : engine.getAllValueDictionary())
    settings.set(keyword, Value(value.text() == "On" ? "Off" : "On"));
  run.collective = measure(engine, person, [&] { engine.setSettings(settings); });
  return run;
}

// The CUPS peer on the synthetic shape.
std::optional<bench::CupsChange> runCupsPeer(const bench::Shape& shape, int repeat) {
  char name[] = "/tmp/kora_mgr_bench_XXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) return std::nullopt;
  close(fd);
  const fs::path path(name);
  std::ofstream(path) << bench::printerDescriptionText(shape);
  std::vector<double> mark, resolve;
  std::optional<bench::CupsChange> last;
  for (int i = 0; i < repeat; ++i) {
    last = bench::timeCupsChange(path);
    if (!last) break;
    mark.push_back(last->markAndConflictsMs);
    resolve.push_back(last->resolveMs);
  }
  fs::remove(path);
  if (!last) return std::nullopt;
  last->markAndConflictsMs = median(mark);
  last->resolveMs = median(resolve);
  return last;
}

// The shipped UI description ---------------------------------------------------------------------------

// One user change of the shipped description: a keyword to one of its choices.
struct Change {
  std::string keyword, value;
  Figure figure;
};

struct ShippedRun {
  std::size_t controls = 0;
  Figure registration;
  std::vector<Change> changes;
};

// The names of the control descriptions that no other description lists
// among its children: what a pane builds itself.
std::vector<std::string> rootNames(const Dict& ui) {
  std::vector<std::string> children;
  for (const auto& [name, description] : ui)
    if (const Dict* d = description.asDict())
      if (const orval::Array* others = d->get("other_controls").asArray())
        for (const Value& child : *others) children.push_back(child.text());
  std::vector<std::string> roots;
  for (const auto& [name, description] : ui)
    if (description.isDict() && std::find(children.begin(), children.end(), name) == children.end())
      roots.push_back(name);
  return roots;
}

ShippedRun runShipped(const std::shared_ptr<orval::Bundle>& bundle, const std::shared_ptr<const Dict>& ui,
                      FirstButtonOperator& person) {
  orval::tk::View root(orval::tk::Rect{0, 0, 600, 100000});
  std::vector<KORAUI*> built;
  for (const std::string& name : rootNames(*ui)) {
    auto control = std::make_unique<KORAUI>(orval::tk::Rect{0, 0, 600, 400});
    control->setControlDictionary(*ui->get(name).asDict(), bundle);
    control->setUIDescription(ui);
    control->updateControl();
    built.push_back(&root.add(std::move(control)));
  }
  drainRunLoop();
  KORAMgr engine;
  engine.setPdeResourcePath(bundle->resourcePath().string());
  engine.setInitializedNetworkDataProvider([] { return true; });
  ShippedRun run;
  run.registration = measure(engine, person, [&] {
    for (KORAUI* control : built) registerControl(engine, *control);
  });
  for (const orval::KORAControlRegistry::Entry& entry : engine.getControlsDictionary()) {
    ++run.controls;
    const KORAUI* primary = engine.getControlsDictionary().primary(entry.keyword);
    if (primary == nullptr) continue;
    for (const Value& choice : primary->theArray()) {
      const Dict* d = choice.asDict();
      const Value* value = d != nullptr ? d->find("choice") : nullptr;
      if (value == nullptr || value->text().empty()) continue;
      run.changes.push_back({entry.keyword, value->text(), {}});
    }
  }
  for (Change& change : run.changes) {
    change.figure = measure(engine, person, [&] {
      orval::NotifyUnit::postNotificationName(change.keyword, Dict{{"Paramater", change.value}});
    });
  }
  drainRunLoop();
  return run;
}

// Sends standard output away while alive: the password library's wrapper prints there.
class QuietStandardOutput {
 public:
  QuietStandardOutput() {
    std::fflush(stdout);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0) return;
    _saved = dup(STDOUT_FILENO);
    if (_saved >= 0) dup2(null, STDOUT_FILENO);
    close(null);
  }
  ~QuietStandardOutput() {
    if (_saved < 0) return;
    std::fflush(stdout);
    dup2(_saved, STDOUT_FILENO);
    close(_saved);
  }
  QuietStandardOutput(const QuietStandardOutput&) = delete;
  QuietStandardOutput& operator=(const QuietStandardOutput&) = delete;

 private:
  int _saved = -1;
};

// Milliseconds from loading the bundle through the host, as a print dialog
// opens it, to its panel being ready (panes loaded, controls registered and
// validated, defaults taken); none when it does not load.
std::optional<double> timeOpenToReady(const std::shared_ptr<orval::Bundle>& bundle, const fs::path& ppd) {
  orval::MemoryPrintHost host;
  if (!host.openPrinterDescription(ppd)) return std::nullopt;
  const auto start = Clock::now();
  const bool loaded = host.panels().loadPlugIn(bundle);
  const double ms = millisecondsSince(start);
  host.panels().unloadPlugIn();
  orval::PanePlugInMgr::release();
  drainRunLoop();
  return loaded ? std::optional<double>(ms) : std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("Measures the constraint engine beside libcups", "kora_mgr_bench");
  int controls = 400;
  int length = 20;
  int repeat = 5;
  bool asJson = false;
  std::string bundlePath = ORVAL_BUNDLE_PATH;
  app.add_option("controls", controls, "number of synthetic controls")->check(CLI::Range(1, 100000));
  app.add_option("length", length, "chain length")->check(CLI::Range(1, 100000));
  app.add_option("--repeat", repeat, "runs of every figure (the median is shown)")->check(CLI::Range(1, 1000));
  app.add_flag("--json", asJson, "print the figures as JSON");
  app.add_option("--bundle", bundlePath, "the bundle whose UI description and opening are measured");
  CLI11_PARSE(app, argc, argv);
  if (length > controls) {
    std::fprintf(stderr, "kora_mgr_bench: the chain length must not exceed the number of controls\n");
    return 2;
  }
  const bench::Shape shape{controls / length, length};

  auto person = std::make_shared<FirstButtonOperator>();
  orval::tk::Application::shared().setOperator(person);
  json out;
  {
    QuietStandardOutput quiet;

    std::vector<Figure> registration, change, collective;
    std::size_t skipped = 0;
    for (int i = 0; i < repeat; ++i) {
      const SyntheticRun run = runSynthetic(shape, *person);
      registration.push_back(run.registration);
      change.push_back(run.change);
      collective.push_back(run.collective);
      skipped = run.skipped;
    }
    out["synthetic"] = {{"controls", shape.controls()},
                        {"chains", shape.chains},
                        {"length", shape.length},
                        {"repeat", repeat},
                        {"registration", toJson(medianOf(registration))},
                        {"change", toJson(medianOf(change))},
                        {"collective", toJson(medianOf(collective))},
                        {"settledSkipsInChange", skipped}};
    if (const std::optional<bench::CupsChange> cups = runCupsPeer(shape, repeat)) {
      out["cups"] = {{"markAndConflictsMs", cups->markAndConflictsMs},
                     {"conflicts", cups->conflicts},
                     {"resolveConflictsMs", cups->resolveMs},
                     {"resolved", cups->resolved}};
      out["ratio"] = {{"changeToResolveConflicts", medianOf(change).ms / cups->resolveMs},
                      {"changeToMarkAndConflicts", medianOf(change).ms / cups->markAndConflictsMs}};
    }

    const std::shared_ptr<orval::Bundle> bundle = orval::Bundle::bundleWithPath(bundlePath);
    std::optional<Dict> loaded = bundle ? orval::loadUIDescription(bundle.get()) : std::nullopt;
    if (loaded) {
      const auto ui = std::make_shared<const Dict>(std::move(*loaded));
      std::vector<ShippedRun> runs;
      for (int i = 0; i < repeat; ++i) runs.push_back(runShipped(bundle, ui, *person));
      std::vector<Figure> shippedRegistration;
      for (const ShippedRun& run : runs) shippedRegistration.push_back(run.registration);
      // Each change's median over the runs, then the median and the worst change.
      std::vector<Change> changes = runs.front().changes;
      for (std::size_t c = 0; c < changes.size(); ++c) {
        std::vector<Figure> figures;
        for (const ShippedRun& run : runs) figures.push_back(run.changes[c].figure);
        changes[c].figure = medianOf(figures);
      }
      std::vector<double> ms;
      for (const Change& c : changes) ms.push_back(c.figure.ms);
      const auto worst = std::max_element(changes.begin(), changes.end(),
                                          [](const Change& a, const Change& b) { return a.figure.ms < b.figure.ms; });
      json shipped = {{"bundle", bundlePath},
                      {"controls", runs.front().controls},
                      {"registration", toJson(medianOf(shippedRegistration))},
                      {"changes", changes.size()},
                      {"medianChangeMs", median(ms)}};
      if (worst != changes.end())
        shipped["worstChange"] = {{"keyword", worst->keyword}, {"value", worst->value}, {"figure", toJson(worst->figure)}};
      out["shipped"] = shipped;

      if (const std::optional<fs::path> ppd = orval::cli::bundlePrinterDescription(*bundle)) {
        std::vector<double> open, cupsOpen;
        for (int i = 0; i < repeat; ++i) {
          if (const std::optional<double> ms = timeOpenToReady(bundle, *ppd)) open.push_back(*ms);
          if (const std::optional<double> ms = bench::timeCupsOpen(*ppd)) cupsOpen.push_back(*ms);
        }
        if (!open.empty()) out["openToReadyMs"] = median(open);
        if (!cupsOpen.empty()) out["cupsOpenMs"] = median(cupsOpen);
      }
    } else {
      out["shipped"] = {{"bundle", bundlePath}, {"error", "no bundle with a UI description there"}};
    }
  }

  if (asJson) {
    std::cout << out.dump(2) << "\n";
    return 0;
  }
  const json& s = out["synthetic"];
  std::printf("kora_mgr_bench: %d controls in %d chains of %d (median of %d runs)\n", shape.controls(), shape.chains,
              shape.length, repeat);
  const auto figure = [](const json& j) {
    return Figure{j["ms"].get<double>(), j["validations"].get<std::size_t>(), j["questions"].get<std::size_t>()};
  };
  printLine("registration and first validations", figure(s["registration"]));
  printLine("one user change and its cascade", figure(s["change"]));
  printLine("collective change of every value", figure(s["collective"]));
  if (out.contains("cups")) {
    printMs("cups: ppdMarkOption + ppdConflicts", out["cups"]["markAndConflictsMs"].get<double>());
    printMs("cups: cupsResolveConflicts", out["cups"]["resolveConflictsMs"].get<double>());
    std::printf("%-44s %10.3f\n", "ratio: one change / cupsResolveConflicts",
                out["ratio"]["changeToResolveConflicts"].get<double>());
  }
  const json& shipped = out["shipped"];
  if (shipped.contains("error")) {
    std::printf("shipped UI description: %s (%s)\n", shipped["error"].get<std::string>().c_str(),
                shipped["bundle"].get<std::string>().c_str());
    return 0;
  }
  std::printf("shipped UI description: %zu controls, %zu changes\n", shipped["controls"].get<std::size_t>(),
              shipped["changes"].get<std::size_t>());
  printLine("registration and first validations", figure(shipped["registration"]));
  printMs("one user change, median", shipped["medianChangeMs"].get<double>());
  if (shipped.contains("worstChange")) {
    const json& worst = shipped["worstChange"];
    printLine("one user change, worst: " + worst["keyword"].get<std::string>() + "=" +
                  worst["value"].get<std::string>(),
              figure(worst["figure"]));
  }
  if (out.contains("openToReadyMs")) printMs("open to ready (the bundle through the host)", out["openToReadyMs"]);
  if (out.contains("cupsOpenMs")) printMs("cups: ppdOpenFile + ppdMarkDefaults", out["cupsOpenMs"]);
  return 0;
}
