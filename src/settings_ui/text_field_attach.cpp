#include "settings_ui/text_field_attach.h"

#include <string>
#include <utility>
#include <vector>

#include "common/message_format.h"
#include "common/principal_bundle.h"
#include "settings_ui/text_entry_messages.h"

namespace orval {
namespace {

const std::string kYenSign = "\u00A5";
const std::string kBackslash = "\\";
const std::string kTwoBackslashes = "\\\\";
const std::string kLineSeparator = "\u2028";

}  // namespace

std::shared_ptr<MaxBytesFormatter> attachMaxBytesFormatter(tk::TextField* field, int limit,
                                                           std::string_view placeholderFormat,
                                                           std::optional<CharacterSet> characterSet) {
  if (!field) return nullptr;
  std::shared_ptr<MaxBytesFormatter> formatter;
  if (characterSet)
    formatter = MaxBytesFormatterWithCharacterSet::setMaxBytesFormatter(field, limit, std::move(characterSet));
  else
    formatter = MaxBytesFormatter::setMaxBytesFormatter(field, limit);
  setPlaceholderStringAndToolTip(field, limit, placeholderFormat);
  return formatter;
}

std::shared_ptr<MaxBytesFormatterWithEscape> attachMaxBytesFormatterWithEscape(
    tk::TextField* field, int limit, std::string_view placeholderFormat, std::optional<CharacterSet> characterSet,
    const std::function<bool()>& isJapanesePreferred) {
  if (!field) return nullptr;
  std::shared_ptr<MaxBytesFormatterWithEscape> formatter;
  if (characterSet)
    formatter = MaxBytesFormatterWithEscapeAndCharacterSet::setMaxBytesFormatter(field, limit, std::move(characterSet));
  else
    formatter = MaxBytesFormatterWithEscape::setMaxBytesFormatter(field, limit);
  attachEscapeRule(formatter.get(), isJapanesePreferred);
  setPlaceholderStringAndToolTip(field, limit, placeholderFormat);
  return formatter;
}

std::shared_ptr<MaxLengthFormatter> attachMaxLengthFormatter(tk::TextField* field, int limit,
                                                             std::string_view placeholderFormat,
                                                             std::optional<CharacterSet> characterSet) {
  if (!field) return nullptr;
  std::shared_ptr<MaxLengthFormatter> formatter;
  if (characterSet)
    formatter = MaxLengthFormatterWithCharacterSet::setMaxLengthFormatter(field, limit, std::move(characterSet));
  else
    formatter = MaxLengthFormatter::setMaxLengthFormatter(field, limit);
  setPlaceholderStringAndToolTip(field, limit, placeholderFormat);
  return formatter;
}

std::shared_ptr<MaxLengthFormatterWithEscape> attachMaxLengthFormatterWithEscape(
    tk::TextField* field, int limit, std::string_view placeholderFormat, std::optional<CharacterSet> characterSet,
    const std::function<bool()>& isJapanesePreferred) {
  if (!field) return nullptr;
  std::shared_ptr<MaxLengthFormatterWithEscape> formatter;
  if (characterSet)
    formatter =
        MaxLengthFormatterWithEscapeAndCharacterSet::setMaxLengthFormatter(field, limit, std::move(characterSet));
  else
    formatter = MaxLengthFormatterWithEscape::setMaxLengthFormatter(field, limit);
  attachEscapeRule(formatter.get(), isJapanesePreferred);
  setPlaceholderStringAndToolTip(field, limit, placeholderFormat);
  return formatter;
}

void setPlaceholderStringAndToolTip(tk::TextField* field, int limit, std::string_view format) {
  if (!field || format.empty()) return;
  const std::string text = stringWithFormat(localizedMessage(std::string(format)), limit);
  field->setToolTip(text);
  field->setPlaceholderString(text);
}

bool isJapanesePreferredByPrincipalBundle() {
  const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
  const std::vector<std::string> localizations =
      bundle ? bundle->preferredLocalizations() : Bundle::preferredLanguages();
  return !localizations.empty() && (localizations.front() == "Japanese" || localizations.front() == "ja");
}

void attachEscapeRule(EscapingFormatter* formatter, const std::function<bool()>& isJapanesePreferred) {
  if (!formatter) return;
  if (isJapanesePreferred && isJapanesePreferred()) {
    formatter->replace(kYenSign, kTwoBackslashes);
    formatter->replace(kBackslash, kTwoBackslashes);
  } else {
    formatter->replace(kBackslash, kTwoBackslashes);
    formatter->replace(kYenSign, kTwoBackslashes);
  }
  formatter->replace("\"", "\\\"");
  formatter->replace(kBackslash, kTwoBackslashes);
  formatter->replace("\n", "\\n");
  formatter->replace(kLineSeparator, "\\n");
}

}  // namespace orval
