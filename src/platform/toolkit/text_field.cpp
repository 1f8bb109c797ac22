#include "platform/toolkit/text_field.h"

#include "platform/foundation/notification_center.h"
#include "platform/toolkit/field_editor.h"
#include "platform/toolkit/window.h"

namespace orval::tk {

TextField::TextField(Rect frame) : Control(frame), object_(std::string()) {}

TextField::~TextField() {
  if (editor_ && editor_->window()) editor_->window()->fieldWillGoAway(*this);
}

std::unique_ptr<TextField> TextField::makeLabel(std::string text, Rect frame) {
  auto label = std::make_unique<TextField>(frame);
  label->setEditable(false);
  label->setSelectable(false);
  label->setBezeled(false);
  label->setBordered(false);
  label->setDrawsBackground(false);
  label->setStringValue(text);
  return label;
}

Value TextField::objectValue() const {
  if (!editor_) return object_;
  if (!formatter_) return Value(editor_->string());
  Value object;
  if (formatter_->getObjectValue(&object, editor_->string(), nullptr)) return object;
  return object_;
}

void TextField::setObjectValue(const Value& value) {
  object_ = value;
  if (formatter_)
    text_ = formatter_->stringForObjectValue(value).value_or(std::string());
  else
    text_ = value.text();
  if (editor_) editor_->setString(text_);
}

std::string TextField::stringValue() const { return editor_ ? editor_->string() : text_; }

void TextField::setStringValue(const std::string& text) {
  commitText(text);
  if (editor_) editor_->setString(text_);
}

void TextField::commitText(const std::string& text) {
  if (!formatter_) {
    text_ = text;
    object_ = Value(text);
    return;
  }
  Value object;
  if (formatter_->getObjectValue(&object, text, nullptr)) {
    object_ = object;
    text_ = formatter_->stringForObjectValue(object).value_or(text);
  } else {
    // The text stands for no object: it is shown as typed, with no object.
    object_ = Value();
    text_ = text;
  }
}

void TextField::setEditable(bool editable) { editable_ = editable; }

void TextField::setFormatter(std::shared_ptr<Formatter> formatter) {
  formatter_ = std::move(formatter);
  commitText(stringValue());
}

bool TextField::acceptsFirstResponder() const {
  return isEnabled() && isSelectable() && !isHiddenOrHasHiddenAncestor();
}

bool TextField::selectText() {
  if (editor_) {
    editor_->selectAll();
    return true;
  }
  Window* w = window();
  return w && w->makeFirstResponder(this);
}

void TextField::abortEditing() {
  if (editor_ && editor_->window()) editor_->window()->fieldWillGoAway(*this);
}

void TextField::validateEditing() {
  if (editor_) commitText(editor_->string());
}

void TextField::setCustomFieldEditor(std::unique_ptr<FieldEditor> editor) {
  if (editor_ && editor_ == customEditor_.get()) abortEditing();
  customEditor_ = std::move(editor);
}

bool TextField::textShouldBeginEditing(FieldEditor& editor) {
  return !delegate_ || delegate_->textShouldBeginEditing(*this, editor);
}

void TextField::textDidBeginEditing() {
  if (delegate_) delegate_->controlTextDidBeginEditing(*this);
}

bool TextField::shouldChangeTextInRange(FieldEditor&, Range, const std::string&) { return true; }

void TextField::textDidChange() {
  if (delegate_) delegate_->controlTextDidChange(*this);
}

bool TextField::textShouldEndEditing(FieldEditor& editor) {
  if (formatter_) {
    Value object;
    std::string error;
    if (!formatter_->getObjectValue(&object, editor.string(), &error)) {
      if (!delegate_ || !delegate_->didFailToFormatString(*this, editor.string(), error)) return false;
    }
  }
  return !delegate_ || delegate_->textShouldEndEditing(*this, editor);
}

void TextField::textDidEndEditing(std::optional<TextMovement> movement) {
  if (!movement || !editor_) return;
  commitText(editor_->string());
  if (Window* w = editor_->window()) w->fieldWillGoAway(*this);
  if (delegate_) delegate_->controlTextDidEndEditing(*this, *movement);
  NotificationCenter::defaultCenter().post(kControlTextDidEndEditingNotification, this,
                                           Dict{{kTextMovementKey, Value(static_cast<int>(*movement))}});
  if (*movement == TextMovement::Return || sendsActionOnEndEditing_) sendAction();
}

}  // namespace orval::tk
