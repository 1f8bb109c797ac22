#include "settings_ui/string_escape_converter.h"

namespace orval {
namespace {

const std::string kOriginal = "original";
const std::string kEscaped = "escaped";
const std::string kNone;

// The byte length of the UTF-8 character that starts at text[i] (1 for a
// malformed byte), so that a copied character is never split.
std::size_t characterLength(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 1;
  if (lead >= 0xF0 && lead < 0xF8)
    length = 4;
  else if (lead >= 0xE0)
    length = lead < 0xF0 ? 3 : 1;
  else if (lead >= 0xC0)
    length = 2;
  if (i + length > text.size()) return 1;
  for (std::size_t k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 1;
  return length;
}

}  // namespace

void StringEscapeConverter::replace(const std::string& original, const std::string& escaped) {
  replacePattern.push_back(Dict{{kOriginal, Value(original)}, {kEscaped, Value(escaped)}});
}

std::string StringEscapeConverter::escape(std::string_view text) const { return convert(text, kOriginal, kEscaped); }

std::string StringEscapeConverter::unEscape(std::string_view text) const {
  return convert(text, kEscaped, kOriginal);
}

std::string StringEscapeConverter::convert(std::string_view text, const std::string& fromKey,
                                           const std::string& toKey) const {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    bool replaced = false;
    for (const Value& rule : replacePattern) {
      const Dict* entry = rule.asDict();
      if (!entry) continue;
      const std::string& from = entry->get(fromKey).stringOr(kNone);
      // An empty text "occurs" everywhere and would never move the scan on.
      if (from.empty() || text.compare(i, from.size(), from) != 0) continue;
      out += entry->get(toKey).stringOr(kNone);
      i += from.size();
      replaced = true;
      break;
    }
    if (replaced) continue;
    const std::size_t length = characterLength(text, i);
    out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

}  // namespace orval
