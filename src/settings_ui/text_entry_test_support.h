// Shared set-up of the text entry tests: a visible window to type in and the fixture principal bundle.
#pragma once

#include <memory>

#include "common/principal_bundle.h"
#include "platform/foundation/bundle.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/window.h"
#include "settings_ui/kora_ui_test_support.h"

namespace orval::testing_support {

// The fixture principal bundle: string tables in en and ja, and the KORATextField bundle in its Frameworks folder.
inline std::shared_ptr<Bundle> textEntryPrincipalBundle() {
  return Bundle::bundleWithPath(kora_ui_testing::testdataPath("text_entry/Principal.bundle"));
}

class TextEntryTest : public kora_ui_testing::ScriptedPersonTest {
 protected:
  TextEntryTest() { window->makeKeyAndOrderFront(); }
  ~TextEntryTest() override { window.reset(); }

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
  // The person tries to leave, is kept in the field by an alert and presses its button; answers the alerts' texts.
  std::vector<std::string> refusedLeave() {
    person->answerAlert(0);
    EXPECT_FALSE(leaveField());
    return alertTexts();
  }
  int beeps() const { return tk::Application::shared().beepCount(); }

  // A numeric field of class F (a KORATextField or a kind of it) for keyword, with unit and bounds.
  template <class F>
  F& numericField(const std::string& keyword, int unit, double minimum, double maximum) {
    F& field = addField(std::make_unique<F>());
    field.setKeyword(keyword);
    field.setNum(true);
    field.setUnit(unit);
    field.setMax(maximum);
    field.setMin(minimum);
    return field;
  }

  std::unique_ptr<tk::Window> window = std::make_unique<tk::Window>();
};

class PlainFieldTest : public TextEntryTest {
 protected:
  tk::TextField& field = addField(std::make_unique<tk::TextField>());
};

}  // namespace orval::testing_support
