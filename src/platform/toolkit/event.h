// Event: a raw mouse or keyboard event handed to a window.
//
// The headless model acts on controls directly (performClick, typeText,
// chooseItemAtIndex); raw events are for the windows that look at them
// themselves (a panel that closes on any click or key).
#pragma once

#include <string>

namespace orval::tk {

enum class EventType {
  LeftMouseDown,
  LeftMouseUp,
  RightMouseDown,
  RightMouseUp,
  OtherMouseDown,
  MouseMoved,
  ScrollWheel,
  KeyDown,
  KeyUp,
  FlagsChanged,
};

struct Event {
  EventType type = EventType::MouseMoved;
  // The characters typed (key events).
  std::string characters;
};

// The characters of the arrow keys (the platform's function-key code points, in UTF-8).
inline constexpr const char* kUpArrowCharacters = "\uF700";
inline constexpr const char* kDownArrowCharacters = "\uF701";

}  // namespace orval::tk
