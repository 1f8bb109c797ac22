#include <gmock/gmock.h>

#include <string>
#include <utility>

#include "platform/toolkit/alert.h"
#include "settings_ui/kora_mgr_test_support.h"

namespace orval {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace testing_support;

Dict targetDescription() { return popupDescription("Target", "Target", {{"A", "Choice A"}, {"B", "Choice B"}}, "A"); }

// "Source": a pop-up whose every table reaches "Target" when it is "On".
Dict sourceDescription() {
  Dict source = popupDescription("Source", "Source", {{"Off", "Off"}, {"On", "On"}}, "Off");
  source.set("condition", Dict{{"On", Dict{{"Target", false}}}});
  source.set("logical_sum_condition", Dict{{"On", Dict{{"Target", true}}}});
  source.set("hide", Dict{{"On", Dict{{"Target", true}}}});
  source.set("cooperation", Dict{{"On", Dict{{"Target", "B"}}}});
  source.set("conflict", Dict{{"On", Dict{{"Target", Dict{{"A", Dict{{"restore", "B"}}}}}}}});
  return source;
}

// Destroys control as its owner would: out of its view, then freed.
void destroy(KORAUI& control) { control.removeFromSuperview().reset(); }

// An operator that destroys a control while it answers the first alert, then presses answer.
class DestroyingOperator : public tk::Operator {
 public:
  DestroyingOperator(KORAUI& victim, std::size_t answer) : _victim(&victim), _answer(answer) {}
  std::size_t answerAlert(const tk::Alert& alert, bool) override {
    messages.push_back(alert.messageText());
    if (_victim != nullptr) destroy(*std::exchange(_victim, nullptr));
    return _answer;
  }
  void workModalWindow(tk::Window&) override { FAIL() << "no modal window expected"; }
  std::vector<std::string> messages;

 private:
  KORAUI* _victim;
  std::size_t _answer;
};

using KORAMgrLifetimeTest = KORAMgrTest;

TEST_F(KORAMgrLifetimeTest, LookupsValuesValidationAndCollectiveChangesForgetADestroyedControl) {
  add(sourceDescription());
  KORAUI& target = add(targetDescription());
  const std::size_t validations = engine->validationCount();
  const std::string backup = engine->backupSettings();

  destroy(target);
  EXPECT_THAT(registeredKeywords(*engine), ElementsAre("Source"));
  EXPECT_EQ(engine->getStringValue("Target"), std::nullopt);
  engine->setStringValue("Target", "B");
  engine->updateOldValue("Target");
  EXPECT_THAT(engine->getAllValueDictionary().keys(), ElementsAre("Source"));
  EXPECT_EQ(engine->conflictInfo("Source", "On"), std::nullopt);
  NotificationRecorder announced({"Target", "ValueChangFinished_Target", "ValueChangFinished_Source"});
  NotifyUnit::postNotificationName("Target", Dict{{"Paramater", "B"}});
  EXPECT_EQ(engine->validationCount(), validations);
  engine->removeControl(&target);
  EXPECT_THAT(registeredKeywords(*engine), ElementsAre("Source"));

  change("Source", "On");
  EXPECT_EQ(value("Source"), "On");
  EXPECT_THAT(announced.names(),
              ElementsAre("Target", "Target", "Target", "Target", "Target", "ValueChangFinished_Source"));
  EXPECT_TRUE(engine->restoreSettings(backup));
  EXPECT_EQ(value("Source"), "Off");
  engine->setSettings(Dict{{"Target", "B"}, {"Source", "On"}});
  EXPECT_EQ(value("Source"), "On");
  engine->setDefaults();
  EXPECT_EQ(value("Source"), "Off");
  EXPECT_THAT(alertTexts(), IsEmpty());
}

TEST_F(KORAMgrLifetimeTest, SettingsThatGrowWhileTheyAreAppliedAreAppliedAsGiven) {
  // The panel hands the engine its own option set and writes what the panes announce back
  // into it, so that set may grow while the engine is still walking it.
  add(sourceDescription());
  add(targetDescription());
  Dict settings{{"Target", "B"}, {"Source", "On"}};
  int added = 0;
  const auto grow = [&settings, &added](const Notification&) {
    for (int i = 0; i < 64; ++i) settings.set("Gathered" + std::to_string(added++), "x");
  };
  NotifyUnit::addObserver(this, grow, "ValueChangFinished_Target");
  NotifyUnit::addObserver(this, grow, "ValueChangFinished_Source");
  engine->setSettings(settings);
  NotifyUnit::removeObserver(this);
  EXPECT_GT(added, 0);
  EXPECT_EQ(value("Target") + " " + value("Source"), "B On");
}

TEST_F(KORAMgrLifetimeTest, TheNextControlOfAKeywordTakesOverAndALaterOneIsRegisteredAlone) {
  add(sourceDescription());
  KORAUI& first = add(targetDescription());
  KORAUI& second = add(targetDescription());
  destroy(first);
  EXPECT_EQ(engine->getControlsDictionary().primary("Target"), &second);
  engine->setStringValue("Target", "B");
  EXPECT_EQ(value("Target"), "B");
  change("Source", "On");
  EXPECT_TRUE(second.isHidden());

  destroy(second);
  KORAUI& replacement = add(targetDescription());
  EXPECT_EQ(engine->getControlsDictionary().find("Target")->size(), 1u);
  // Taking one control out keeps the keyword's others watched; the engine lets go of them when it goes.
  KORAUI& spare = add(targetDescription());
  engine->removeControl(&spare);
  engine.reset();
  destroy(replacement);
}

TEST_F(KORAMgrLifetimeTest, AControlDestroyedDuringItsConflictQuestionIsLeftAlone) {
  KORAUI& source = add(sourceDescription());
  add(targetDescription());
  auto closing = std::make_shared<DestroyingOperator>(source, 1);
  tk::Application::shared().setOperator(closing);
  NotificationRecorder finished({"ValueChangFinished_Source"});

  change("Source", "On");
  EXPECT_EQ(closing->messages.size(), 1u);
  EXPECT_THAT(registeredKeywords(*engine), ElementsAre("Target"));
  EXPECT_THAT(finished.names(), IsEmpty());
  EXPECT_EQ(value("Target"), "A");
}

TEST_F(KORAMgrLifetimeTest, NoWhileTheAskingControlGoesStillPutsTheKeywordsOtherControlsBack) {
  KORAUI& asking = add(sourceDescription());
  KORAUI& shortcut = add(sourceDescription());
  add(targetDescription());
  auto closing = std::make_shared<DestroyingOperator>(asking, 1);
  tk::Application::shared().setOperator(closing);

  // The person picks "On" in the shortcut; the engine asks through the first control of the
  // keyword, which goes with its pane while the question is open.
  shortcut.setStringValue("On");
  change("Source", "On");
  EXPECT_EQ(closing->messages.size(), 1u);
  EXPECT_EQ(shortcut.getStringValue(), "Off");
  EXPECT_EQ(value("Target"), "A");
}

}  // namespace
}  // namespace orval
