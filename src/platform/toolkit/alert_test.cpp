#include "platform/toolkit/alert.h"

#include <gtest/gtest.h>

#include "platform/toolkit/toolkit.h"

namespace orval::tk {
namespace {

class AlertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application::resetSharedForTesting();
    Application::shared().setOperator(script);
    alert.setMessageText("Conflict");
    alert.setInformativeText("Change the staple setting?");
    alert.addButtonWithTitle("Yes");
    alert.addButtonWithTitle("No");
    alert.addButtonWithTitle("Cancel");
  }
  std::shared_ptr<ScriptedOperator> script = std::make_shared<ScriptedOperator>();
  Alert alert;
};

TEST_F(AlertTest, AnswersCountFromOneThousandInButtonOrder) {
  script->answerAlert(0).answerAlert(1).answerAlert(2).answerAlert("No");
  EXPECT_EQ((std::vector<int>{alert.runModal(), alert.runModal(), alert.runModal(), alert.runModal()}),
            (std::vector<int>{1000, 1001, 1002, AlertReturn::SecondButton}));
  ASSERT_EQ(script->alertsShown().size(), 4u);
  const auto& shown = script->alertsShown().front();
  EXPECT_EQ(std::tuple(shown.messageText, shown.informativeText, shown.buttons),
            std::tuple("Conflict", "Change the staple setting?", std::vector<std::string>{"Yes", "No", "Cancel"}));
  const auto& buttons = alert.buttons();
  EXPECT_EQ(std::tuple(buttons[0]->keyEquivalent(), buttons[2]->keyEquivalent(), buttons[1]->tag()),
            std::tuple("\r", "\x1b", 1001L));
}

TEST_F(AlertTest, AScriptThatCannotAnswerFailsLoudlyAndABareAlertGetsOK) {
  EXPECT_THROW(alert.runModal(), OperatorError);  // no step
  script->answerAlert(3);
  EXPECT_THROW(alert.runModal(), OperatorError);  // no fourth button
  script->answerAlert("Maybe");
  EXPECT_THROW(alert.runModal(), OperatorError);
  script->stopWith(1);
  EXPECT_THROW(alert.runModal(), OperatorError);  // an action where an answer is due
  Alert bare;  // without buttons: OK
  script->answerAlert("OK");
  EXPECT_EQ(bare.runModal(), 1000);
  EXPECT_EQ(bare.buttonTitles(), (std::vector<std::string>{"OK"}));
}

TEST_F(AlertTest, SheetAnswersGoToTheCompletionHandler) {
  Window window;
  int answer = 0;
  script->answerAlert(1);
  alert.beginSheetModalForWindow(&window, [&](int code) { answer = code; });
  EXPECT_EQ(answer, 1001);
  EXPECT_EQ(alert.sheetWindow(), &window);
  EXPECT_TRUE(script->alertsShown().back().asSheet);
  script->answerAlert(0);
  alert.beginSheetModalForWindow(nullptr, [&](int code) { answer = code; });
  EXPECT_EQ(std::tuple(answer, script->alertsShown().back().asSheet), std::tuple(1000, false));
}

}  // namespace
}  // namespace orval::tk
