#include "platform/toolkit/field_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/notification_center.h"
#include "platform/toolkit/toolkit.h"

namespace orval::tk {
namespace {

// Digits only, at most four; a typed lower-case "k" is proposed as "000" (past four digits: refused outright).
class DigitsFormatter : public Formatter {
 public:
  static bool digits(const std::string& s) { return s.find_first_not_of("0123456789") == std::string::npos; }
  std::optional<std::string> stringForObjectValue(const Value& object) const override {
    return object.isInteger() ? std::optional<std::string>(object.text()) : std::nullopt;
  }
  bool getObjectValue(Value* object, const std::string& string, std::string* error) const override {
    if (string.empty() || !digits(string)) {
      if (error) *error = "not a number";
      return false;
    }
    *object = Value(static_cast<long long>(std::stoll(string)));
    return true;
  }
  bool isPartialStringValid(const std::string& partial, Range*, std::optional<std::string>* newString,
                            std::string*) const override {
    const auto k = partial.find('k');
    if (k == std::string::npos) return partial.size() <= 4 && digits(partial);
    if (std::string expanded = std::string(partial).replace(k, 1, "000"); expanded.size() <= 4) *newString = expanded;
    return false;
  }
};

class RecordingDelegate : public TextFieldDelegate {
 public:
  std::vector<std::string> calls;
  bool allowEnd = true;
  bool textShouldEndEditing(TextField&, FieldEditor& editor) override {
    calls.push_back("shouldEnd:" + editor.string());
    return allowEnd;
  }
  void controlTextDidBeginEditing(TextField&) override { calls.push_back("begin"); }
  void controlTextDidChange(TextField& field) override { calls.push_back("change:" + field.stringValue()); }
  void controlTextDidEndEditing(TextField&, TextMovement movement) override {
    calls.push_back(movement == TextMovement::Return ? "end:return"
                    : movement == TextMovement::Tab  ? "end:tab"
                                                     : "end");
  }
};

class FieldEditorTest : public ::testing::Test {
 protected:
  void SetUp() override { Application::resetSharedForTesting(); }
  TextField& addField(Window& w, const std::string& text = "", TextFieldDelegate* delegate = nullptr) {
    TextField& field = w.contentView().add(std::make_unique<TextField>(Rect{10, 10, 100, 24}));
    field.setStringValue(text);
    field.setDelegate(delegate);
    return field;
  }
  FieldEditor& edit(TextField& field) { return field.selectText() ? *field.currentEditor() : window.fieldEditor(); }
  Window window;
};

TEST_F(FieldEditorTest, FocusSelectsAllAndTypingReplacesTheSelection) {
  TextField& field = addField(window, "abc");
  FieldEditor* editor = &edit(field);
  EXPECT_TRUE(editor->typeText("xy"));
  EXPECT_EQ(std::tuple(field.stringValue(), editor->selectedRange()), std::tuple("xy", Range{2, 0}));
  editor->setSelectedRange({1, 0});
  EXPECT_TRUE(editor->insertText("Z"));
  EXPECT_EQ(field.stringValue(), "xZy");
  EXPECT_TRUE(editor->deleteBackward());
  EXPECT_TRUE(editor->deleteBackward());
  EXPECT_FALSE(editor->deleteBackward());  // at the start
  EXPECT_EQ(field.stringValue(), "y");
  EXPECT_TRUE(editor->replaceCharactersInRange({0, 1}, "é€"));
  EXPECT_EQ(editor->selectedRange(), (Range{2, 0}));
  EXPECT_TRUE(editor->deleteBackward());  // one character, not one byte
  EXPECT_EQ(field.stringValue(), "é");
}

TEST_F(FieldEditorTest, RefusedKeystrokeRestoresTextAndSelectionAndReplacementsMoveTheCaret) {
  TextField& field = addField(window);
  field.setFormatter(std::make_shared<DigitsFormatter>());
  FieldEditor& editor = edit(field);
  EXPECT_TRUE(editor.typeText("12"));
  editor.setSelectedRange({1, 1});
  const int beeps = Application::shared().beepCount();
  EXPECT_FALSE(editor.insertText("a"));
  EXPECT_EQ(std::tuple(editor.string(), editor.selectedRange(), Application::shared().beepCount()),
            std::tuple("12", Range{1, 1}, beeps + 1));

  editor.setSelectedRange({0, 2});  // a formatter's replacement is shown with the caret at its end
  EXPECT_TRUE(editor.insertText("4"));
  EXPECT_TRUE(editor.insertText("k"));
  EXPECT_EQ(std::tuple(editor.string(), editor.selectedRange()), std::tuple("4000", Range{4, 0}));
  // A replacement the formatter withdraws refuses the keystroke.
  editor.setSelectedRange({0, 4});
  EXPECT_TRUE(editor.insertText("12"));
  EXPECT_FALSE(editor.insertText("k"));
  EXPECT_EQ(editor.string(), "12");
}

TEST_F(FieldEditorTest, DelegateHearsBeginChangeAndEndInOrder) {
  RecordingDelegate delegate;
  TextField& field = addField(window, "a", &delegate);
  int actions = 0;
  field.setAction("textAction:", [&](Control&) { ++actions; });
  field.selectText();
  EXPECT_TRUE(delegate.calls.empty());  // focus alone begins nothing
  field.currentEditor()->typeText("bc");
  ASSERT_TRUE(window.makeFirstResponder(nullptr));
  EXPECT_EQ(delegate.calls, (std::vector<std::string>{"begin", "change:b", "change:bc", "shouldEnd:bc", "end"}));
  EXPECT_EQ(field.currentEditor(), nullptr);
  EXPECT_EQ(actions, 0);  // moving the focus does not send the action
}

TEST_F(FieldEditorTest, RefusedEndOfEditingKeepsTheFocusAndTheText) {
  RecordingDelegate delegate;
  delegate.allowEnd = false;
  TextField& field = addField(window, "old", &delegate);
  TextField& other = addField(window, "other");
  edit(field).typeText("new");
  EXPECT_FALSE(window.makeFirstResponder(&other));
  ASSERT_NE(field.currentEditor(), nullptr);
  EXPECT_EQ(window.firstResponder(), field.currentEditor());
  EXPECT_FALSE(field.currentEditor()->insertNewline());
  EXPECT_FALSE(field.currentEditor()->insertTab());

  window.endEditingFor(nullptr);  // forced: commits without asking
  EXPECT_EQ(std::tuple(field.currentEditor(), field.objectValue(), delegate.calls.back()),
            std::tuple(nullptr, Value("new"), "end"));
}

// A field editor that, like the system's no-empty editor, keeps the focus while its text is empty.
class NoEmptyEditor : public FieldEditor {
 public:
  bool resignFirstResponder() override { return !string().empty() && FieldEditor::resignFirstResponder(); }
};

// Emptied, a field keeps the focus when its formatter cannot read "" as a number, or its own editor refuses it.
TEST_F(FieldEditorTest, TheFormatterOrACustomFieldEditorCanKeepTheFocus) {
  TextField& number = addField(window);
  number.setFormatter(std::make_shared<DigitsFormatter>());
  number.setObjectValue(Value(7));
  EXPECT_EQ(number.stringValue(), "7");
  TextField& name = addField(window, "name");
  name.setCustomFieldEditor(std::make_unique<NoEmptyEditor>());
  for (const auto& [field, typed, value] : {std::tuple{&number, "42", Value(42)}, std::tuple{&name, "n", Value("n")}}) {
    edit(*field).deleteBackward();
    EXPECT_FALSE(window.makeFirstResponder(nullptr)) << typed;
    field->currentEditor()->insertText(typed);
    EXPECT_TRUE(window.makeFirstResponder(nullptr));
    EXPECT_EQ(field->objectValue(), value);
  }
}

TEST_F(FieldEditorTest, ReturnEndsEditingSendsTheActionAndSelectsAgain) {
  RecordingDelegate delegate;
  TextField& field = addField(window, "x", &delegate);
  std::string seen;
  field.setAction("textAction:", [&](Control& sender) { seen = sender.stringValue(); });
  std::vector<std::int64_t> movements;  // the notification comes before the action
  NotificationCenter::defaultCenter().addObserver(this, kControlTextDidEndEditingNotification, &field,
                                                  [&](const Notification& n) {
                                                    EXPECT_EQ(seen, "");
                                                    movements.push_back(n.userInfo.get(kTextMovementKey).intValue());
                                                  });
  edit(field).typeText("yz");
  EXPECT_TRUE(field.currentEditor()->insertNewline());
  EXPECT_EQ(seen, "yz");
  EXPECT_EQ(delegate.calls.back(), "end:return");
  EXPECT_EQ(movements, (std::vector<std::int64_t>{static_cast<std::int64_t>(TextMovement::Return)}));
  NotificationCenter::defaultCenter().removeObserver(this);
  ASSERT_NE(field.currentEditor(), nullptr);
  EXPECT_EQ(field.currentEditor()->selectedRange(), (Range{0, 2}));
}

TEST_F(FieldEditorTest, TabMovesToTheNextKeyViewThatTakesTheFocus) {
  RecordingDelegate delegate;
  TextField& first = addField(window, "1", &delegate);
  TextField& disabled = addField(window, "2");
  TextField& third = addField(window, "3");
  disabled.setEnabled(false);
  first.setNextKeyView(&disabled);
  disabled.setNextKeyView(&third);
  EXPECT_TRUE(edit(first).insertTab());
  EXPECT_EQ(delegate.calls.back(), "end:tab");
  EXPECT_NE(third.currentEditor(), nullptr);
}

TEST_F(FieldEditorTest, NonEditableFieldsRefuseKeystrokes) {
  TextField& field = addField(window, "fixed");
  field.setEditable(false);
  field.setSelectable(true);
  ASSERT_TRUE(field.selectText());
  EXPECT_FALSE(field.currentEditor()->insertText("x"));
  EXPECT_EQ(field.stringValue(), "fixed");
  EXPECT_FALSE(window.makeFirstResponder(&window.contentView().add(TextField::makeLabel("Title:"))));
}

TEST_F(FieldEditorTest, RemovingOrDestroyingTheEditedFieldReleasesTheFocus) {
  TextField& field = addField(window, "a");
  edit(field).insertText("typed");
  std::unique_ptr<View> removed = field.removeFromSuperview();
  EXPECT_EQ(window.firstResponder(), &window);
  EXPECT_EQ(static_cast<TextField&>(*removed).stringValue(), "typed");
  EXPECT_EQ(static_cast<TextField&>(*removed).currentEditor(), nullptr);

  TextField& second = addField(window, "b");
  second.selectText();
  second.removeFromSuperview().reset();
  EXPECT_EQ(std::tuple(window.firstResponder(), window.fieldEditor().field()), std::tuple(&window, nullptr));
}

}  // namespace
}  // namespace orval::tk
