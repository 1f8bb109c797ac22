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

TEST(CommonAlertTest, InformationalAndExceptionAlerts) {
  resetCommonStateForTesting();
  tk::Application::resetSharedForTesting();
  const auto person = std::make_shared<tk::ScriptedOperator>();
  tk::Application::shared().setOperator(person);
  person->answerAlert(0);
  EXPECT_EQ(showInformationalAlert("Saved", "The favorite was saved."), 1000);
  SetNSBundleForLocalizedString(testing_support::fixtureBundle("Strings.bundle"));
  person->answerAlert(0);
  showExceptionAlert(PlatformException("NSRangeException", "index 3 beyond bounds"));
  const auto& shown = person->alertsShown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].informativeText, "The favorite was saved.");
  EXPECT_EQ(shown[0].buttons, std::vector<std::string>{"OK"});
  EXPECT_EQ(shown[1].messageText, "An error occurred: index 3 beyond bounds");
  resetCommonStateForTesting();
  tk::Application::resetSharedForTesting();
}

}  // namespace
}  // namespace orval
