// Shared set-up of the text entry tests: a fresh application with a scripted
// person, a visible window to type in, and the fixture principal bundle.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/common_reset.h"
#include "common/common_test_support.h"
#include "common/principal_bundle.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/notification_center.h"
#include "platform/foundation/text_encoding.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/scripted_operator.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/window.h"

namespace orval::testing_support {

// The fixture principal bundle: string tables in en and ja, and the
// KORATextField bundle with "IDM_MSG58" in its Frameworks folder.
inline std::shared_ptr<Bundle> textEntryPrincipalBundle() {
  return Bundle::bundleWithPath(std::filesystem::path(ORVAL_SOURCE_DIR) /
                                "src/settings_ui/testdata/text_entry/Principal.bundle");
}

// Everything is set up in the constructor, so that a test's members may
// already add their fields to the window.
class TextEntryTest : public ::testing::Test {
 protected:
  TextEntryTest() {
    resetAll();
    tk::Application::shared().setOperator(person);
    window = std::make_unique<tk::Window>();
    window->makeKeyAndOrderFront();
  }
  ~TextEntryTest() override {
    window.reset();
    resetAll();
  }

  // Adds field to the window's content and answers it.
  template <class F>
  F& addField(std::unique_ptr<F> field) {
    return window->contentView().add(std::move(field));
  }
  // Gives field the focus and answers the editor the person types into.
  tk::FieldEditor& edit(tk::TextField& field) {
    EXPECT_TRUE(window->makeFirstResponder(&field));
    tk::FieldEditor* editor = field.currentEditor();
    EXPECT_NE(editor, nullptr);
    return editor ? *editor : window->fieldEditor();
  }
  // The person moves the focus away; false when the field kept it.
  bool leaveField() { return window->makeFirstResponder(nullptr); }
  int beeps() const { return tk::Application::shared().beepCount(); }
  // The messages of the alerts shown so far (message text, or the informative text when it is empty).
  std::vector<std::string> alertTexts() const {
    std::vector<std::string> texts;
    for (const auto& shown : person->alertsShown())
      texts.push_back(shown.messageText.empty() ? shown.informativeText : shown.messageText);
    return texts;
  }

  ScopedEnvironment language{"LANGUAGE", "en"};
  std::shared_ptr<tk::ScriptedOperator> person = std::make_shared<tk::ScriptedOperator>();
  std::unique_ptr<tk::Window> window;

 private:
  static void resetAll() {
    resetCommonStateForTesting();
    tk::Application::resetSharedForTesting();
    NotificationCenter::defaultCenter().resetForTesting();
    resetDefaultCStringEncoding();
  }
};

}  // namespace orval::testing_support
