// Fresh process-wide state around every test of the panes and of the parts built on them: the pane plug-in
// manager, the preferences, the common helpers' registrations, the application and the notification centre.
#pragma once

#include <gtest/gtest.h>

#include "common/common_reset.h"
#include "favorites/app_preference.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/notification_center.h"
#include "platform/toolkit/application.h"

namespace orval::panes_testing {

class PanePlugInMgrTestBase : public ::testing::Test {
 public:
  static void resetAll() {
    PanePlugInMgr::resetSharedInstanceForTesting();
    AppPreference::resetSharedInstanceForTesting();
    resetCommonStateForTesting();
    tk::Application::resetSharedForTesting();
    NotificationCenter::defaultCenter().resetForTesting();
  }

 protected:
  void SetUp() override { resetAll(); }
  void TearDown() override { resetAll(); }
};

}  // namespace orval::panes_testing
