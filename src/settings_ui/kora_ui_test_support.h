// Helpers shared by KORAUI's tests: the fixture bundle, building a control, and a recorder of notifications.
#pragma once

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>

#include "common/common_reset.h"
#include "common/common_test_support.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/notification_center.h"
#include "platform/foundation/text_encoding.h"
#include "platform/foundation/value.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/scripted_operator.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/ui_description.h"

namespace orval::kora_ui_testing {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::IsEmpty;
using ::testing::Property;

inline std::filesystem::path testdataPath(const std::string& name) {
  return std::filesystem::path(ORVAL_SOURCE_DIR) / "src/settings_ui/testdata" / name;
}

// The fixture bundle with the UI description "KoraUITest", icons and a "UI" string table.
inline std::shared_ptr<Bundle> fixtureBundle() { return Bundle::bundleWithPath(testdataPath("KoraUI.plugin")); }

// The control description named name in bundle's UI description (the fixture bundle's by default); a
// missing one fails the test and gives an empty description.
inline Dict fixtureControl(const std::string& name, const std::shared_ptr<Bundle>& bundle = fixtureBundle()) {
  const std::optional<Dict> description = loadUIDescription(bundle.get());
  const Dict* control = description ? controlDescriptionNamed(*description, name) : nullptr;
  EXPECT_NE(control, nullptr) << name << " is not described in " << (bundle ? bundle->bundlePath().string() : "");
  return control != nullptr ? *control : Dict{};
}

using Choices = std::initializer_list<std::pair<std::string, std::string>>;
inline Value choices(Choices entries) {
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

// Every notification posted while alive (only those of the given names, when named), in order.
class NotificationRecorder {
 public:
  explicit NotificationRecorder(std::vector<std::string> only = {}) {
    NotificationCenter::defaultCenter().addObserver(this, "", nullptr, [this, only](const Notification& n) {
      if (only.empty() || std::find(only.begin(), only.end(), n.name) != only.end()) posted.push_back(n);
    });
  }
  ~NotificationRecorder() { NotificationCenter::defaultCenter().removeObserver(this); }
  NotificationRecorder(const NotificationRecorder&) = delete;
  NotificationRecorder& operator=(const NotificationRecorder&) = delete;

  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const Notification& n : posted) out.push_back(n.name);
    return out;
  }
  void clear() { posted.clear(); }

  std::vector<Notification> posted;
};

// Every test starts and ends with fresh process-wide state.
class KoraUITest : public ::testing::Test {
 public:
  static void resetAll() {
    NotificationCenter::defaultCenter().resetForTesting();
    tk::Application::resetSharedForTesting();
    resetCommonStateForTesting();
    resetDefaultCStringEncoding();
    KORAUI::setUpdateWithPrintOption(std::nullopt);
  }

 protected:
  void SetUp() override { resetAll(); }
  void TearDown() override { resetAll(); }
};

// Fresh state set up in the constructor (members may use it), English texts and a scripted person.
class ScriptedPersonTest : public ::testing::Test {
 protected:
  ScriptedPersonTest() {
    KoraUITest::resetAll();
    tk::Application::shared().setOperator(person);
  }
  ~ScriptedPersonTest() override { KoraUITest::resetAll(); }

  // The alerts shown so far: their message, or their informative text when the message is empty.
  std::vector<std::string> alertTexts() const {
    std::vector<std::string> texts;
    for (const auto& shown : person->alertsShown())
      texts.push_back(shown.messageText.empty() ? shown.informativeText : shown.messageText);
    return texts;
  }

  testing_support::ScopedEnvironment language{"LANGUAGE", "en"};
  std::shared_ptr<tk::ScriptedOperator> person = std::make_shared<tk::ScriptedOperator>();
};

}  // namespace orval::kora_ui_testing
