// Modal runs, sheets and the run loop's modes, worked by a scripted person.
#include "platform/toolkit/application.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/log.h"
#include "platform/toolkit/toolkit.h"

namespace orval::tk {
namespace {

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application::resetSharedForTesting();
    Application::shared().setOperator(script);
  }
  Application& app() { return Application::shared(); }
  std::shared_ptr<ScriptedOperator> script = std::make_shared<ScriptedOperator>();
};

struct Dialog {
  Panel window{{0, 0, 300, 120}, "Job name setting"};
  Button& ok = window.contentView().add(std::make_unique<Button>(Rect{200, 10, 80, 32}));
  Dialog() {
    ok.setTitle("OK");
    ok.setAction("okButton:", [](Control&) { Application::shared().stopModalWithCode(1); });
  }
};

TEST_F(ApplicationTest, ScriptedPersonClicksButtonsByTitle) {
  Dialog dialog;
  script->act([&](Window& w) {
    EXPECT_TRUE(w.isVisible());
    EXPECT_THROW(clickButton(w, "Help"), OperatorError);
    EXPECT_TRUE(clickButton(w, "OK"));
  });
  EXPECT_EQ(app().runModalForWindow(dialog.window), 1);
  EXPECT_EQ(script->remainingSteps(), 0u);
  EXPECT_EQ(script->windowsWorked(), (std::vector<std::string>{"Job name setting"}));
}

TEST_F(ApplicationTest, NestedRunsEndInnermostFirst) {
  Dialog outer;
  Panel inner({0, 0, 100, 100}, "Version");
  script->act([&](Window&) {
    EXPECT_EQ(app().runModalForWindow(inner), ModalResponse::Stop);
    EXPECT_EQ(app().modalWindow(), &outer.window);
    app().stopModalWithCode(1);
  });
  script->act([&](Window& w) {
    EXPECT_EQ(&w, &inner);
    EXPECT_EQ(app().modalWindow(), &inner);  // the innermost run's
    EXPECT_EQ(app().modalWindows(), (std::vector<Window*>{&outer.window, &inner}));
    app().stopModal();
  });
  EXPECT_EQ(app().runModalForWindow(outer.window), 1);
}

TEST_F(ApplicationTest, AnUnansweredRunFailsLoudlyAndLeavesNoSessionBehind) {
  Dialog dialog;
  EXPECT_THAT([&] { app().runModalForWindow(dialog.window); },
              ::testing::ThrowsMessage<OperatorError>(::testing::HasSubstr("Job name setting")));
  EXPECT_FALSE(app().isRunningModal());
  script->answerAlert(0);
  EXPECT_THROW(app().runModalForWindow(dialog.window), OperatorError);  // wrong kind of step
  app().setOperator(nullptr);
  EXPECT_THROW(app().runModalForWindow(dialog.window), OperatorError);
}

TEST_F(ApplicationTest, StoppingWithoutARunIsHarmlessAndClosingOrDestroyingAborts) {
  LogCapture log;
  app().stopModal();
  EXPECT_TRUE(log.contains("stopModal without a modal run"));
  Dialog dialog;
  script->act([](Window& w) { w.close(); });
  EXPECT_EQ(app().runModalForWindow(dialog.window), ModalResponse::Abort);
  EXPECT_FALSE(dialog.window.isVisible());
  auto destroyed = std::make_unique<Dialog>();  // destroying the modal window aborts its run too
  script->act([&](Window&) { destroyed.reset(); });
  EXPECT_EQ(app().runModalForWindow(destroyed->window), ModalResponse::Abort);
}

TEST_F(ApplicationTest, ModalSessionsCanBeRunTurnByTurn) {
  Dialog dialog;
  script->act([](Window&) {});
  script->stopWith(5);
  const Application::ModalSession session = app().beginModalSessionForWindow(dialog.window);
  EXPECT_EQ(app().runModalSession(session), ModalResponse::Continue);
  EXPECT_EQ(app().runModalSession(session), 5);
  app().endModalSession(session);
  EXPECT_EQ(app().modalWindow(), nullptr);
}

TEST_F(ApplicationTest, ModalRunsDrainOnlyModalPanelItems) {
  Dialog dialog;
  std::vector<std::string> ran;
  RunLoop& loop = app().runLoop();
  loop.performOnNextTurn([&] { ran.push_back("default"); });
  loop.performOnNextTurn([&] { ran.push_back("modal"); }, {RunLoopMode::ModalPanel});
  script->act([&](Window&) {
    EXPECT_EQ(ran, (std::vector<std::string>{"modal"}));  // before the person's first turn
    // Deferred inside the run, performed after this turn.
    loop.performOnNextTurn([&] { dialog.ok.performClick(); }, {RunLoopMode::ModalPanel});
  });
  EXPECT_EQ(app().runModalForWindow(dialog.window), 1);
  EXPECT_EQ(ran, (std::vector<std::string>{"modal"}));
}

TEST_F(ApplicationTest, SheetsAreWorkedUntilEndedAndReportTheirCode) {
  Dialog dialog;
  Panel sheet({0, 0, 200, 100}, "Tray");
  int answer = -1;
  script->act([](Window&) {});
  script->act([&](Window& w) {
    EXPECT_EQ(w.sheetParent(), &dialog.window);
    EXPECT_EQ(dialog.window.attachedSheet(), &sheet);
    endModalWindow(w, 1);
  });
  EXPECT_TRUE(dialog.window.beginSheet(sheet, [&](int code) { answer = code; }));
  EXPECT_EQ(std::tuple(answer, dialog.window.attachedSheet(), sheet.isVisible()), std::tuple(1, nullptr, false));
  // An unanswerable sheet is taken down without an answer.
  answer = -1;
  EXPECT_THROW(dialog.window.beginSheet(sheet, [&](int code) { answer = code; }), OperatorError);
  EXPECT_EQ(std::tuple(answer, dialog.window.attachedSheet()), std::tuple(-1, nullptr));
}

}  // namespace
}  // namespace orval::tk
