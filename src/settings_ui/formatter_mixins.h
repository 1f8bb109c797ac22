// The two features that the limited formatters add on top of a base class:
// a character set the text must stay within, and escaping between what the
// field shows and what the system stores.
//
// Each is a class template over its base, so that the byte and the character
// families (and the validation formatters) share one implementation while
// keeping their own class names. EscapingFormatter is what every escaping
// formatter answers to, whatever its family: attachEscapeRule works on it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/foundation/value.h"
#include "settings_ui/character_set.h"
#include "settings_ui/string_escape_converter.h"

namespace orval {

// A formatter that escapes its object value (shown -> stored) and un-escapes
// the text it shows (stored -> shown).
class EscapingFormatter {
 public:
  virtual ~EscapingFormatter() = default;
  // Adds the rule original -> escaped to the formatter's converter (replace:to:).
  virtual void replace(const std::string& original, const std::string& escaped) = 0;
  // The formatter's converter.
  virtual const StringEscapeConverter& escapeConverter() const = 0;
};

// Base with escaping through its own converter (_escapeConverter), which starts without rules.
template <class Base>
class WithEscaping : public Base, public EscapingFormatter {
 public:
  using Base::Base;

  void replace(const std::string& original, const std::string& escaped) override {
    _escapeConverter.replace(original, escaped);
  }
  const StringEscapeConverter& escapeConverter() const override { return _escapeConverter; }

  // The shown text of a stored (escaped) text.
  std::optional<std::string> stringForObjectValue(const Value& object) const override {
    std::optional<std::string> shown = Base::stringForObjectValue(object);
    if (shown) shown = _escapeConverter.unEscape(*shown);
    return shown;
  }
  // The stored (escaped) text of a shown text.
  bool getObjectValue(Value* object, const std::string& string, std::string* error) const override {
    if (!Base::getObjectValue(object, string, error)) return false;
    *object = Value(_escapeConverter.escape(string));
    return true;
  }

 private:
  StringEscapeConverter _escapeConverter = StringEscapeConverter::emptyConverter();
};

// Base that also refuses every character outside its set (_characterSet);
// without a set, no character is refused for that reason.
template <class Base>
class WithCharacterSet : public Base {
 public:
  // initWithMinBytes:max:characterSet: / initWithMinLength:max:characterSet:
  WithCharacterSet(int minimum, int maximum, std::optional<CharacterSet> characterSet = std::nullopt)
      : Base(minimum, maximum), _characterSet(std::move(characterSet)) {}

  // The set the text must stay within, or nullopt for none.
  const std::optional<CharacterSet>& characterSet() const { return _characterSet; }

  // A forbidden character of the base, or a character outside the set.
  bool containNotAllowedCharactor(std::string_view text) const override {
    if (Base::containNotAllowedCharactor(text)) return true;
    return _characterSet && !_characterSet->containsEveryCharacterOf(text);
  }

 private:
  std::optional<CharacterSet> _characterSet;
};

}  // namespace orval
