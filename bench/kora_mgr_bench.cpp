// kora_mgr_bench: measures the constraint engine on a large UI description.
//
// Builds several hundred pop-up controls in chains: every control enables the
// next one of its chain ("condition") and hands it its value ("cooperation");
// every fifth one also enables the control two ahead through a logical sum
// and shows or hides it, and every chain's middle conflicts with the head of
// the next chain (the question is answered "Yes"). It then times
//
//   1. registration with the first validation of every control,
//   2. one user change at the head of a chain with its cascade,
//   3. a collective change of every value,
//
// and prints each figure with the number of validations it caused.
//
// Usage: kora_mgr_bench [controls (default 400)] [chain length (default 20)]
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "common/notify_unit.h"
#include "platform/foundation/value.h"
#include "platform/toolkit/alert.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/operator.h"
#include "platform/toolkit/view.h"
#include "settings_ui/kora_mgr.h"
#include "settings_ui/kora_ui.h"

namespace {

using orval::Array;
using orval::Dict;
using orval::KORAMgr;
using orval::KORAUI;
using orval::Value;

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

std::string keyOf(int chain, int position) {
  return "Setting" + std::to_string(chain) + "_" + std::to_string(position);
}

Dict onOffTable(const std::string& target, const Value& whenOff, const Value& whenOn) {
  return Dict{{"Off", Dict{{target, whenOff}}}, {"On", Dict{{target, whenOn}}}};
}

// The control description of one position of one chain.
Dict describe(int chain, int position, int chains, int length) {
  const std::string keyword = keyOf(chain, position);
  Dict d{{"mainKeyword", keyword},
         {"control_type", "PopupButton"},
         {"text", keyword},
         {"choices", Array{Dict{{"choice", "Off"}, {"text", "Off"}}, Dict{{"choice", "On"}, {"text", "On"}}}},
         {"default", "Off"}};
  if (position + 1 < length) {
    const std::string next = keyOf(chain, position + 1);
    d.set("condition", onOffTable(next, false, true));
    d.set("cooperation", onOffTable(next, "Off", "On"));
  }
  if (position % 5 == 0 && position + 2 < length) {
    const std::string skip = keyOf(chain, position + 2);
    d.set("logical_sum_condition", onOffTable(skip, true, true));
    d.set("hide", onOffTable(skip, false, false));
  }
  if (position == length / 2 && chains > 1) {
    const std::string other = keyOf((chain + 1) % chains, 0);
    d.set("conflict", Dict{{"On", Dict{{other, Dict{{"Off", Dict{{"restore", "On"}}}}}}}});
  }
  return d;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void report(const char* what, double ms, std::size_t validations, std::size_t questions) {
  std::printf("%-44s %10.2f ms %10zu validations %6zu questions\n", what, ms, validations, questions);
}

}  // namespace

int main(int argc, char** argv) {
  const int controls = argc > 1 ? std::atoi(argv[1]) : 400;
  const int length = argc > 2 ? std::atoi(argv[2]) : 20;
  if (controls < 1 || length < 1 || length > controls) {
    std::fprintf(stderr, "usage: kora_mgr_bench [controls >= 1] [1 <= chain length <= controls]\n");
    return 2;
  }
  const int chains = controls / length;

  auto person = std::make_shared<FirstButtonOperator>();
  orval::tk::Application::shared().setOperator(person);

  // Build the controls (not timed: this is the control builder's work).
  orval::tk::View root(orval::tk::Rect{0, 0, 400, 72.0 * chains * length});
  std::vector<KORAUI*> built;
  const auto buildStart = std::chrono::steady_clock::now();
  for (int chain = 0; chain < chains; ++chain) {
    // Later positions first, so that every target exists when its source is validated.
    for (int position = length - 1; position >= 0; --position) {
      auto control = std::make_unique<KORAUI>(orval::tk::Rect{0, 0, 400, 72});
      control->setControlDictionary(describe(chain, position, chains, length), nullptr);
      control->updateControl();
      built.push_back(&root.add(std::move(control)));
    }
  }
  const double buildMs = millisecondsSince(buildStart);

  KORAMgr engine;
  engine.setInitializedNetworkDataProvider([] { return true; });
  std::printf("kora_mgr_bench: %d controls in %d chains of %d (%.2f ms to build them)\n", chains * length, chains,
              length, buildMs);

  // 1. Registration with the first validations, as the pane plug-in manager registers.
  std::size_t validations = engine.validationCount();
  std::size_t questions = person->answered;
  auto start = std::chrono::steady_clock::now();
  for (KORAUI* control : built) {
    engine.addControl(control);
    orval::NotifyUnit::postNotificationName(control->mainKeyword());
  }
  report("registration and first validations", millisecondsSince(start), engine.validationCount() - validations,
         person->answered - questions);

  // 2. One user change at the head of the first chain, with its cascade.
  validations = engine.validationCount();
  questions = person->answered;
  start = std::chrono::steady_clock::now();
  orval::NotifyUnit::postNotificationName(keyOf(0, 0), Dict{{"Paramater", "On"}});
  report("one user change and its cascade", millisecondsSince(start), engine.validationCount() - validations,
         person->answered - questions);

  // 3. A collective change of every value.
  Dict settings;
  for (const auto& [keyword, value] : engine.getAllValueDictionary())
    settings.set(keyword, Value(value.text() == "On" ? "Off" : "On"));
  validations = engine.validationCount();
  questions = person->answered;
  start = std::chrono::steady_clock::now();
  engine.setSettings(settings);
  report("collective change of every value", millisecondsSince(start), engine.validationCount() - validations,
         person->answered - questions);

  std::size_t on = 0;
  for (const auto& entry : engine.getAllValueDictionary()) on += entry.second.text() == "On" ? 1 : 0;
  std::printf("after the collective change: %zu of %zu settings are On\n", on, engine.getControlsDictionary().size());
  return 0;
}
