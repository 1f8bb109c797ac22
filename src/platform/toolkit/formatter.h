// Formatter: converts between what a text field shows and the object it
// stands for, and checks each keystroke's text.
//
// isPartialStringValid follows the platform's rule: answer true to accept
// the text as typed; answer false to refuse it, either alone (the keystroke
// is undone: text and selection stay as they were) or with a replacement in
// newString, which the field then shows instead.
#pragma once

#include <optional>
#include <string>

#include "platform/foundation/value.h"
#include "platform/toolkit/text_range.h"

namespace orval::tk {

class Formatter {
 public:
  virtual ~Formatter() = default;

  // The text shown for object, or nullopt when the object cannot be shown.
  virtual std::optional<std::string> stringForObjectValue(const Value& object) const = 0;
  // The text shown while editing object; the shown text unless overridden.
  virtual std::optional<std::string> editingStringForObjectValue(const Value& object) const {
    return stringForObjectValue(object);
  }
  // Reads the object for string into *object; false (with *error when given)
  // when string does not stand for an object.
  virtual bool getObjectValue(Value* object, const std::string& string, std::string* error) const = 0;
  // Checks the text as it would be after a keystroke. proposedSelection is
  // the selection after the keystroke; a formatter proposing a replacement
  // may set it for the replacement (left as it is, the caret goes to the
  // replacement's end). The default accepts everything.
  virtual bool isPartialStringValid(const std::string& partialString, Range* proposedSelection,
                                    std::optional<std::string>* newString, std::string* error) const {
    return true;
  }
};

}  // namespace orval::tk
