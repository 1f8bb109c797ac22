#include <random>

#include "platform/foundation/log.h"
#include "platform/toolkit/alert.h"
#include "settings_ui/kora_mgr_test_support.h"

namespace orval {
namespace {

using testing_support::KORAMgrTest;

constexpr const char* kChoices[] = {"A", "B", "C"};

// Answers every alert with a button drawn from its own seeded sequence, and records the questions.
class SeededOperator : public tk::Operator {
 public:
  explicit SeededOperator(unsigned seed) : _answers(seed) {}
  std::size_t answerAlert(const tk::Alert& alert, bool) override {
    questions.push_back(alert.messageText());
    return _answers() % alert.buttons().size();
  }
  void workModalWindow(tk::Window&) override { tk::Application::shared().abortModal(); }
  std::vector<std::string> questions;

 private:
  std::minstd_rand _answers;
};

// Everything a pane or a person can see after a run: questions, "ValueChangFinished_" posts with their
// collective flag, values, and per control its enabling, hiding and enabled pop-up items.
struct Seen {
  std::vector<std::string> questions, finished, states;
  Dict values;
  bool operator==(const Seen&) const = default;
};
struct Outcome : Seen {
  std::size_t validations = 0, skipped = 0;
};

std::string keyOf(int i) { return "K" + std::to_string(i); }

// A random acyclic UI description: every table of K<i> names only K<j>, j > i,
// in what it sets (conflicts read any keyword).
std::vector<Dict> randomDescriptions(std::minstd_rand& rng, int count) {
  const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  const auto choiceOf = [&](int choices) { return std::string(kChoices[pick(choices)]); };
  std::vector<int> choices(count);
  for (int& c : choices) c = 2 + pick(2);
  std::vector<Dict> descriptions;
  for (int i = 0; i < count; ++i) {
    Array items;
    for (int c = 0; c < choices[i]; ++c) items.push_back(Dict{{"choice", kChoices[c]}, {"text", kChoices[c]}});
    Dict d{{"mainKeyword", keyOf(i)}, {"control_type", "PopupButton"}, {"text", keyOf(i)},
           {"choices", items},        {"default", choiceOf(choices[i])}};
    if (pick(4) == 0) d.set("isEnableSpread", true);
    const auto later = [&] { return i + 1 + pick(count - i - 1); };
    const auto table = [&](const std::function<Value(int target)>& rule) {
      Dict t;
      for (int c = 0; c < choices[i]; ++c) {
        Dict entry;
        for (int n = pick(3); n > 0 && i + 1 < count; --n) {
          const int target = later();
          entry.set(keyOf(target), rule(target));
        }
        t.set(kChoices[c], entry);
      }
      return t;
    };
    const auto flag = [&](int) { return Value(pick(2) == 0); };
    if (pick(2) == 0)
      d.set("condition", table([&](int target) {
              if (pick(3) != 0) return Value(pick(2) == 0);
              Dict perItem;
              for (int c = 0; c < choices[target]; ++c) perItem.set(kChoices[c], pick(3) != 0);
              return Value(perItem);
            }));
    if (pick(3) == 0) d.set("logical_sum_condition", table(flag));
    if (pick(3) == 0) d.set("hide", table(flag));
    if (pick(2) == 0) d.set("cooperation", table([&](int target) { return Value(choiceOf(choices[target])); }));
    if (pick(3) == 0 && i + 1 < count) {
      const int other = pick(count);
      const int restored = later();
      const Value restore = pick(2) == 0 && other > i ? Value(choiceOf(choices[other]))
                                                      : Value(Dict{{keyOf(restored), choiceOf(choices[restored])}});
      const std::string self = pick(5) == 0 ? "__ALL__" : choiceOf(choices[i]);
      const Dict entry{{choiceOf(choices[other]), Dict{{"restore", restore}}}};
      d.set("conflict", Dict{{self, Dict{{keyOf(other), entry}}}});
    }
    if (pick(4) == 0 && i + 1 < count) {
      // A child whose enabling follows this control's value, outside the tables.
      d.set("other_controls", Array{keyOf(later())});
      d.set("other_controls_enable_choice", choiceOf(choices[i]));
    }
    if (pick(4) == 0) {
      const int other = pick(count);
      d.set("unrestorable_conflict",
            Dict{{choiceOf(choices[i]), Dict{{keyOf(other), Dict{{choiceOf(choices[other]), Dict{}}}}}}});
    }
    descriptions.push_back(d);
  }
  return descriptions;
}

class SettledSkipTest : public KORAMgrTest {
 protected:
  // One run with the settled skip and the cycle guard both on or both off.
  Outcome run(unsigned seed, bool skipAndGuard) {
    engine = std::make_unique<KORAMgr>();
    root.removeAllSubviews();
    engine->setSettledSkipEnabled(skipAndGuard);
    engine->setCycleGuardEnabled(skipAndGuard);
    engine->setInitializedNetworkDataProvider([] { return true; });
    auto answering = std::make_shared<SeededOperator>(seed);
    tk::Application::shared().setOperator(answering);
    Outcome outcome;
    NotifyUnit::addObserver(
        this,
        [&outcome](const Notification& n) {
          if (n.name.rfind("ValueChangFinished_", 0) == 0)
            outcome.finished.push_back(n.name + "/" + n.userInfo.get("isCollectiveChange").text());
        },
        "");

    std::minstd_rand rng(seed);
    const int count = 4 + static_cast<int>(rng() % 7);
    const std::vector<Dict> descriptions = randomDescriptions(rng, count);
    auto ui = std::make_shared<Dict>();
    for (int i = 0; i < count; ++i) ui->set(keyOf(i), descriptions[i]);
    // Later keywords first, as panes often register targets before their sources.
    for (auto it = descriptions.rbegin(); it != descriptions.rend(); ++it) {
      auto control = std::make_unique<KORAUI>(tk::Rect{0, 0, 400, 72});
      control->setControlDictionary(*it, nullptr);
      control->setUIDescription(ui);
      control->updateControl();
      registerControl(root.add(std::move(control)));
    }
    for (int step = 0; step < 8; ++step) {
      const std::string keyword = keyOf(static_cast<int>(rng() % count));
      const std::string value = kChoices[rng() % 3];
      if (step == 5) engine->setSettings(Dict{{keyword, value}, {keyOf(0), kChoices[rng() % 2]}});
      else change(keyword, value);
    }
    engine->setDefaults();

    NotifyUnit::removeObserver(this);
    outcome.questions = answering->questions;
    outcome.values = engine->getAllValueDictionary();
    for (const KORAControlRegistry::ControlRef& ref : engine->getControlsDictionary().allLiving()) {
      KORAUI* control = ref.control;
      std::string state = control->mainKeyword() + (control->isEnabled() ? " enabled" : " disabled") +
                          (control->isHidden() ? " hidden" : " shown") + " items:";
      for (int i = 0; i < control->popupButton()->numberOfItems(); ++i)
        state += control->popupButton()->isItemEnabled(i) ? "1" : "0";
      outcome.states.push_back(state);
    }
    outcome.validations = engine->validationCount();
    outcome.skipped = engine->settledSkipCount();
    return outcome;
  }
};

// Neither the skip nor the guard may change what acyclic tables do, keywords reached along several paths included.
TEST_F(SettledSkipTest, RandomAcyclicTablesEndAlikeWithAndWithoutTheSkipAndTheGuard) {
  LogCapture log;
  std::size_t validationsWith = 0, validationsWithout = 0, skipped = 0, questions = 0;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    const Outcome without = run(seed, false);
    const Outcome with = run(seed, true);
    ASSERT_EQ(static_cast<const Seen&>(with), without) << "seed " << seed;
    EXPECT_LE(with.validations, without.validations) << "seed " << seed;
    EXPECT_EQ(without.skipped, 0u);
    validationsWith += with.validations;
    validationsWithout += without.validations;
    skipped += with.skipped;
    questions += with.questions.size();
  }
  // The runs did ask questions, and the skip did save validations.
  EXPECT_GT(questions, 100u);
  EXPECT_GT(skipped, 0u);
  EXPECT_LT(validationsWith, validationsWithout);
  EXPECT_FALSE(log.contains("announced again"));
}

}  // namespace
}  // namespace orval
