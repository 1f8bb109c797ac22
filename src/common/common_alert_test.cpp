#include "common/common_alert.h"

#include <memory>

#include <gtest/gtest.h>

#include "common/common_reset.h"
#include "common/common_test_support.h"
#include "common/localized_string.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/scripted_operator.h"

namespace orval {
namespace {

class CommonAlertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetCommonStateForTesting();
    tk::Application::resetSharedForTesting();
    tk::Application::shared().setOperator(operator_);
  }
  void TearDown() override {
    resetCommonStateForTesting();
    tk::Application::resetSharedForTesting();
  }

  testing_support::ScopedEnvironment language_{"LANGUAGE", "en"};
  std::shared_ptr<tk::ScriptedOperator> operator_ = std::make_shared<tk::ScriptedOperator>();
};

TEST_F(CommonAlertTest, InformationalAlertHasOneOkButton) {
  operator_->answerAlert(0);
  EXPECT_EQ(showInformationalAlert("Saved", "The favorite was saved."), 1000);
  ASSERT_EQ(operator_->alertsShown().size(), 1u);
  const auto& shown = operator_->alertsShown()[0];
  EXPECT_EQ(shown.messageText, "Saved");
  EXPECT_EQ(shown.informativeText, "The favorite was saved.");
  EXPECT_EQ(shown.buttons, std::vector<std::string>{"OK"});
}

TEST_F(CommonAlertTest, ExceptionAlertIsLocalizedOrShowsItsKey) {
  operator_->answerAlert(0);
  showExceptionAlert(PlatformException("Err", "no tray"));
  SetNSBundleForLocalizedString(testing_support::fixtureBundle("Strings.bundle"));
  operator_->answerAlert(0);
  showExceptionAlert(PlatformException("NSRangeException", "index 3 beyond bounds"));
  ASSERT_EQ(operator_->alertsShown().size(), 2u);
  EXPECT_EQ(operator_->alertsShown()[0].messageText, "Exception: no tray");
  EXPECT_EQ(operator_->alertsShown()[1].messageText, "An error occurred: index 3 beyond bounds");
}

}  // namespace
}  // namespace orval
