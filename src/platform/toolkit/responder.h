// Responder: whatever can hold a window's keyboard focus (a view, a window's
// field editor, the window itself).
#pragma once

namespace orval::tk {

class Responder {
 public:
  virtual ~Responder() = default;

  // True when this responder can take the keyboard focus.
  virtual bool acceptsFirstResponder() const { return false; }
  // Called when the window is about to make this the first responder; false refuses.
  virtual bool becomeFirstResponder() { return true; }
  // Called when the window asks this first responder to give up the focus; false keeps it.
  virtual bool resignFirstResponder() { return true; }
};

}  // namespace orval::tk
