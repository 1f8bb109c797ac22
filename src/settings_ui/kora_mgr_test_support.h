// Shared set-up of the constraint engine's tests: a fresh process state, a
// scripted person answering the alerts, an engine, and small builders of
// control descriptions registered the way the pane plug-in manager does it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "common/common_reset.h"
#include "common/common_test_support.h"
#include "common/notify_unit.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/notification_center.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/scripted_operator.h"
#include "platform/toolkit/view.h"
#include "settings_ui/kora_mgr.h"
#include "settings_ui/kora_ui.h"

namespace orval::testing_support {

// The fixture bundle of the engine's tests: a UI description with children
// and a "UI" string table.
inline std::filesystem::path engineBundlePath() {
  return std::filesystem::path(ORVAL_SOURCE_DIR) / "src/settings_ui/testdata/kora_mgr/Engine.bundle";
}

// One choice of a control description.
struct Choice {
  std::string value;
  std::string text;
};

// A choice list: [{"choice": value, "text": text}, ...].
inline Array choiceArray(const std::vector<Choice>& choices) {
  Array array;
  for (const Choice& c : choices) array.push_back(Dict{{"choice", c.value}, {"text", c.text}});
  return array;
}

// A pop-up description for keyword with its name in messages, choices and default.
inline Dict popupDescription(const std::string& keyword, const std::string& messageName,
                             const std::vector<Choice>& choices, const std::string& defaultValue) {
  return Dict{{"mainKeyword", keyword},       {"control_type", "PopupButton"}, {"text", messageName},
              {"text_for_message", messageName}, {"choices", choiceArray(choices)}, {"default", defaultValue}};
}

// A one-line text field description (its value is the text; its selection text too).
inline Dict textDescription(const std::string& keyword, const std::string& messageName,
                            const std::string& defaultValue) {
  return Dict{{"mainKeyword", keyword},
              {"control_type", "TextField_text"},
              {"text", messageName},
              {"text_for_message", messageName},
              {"default", defaultValue}};
}

// Records every notification of the given names, in order.
class NotificationRecorder {
 public:
  struct Entry {
    std::string name;
    Dict userInfo;
  };
  explicit NotificationRecorder(std::vector<std::string> names) {
    for (const std::string& name : names)
      NotifyUnit::addObserver(this, [this](const Notification& n) { _entries.push_back({n.name, n.userInfo}); },
                              name);
  }
  ~NotificationRecorder() { NotifyUnit::removeObserver(this); }
  NotificationRecorder(const NotificationRecorder&) = delete;
  NotificationRecorder& operator=(const NotificationRecorder&) = delete;

  const std::vector<Entry>& entries() const { return _entries; }
  std::vector<std::string> names() const {
    std::vector<std::string> names;
    for (const Entry& e : _entries) names.push_back(e.name);
    return names;
  }
  void clear() { _entries.clear(); }

 private:
  std::vector<Entry> _entries;
};

class KORAMgrTest : public ::testing::Test {
 protected:
  KORAMgrTest() {
    resetAll();
    tk::Application::shared().setOperator(person);
  }
  ~KORAMgrTest() override {
    engine.reset();
    root.removeAllSubviews();
    resetAll();
  }

  // Builds a control from description (with bundle, or none) inside the root view.
  KORAUI& build(const Dict& description, std::shared_ptr<Bundle> bundle = nullptr) {
    auto control = std::make_unique<KORAUI>(tk::Rect{0, 0, 400, 72});
    control->setControlDictionary(description, std::move(bundle));
    control->updateControl();
    return root.add(std::move(control));
  }

  // Builds and registers a control as the pane plug-in manager does: add it,
  // then announce its keyword and each child's once.
  KORAUI& add(const Dict& description, std::shared_ptr<Bundle> bundle = nullptr) {
    KORAUI& control = build(description, std::move(bundle));
    registerControl(control);
    return control;
  }

  void registerControl(KORAUI& control) {
    engine->addControl(&control);
    NotifyUnit::postNotificationName(control.mainKeyword());
    for (KORAUI* child : control.childControls()) NotifyUnit::postNotificationName(child->mainKeyword());
  }

  // A user change of keyword to value, announced as a pop-up announces it.
  void change(const std::string& keyword, const std::string& value) {
    NotifyUnit::postNotificationName(keyword, Dict{{"Paramater", value}});
  }

  std::string value(const std::string& keyword) { return engine->getStringValue(keyword).value_or("<none>"); }

  // The message texts of the alerts shown so far.
  std::vector<std::string> alertTexts() const {
    std::vector<std::string> texts;
    for (const auto& shown : person->alertsShown()) texts.push_back(shown.messageText);
    return texts;
  }

  ScopedEnvironment language{"LANGUAGE", "en"};
  std::shared_ptr<tk::ScriptedOperator> person = std::make_shared<tk::ScriptedOperator>();
  tk::View root{tk::Rect{0, 0, 400, 4000}};
  std::unique_ptr<KORAMgr> engine = std::make_unique<KORAMgr>();

 private:
  static void resetAll() {
    resetCommonStateForTesting();
    KORAUI::setUpdateWithPrintOption(std::nullopt);
    tk::Application::resetSharedForTesting();
    NotificationCenter::defaultCenter().resetForTesting();
  }
};

}  // namespace orval::testing_support
