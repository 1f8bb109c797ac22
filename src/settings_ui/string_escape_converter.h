// StringEscapeConverter: replaces special characters of a text by escaped
// forms and reads them back, by an ordered list of replacement rules.
//
// Used between what a field shows and what the system stores (the escaping
// formatters) and for the private entries of the job's print settings. Both
// directions scan the text once from the left; at each position the first
// rule whose text occurs there wins, so the order of the rules decides how an
// escaped form that several rules share is read back.
#pragma once

#include <string>
#include <string_view>

#include "platform/foundation/value.h"

namespace orval {

class StringEscapeConverter {
 public:
  // A converter without rules (it changes nothing).
  static StringEscapeConverter emptyConverter() { return StringEscapeConverter(); }

  // Appends the rule original -> escaped (replace:to:). A rule with an empty
  // original or escaped text never matches in that direction.
  void replace(const std::string& original, const std::string& escaped);
  // text with every original of the rules replaced by its escaped form.
  std::string escape(std::string_view text) const;
  // text with every escaped form of the rules replaced by its original.
  std::string unEscape(std::string_view text) const;

  // The rules in order: dictionaries with "original" and "escaped".
  const Array& rules() const { return replacePattern; }

 private:
  std::string convert(std::string_view text, const std::string& fromKey, const std::string& toKey) const;

  Array replacePattern;
};

}  // namespace orval
