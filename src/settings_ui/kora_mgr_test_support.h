// The constraint engine's tests: fresh process state, a scripted person, an engine, and controls
// registered the way the pane plug-in manager does it.
#pragma once

#include "common/common_test_support.h"
#include "common/notify_unit.h"
#include "platform/toolkit/view.h"
#include "settings_ui/kora_mgr.h"
#include "settings_ui/kora_ui_test_support.h"

namespace orval::testing_support {

// The fixture bundle of the engine's tests: a UI description with children and a "UI" string table.
inline std::filesystem::path engineBundlePath() {
  return std::filesystem::path(ORVAL_SOURCE_DIR) / "src/settings_ui/testdata/kora_mgr/Engine.bundle";
}

using kora_ui_testing::choices;
using kora_ui_testing::Choices;
using kora_ui_testing::fixtureControl;
using kora_ui_testing::NotificationRecorder;

// A pop-up description for keyword with its name in messages, (choice, text) pairs and default.
inline Dict popupDescription(const std::string& keyword, const std::string& messageName, Choices list,
                             const std::string& defaultValue) {
  return Dict{{"mainKeyword", keyword},       {"control_type", "PopupButton"}, {"text", messageName},
              {"text_for_message", messageName}, {"choices", choices(list)}, {"default", defaultValue}};
}

// A one-line text field description (its value is the text; its selection text too).
inline Dict textDescription(const std::string& keyword, const std::string& messageName,
                            const std::string& defaultValue) {
  return Dict{{"mainKeyword", keyword}, {"control_type", "TextField_text"}, {"text", messageName},
              {"text_for_message", messageName}, {"default", defaultValue}};
}

// The keywords the engine holds controls for, in its order.
inline std::vector<std::string> registeredKeywords(const KORAMgr& engine) {
  std::vector<std::string> keywords;
  for (const auto& entry : engine.getControlsDictionary()) keywords.push_back(entry.keyword);
  return keywords;
}

class KORAMgrTest : public kora_ui_testing::ScriptedPersonTest {
 protected:
  ~KORAMgrTest() override {
    engine.reset();
    root.removeAllSubviews();
  }

  KORAUI& build(const Dict& description, std::shared_ptr<Bundle> bundle = nullptr) {
    return root.add(kora_ui_testing::build(description, std::move(bundle), 400, 72));
  }

  // Builds and registers a control as the pane plug-in manager does: add it, announce its keyword and children's.
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

  tk::View root{tk::Rect{0, 0, 400, 4000}};
  std::unique_ptr<KORAMgr> engine = std::make_unique<KORAMgr>();
};

}  // namespace orval::testing_support
