// PDEObject: what the pane plug-in manager needs of the panel controller.
//
// The manager asks the printer queue for its server lists (trays, stackers,
// devices, profiles, fonts, job resources...) through the panel, which owns
// the print session and the printer description. The panel registers itself
// with setPDEObject and must clear it (setPDEObject(nullptr)) before it goes.
#pragma once

#include <optional>
#include <string>

#include "platform/foundation/value.h"

namespace orval {

class PDEObject {
 public:
  virtual ~PDEObject() = default;

  // Sends the list command listName to the printer queue and answers the
  // property list read back, or none when nothing could be read.
  virtual std::optional<Value> sendCommand(const std::string& listName) = 0;
};

}  // namespace orval
