// Control: a view the person acts on (buttons, fields, pop-ups, ...).
//
// A control is enabled or not, carries a named action (a name the host can
// show and a handler the system installs) that it sends when the person uses
// it, and has a cell-like represented object and an object value readable as
// text, integer or real. There are no targets: the handler is the target.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/foundation/value.h"
#include "platform/toolkit/view.h"

namespace orval::tk {

enum class ControlSize { Regular, Small, Mini };
enum class TextAlignment { Natural, Left, Right, Center, Justified };

class Control : public View {
 public:
  using ActionHandler = std::function<void(Control& sender)>;

  explicit Control(Rect frame = {});

  std::string className() const override { return "Control"; }

  bool isEnabled() const { return enabled_; }
  virtual void setEnabled(bool enabled);

  // The action ---------------------------------------------------------------

  // Sets the action: its name (the selector's name, e.g. "popupButtonAction:")
  // and the handler run when the control sends it.
  void setAction(std::string name, ActionHandler handler);
  // Removes the action.
  void clearAction();
  const std::string& action() const { return actionName_; }
  bool hasAction() const { return static_cast<bool>(handler_); }
  // Runs the action's handler with this control as sender; false when there is none.
  bool sendAction();

  // The cell's represented object -------------------------------------------

  const Value& representedObject() const { return representedObject_; }
  void setRepresentedObject(Value object) { representedObject_ = std::move(object); }

  // Values -------------------------------------------------------------------

  // The control's value (each class says what it is: a text, a state, a number).
  virtual Value objectValue() const { return objectValue_; }
  virtual void setObjectValue(const Value& value);
  // The value as text (Value::text of the object value).
  virtual std::string stringValue() const;
  virtual void setStringValue(const std::string& text);
  // The value's decimal reading truncated towards zero.
  virtual std::int64_t intValue() const;
  virtual void setIntValue(std::int64_t value);
  // The value's decimal reading.
  virtual double doubleValue() const;
  virtual void setDoubleValue(double value);
  // Copies the value of another control, read the named way.
  virtual void takeIntValueFrom(const Control& other) { setIntValue(other.intValue()); }
  void takeDoubleValueFrom(const Control& other) { setDoubleValue(other.doubleValue()); }
  void takeStringValueFrom(const Control& other) { setStringValue(other.stringValue()); }
  void takeObjectValueFrom(const Control& other) { setObjectValue(other.objectValue()); }

  // Appearance ---------------------------------------------------------------

  ControlSize controlSize() const { return controlSize_; }
  void setControlSize(ControlSize size) { controlSize_ = size; }
  // Font size in points (13 regular, 11 small, 9 mini unless set).
  double fontSize() const;
  void setFontSize(double points) { fontSize_ = points; }
  TextAlignment alignment() const { return alignment_; }
  void setAlignment(TextAlignment alignment) { alignment_ = alignment; }

 protected:
  // True when the person could use the control now: enabled and not hidden.
  bool isUsable() const { return isEnabled() && !isHiddenOrHasHiddenAncestor(); }

 private:
  bool enabled_ = true;
  std::string actionName_;
  ActionHandler handler_;
  Value representedObject_;
  Value objectValue_;
  ControlSize controlSize_ = ControlSize::Regular;
  double fontSize_ = 0;
  TextAlignment alignment_ = TextAlignment::Natural;
};

}  // namespace orval::tk
