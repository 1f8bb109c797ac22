// Helpers shared by KORAUI's tests: the fixture bundle, control descriptions
// written inline, building a control, and a recorder of posted notifications.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "common/common_reset.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/notification_center.h"
#include "platform/foundation/value.h"
#include "platform/toolkit/application.h"
#include "settings_ui/kora_ui.h"

namespace orval::kora_ui_testing {

inline std::filesystem::path testdataPath(const std::string& name) {
  return std::filesystem::path(ORVAL_SOURCE_DIR) / "src/settings_ui/testdata" / name;
}

// The fixture bundle with the UI description "KoraUITest", icons and a "UI" string table.
inline std::shared_ptr<Bundle> fixtureBundle() { return Bundle::bundleWithPath(testdataPath("KoraUI.plugin")); }

// A "choices" array from (choice, text) pairs.
inline Value choices(std::initializer_list<std::pair<const char*, const char*>> entries) {
  Array list;
  for (const auto& [choice, text] : entries) list.push_back(Dict{{"choice", choice}, {"text", text}});
  return list;
}

// A control of the given size built from description (with bundle, for no pane unless given).
inline std::unique_ptr<KORAUI> build(const Dict& description, std::shared_ptr<Bundle> bundle = nullptr,
                                     double width = 400, double height = 100, const std::string* pane = nullptr) {
  auto control = std::make_unique<KORAUI>(tk::Rect{0, 0, width, height});
  control->setControlDictionary(description, std::move(bundle));
  if (pane != nullptr) control->updateControl(*pane);
  else control->updateControl();
  return control;
}

// Every notification posted while alive, in order.
class NotificationRecorder {
 public:
  NotificationRecorder() {
    NotificationCenter::defaultCenter().addObserver(this, "", nullptr,
                                                    [this](const Notification& n) { posted.push_back(n); });
  }
  ~NotificationRecorder() { NotificationCenter::defaultCenter().removeObserver(this); }
  NotificationRecorder(const NotificationRecorder&) = delete;
  NotificationRecorder& operator=(const NotificationRecorder&) = delete;

  // The names posted, in order.
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const Notification& n : posted) out.push_back(n.name);
    return out;
  }

  std::vector<Notification> posted;
};

// Every test starts and ends with fresh process-wide state.
class KoraUITest : public ::testing::Test {
 protected:
  void SetUp() override { reset(); }
  void TearDown() override { reset(); }
  static void reset() {
    NotificationCenter::defaultCenter().resetForTesting();
    tk::Application::resetSharedForTesting();
    resetCommonStateForTesting();
    KORAUI::setUpdateWithPrintOption(std::nullopt);
  }
};

}  // namespace orval::kora_ui_testing
