// KORAMgr: the texts of the conflict messages and the alert that shows them.
//
// Every fragment is a key of the "UI" string table of the bundle at the
// resource path; a fragment without an entry is shown as it stands. The
// lines "[name]:[text]\r" name a setting and the text of its value.
#include "settings_ui/kora_mgr.h"

#include "common/message_format.h"
#include "platform/toolkit/alert.h"
#include "settings_ui/value_pattern.h"

namespace orval {
namespace {

constexpr const char* kLineFormat = "[%@]:[%@]\r";
constexpr const char* kLessThanFormat = "Less Than %@";
constexpr const char* kMoreThanFormat = "More Than %@";
constexpr const char* kCannotBeSetTogether =
    "The following properties cannot be set at the same time.\r[%@]:[%@]\r";
constexpr const char* kSelectionCancelled = "選択を無効にして、以下の設定に戻します。";
constexpr const char* kChangeToEnableSelection =
    "\rDo you want to change to the following settings to enable the selection?\r";
constexpr const char* kChangeInOrderToChange =
    "Do you want to change the settings to the following in order to change [%@]?\r";
constexpr const char* kCannotBeSetWhen = "When the following settings are made, %@ cannot be set.\r";
constexpr const char* kChangeToFollowing = "\rDo you want to change the settings to the following?\r";

}  // namespace

std::string KORAMgr::_localize(const std::string& key) const {
  return _pdeBundle ? _pdeBundle->localizedString(key, {}, "UI") : key;
}

Value KORAMgr::_localizeOrNone(const std::optional<std::string>& key) const {
  return key ? Value(_localize(*key)) : Value();
}

Value KORAMgr::_conflictedText(int type, const std::string& bound, KORAUI* control) const {
  if (type == kConflictedTypeLess) return Value(stringWithFormat(_localize(kLessThanFormat), bound));
  if (type == kConflictedTypeGreater) return Value(stringWithFormat(_localize(kMoreThanFormat), bound));
  return control ? _localizeOrNone(control->getSelectedOptionText()) : Value();
}

std::string KORAMgr::_conflictedLines(const ConflictInfo& info) const {
  std::string lines;
  for (const std::string& keyword : info.conflictedKeyList) {
    KORAUI* control = _mainKeywordAndControls.primary(keyword);
    const Value name = control ? Value(control->mainKeywordText()) : Value();
    lines += stringWithFormat(kLineFormat, name, _conflictedText(info.typeOf(keyword), info.boundOf(keyword), control));
  }
  return lines;
}

std::string KORAMgr::_restoreLines(const ConflictInfo& info) const {
  std::string lines;
  for (const std::string& keyword : info.restoreKeyList) {
    KORAUI* control = _mainKeywordAndControls.primary(keyword);
    const Value name = control ? Value(control->mainKeywordText()) : Value();
    const Value text = control ? _localizeOrNone(control->getOptionText(info.restoreValueOf(keyword))) : Value();
    lines += stringWithFormat(kLineFormat, name, text);
  }
  return lines;
}

std::string KORAMgr::_unrestorableMessage(const ConflictInfo& info, KORAUI* control,
                                          const std::optional<std::string>& oldValue) const {
  const std::string selfName = _localize(control->mainKeywordText());
  const Value selfText = _conflictedText(info.conflictedTypeSelf, info.conflictedValueSelf, control);
  std::string message = info.title
                            ? _localize(*info.title) + stringWithFormat("\r[%@]:[%@]\r", selfName, selfText)
                            : stringWithFormat(_localize(kCannotBeSetTogether), selfName, selfText);
  message += _conflictedLines(info);
  message += "\r";
  if (info.message) {
    message += _localize(*info.message);
  } else {
    message += _localize(kSelectionCancelled);
    message += stringWithFormat("\r[%@]:[%@]\r", selfName, _localizeOrNone(control->getOptionText(oldValue)));
  }
  return message;
}

std::string KORAMgr::_conflictMessage(const ConflictInfo& info, KORAUI* control) const {
  const std::string selfName = _localize(control->mainKeywordText());
  const Value selfText = _conflictedText(info.conflictedTypeSelf, info.conflictedValueSelf, control);
  return stringWithFormat(_localize(kCannotBeSetTogether), selfName, selfText) + _conflictedLines(info) +
         _localize(kChangeToEnableSelection) + _restoreLines(info);
}

std::string KORAMgr::_allConflictMessage(const ConflictInfo& info, KORAUI* control) const {
  return stringWithFormat(_localize(kChangeInOrderToChange), _localize(control->mainKeywordText())) +
         _restoreLines(info);
}

std::string KORAMgr::_beforeChangeMessage(const ConflictInfo& info, const std::string& keyword,
                                          const std::optional<std::string>& name) const {
  std::string displayName;
  if (name) {
    displayName = _localize(*name);
  } else if (KORAUI* primary = _mainKeywordAndControls.primary(keyword)) {
    displayName = _localize(primary->mainKeywordText());
  }
  return stringWithFormat(_localize(kCannotBeSetWhen), displayName) + _conflictedLines(info) +
         _localize(kChangeToFollowing) + _restoreLines(info);
}

int KORAMgr::_alertDialogMessage(const std::string& message, const std::string& button1,
                                 const std::optional<std::string>& button2) {
  tk::Alert alert;
  alert.setAlertStyle(tk::AlertStyle::Warning);
  alert.setMessageText(message);
  alert.addButtonWithTitle(button1);
  if (button2) alert.addButtonWithTitle(*button2);
  return alert.runModal();
}

}  // namespace orval
