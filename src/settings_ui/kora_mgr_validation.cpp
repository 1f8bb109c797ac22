// KORAMgr: validating a change, step by step.
#include "settings_ui/kora_mgr.h"

#include <algorithm>

#include "common/message_format.h"
#include "common/notify_unit.h"
#include "platform/foundation/log.h"
#include "platform/toolkit/modal_response.h"
#include "settings_ui/value_pattern.h"

namespace orval {
namespace {

// Marks keyword as being validated for the scope of its validation.
class ValidationScope {
 public:
  ValidationScope(std::vector<std::string>& stack, const std::string& keyword) : _stack(stack) {
    _stack.push_back(keyword);
  }
  ~ValidationScope() { _stack.pop_back(); }
  ValidationScope(const ValidationScope&) = delete;
  ValidationScope& operator=(const ValidationScope&) = delete;

 private:
  std::vector<std::string>& _stack;
};

void appendWhenAbsent(std::vector<std::string>& names, const std::string& keyword) {
  if (std::find(names.begin(), names.end(), keyword) == names.end()) names.push_back(keyword);
}

}  // namespace

// Notifications and the validation ------------------------------------------------------------------

void KORAMgr::validateMainKeyword(const Notification& notification) {
  std::optional<std::string> value;
  if (const Value* parameter = notification.userInfo.find("Paramater")) value = _textOf(*parameter);
  _validateMainKeyword(notification.name, value);
}

bool KORAMgr::_isBeingValidated(const std::string& keyword) const {
  return std::find(_validationStack.begin(), _validationStack.end(), keyword) != _validationStack.end();
}

void KORAMgr::_validateMainKeyword(const std::string& keyword, const std::optional<std::string>& value) {
  _forgetDestroyedControls();
  KORAUI* primary = _mainKeywordAndControls.primary(keyword);
  if (primary == nullptr) return;
  if (_cycleGuardEnabled && _isBeingValidated(keyword)) {
    logMessage(stringWithFormat(
        "###KORAMgr: %@ was announced again inside its own validation (cyclic constraint tables); not validated again",
        keyword));
    return;
  }
  ++_validationCount;

  bool ok = false;
  {
    ValidationScope scope(_validationStack, keyword);
    if (value) primary->setStringValue(value);
    std::vector<std::string> names;
    ok = validateUnrestorableConflict(keyword, names);
    if (ok) {
      ok = validateAfterChange(keyword, names);
      conditionSetting(keyword, names);
      if (ok) {
        hideSetting(keyword, names);
        cooperate(keyword, names);
        updateOldValue(keyword);
      }
    } else {
      conditionSetting(keyword, names);
    }
    for (const std::string& name : names) NotifyUnit::postNotificationName(name);
  }
  if (ok) {
    NotifyUnit::postNotificationName(stringWithFormat("ValueChangFinished_%@", keyword),
                                     Dict{{"isCollectiveChange", Value(_isCollectiveChange ? "True" : "False")}});
  }
}

// The unrestorable check --------------------------------------------------------------------------------

bool KORAMgr::validateUnrestorableConflict(const std::string& keyword, std::vector<std::string>& names) {
  KORAUI* control = _mainKeywordAndControls.primary(keyword);
  if (control == nullptr) return true;
  const std::optional<std::string> current = control->getStringValue();
  if (!current) return true;
  if (control->getOldValue() && *current == *control->getOldValue()) return false;

  const Dict table = control->getUnrestorableConflictDictionary();
  std::optional<ConflictInfo> info;
  for (const auto& [pattern, level] : table) {
    if (isTitleOrMessageKey(pattern) || !level.isDict()) continue;
    const int type = conflictedType(pattern, current);
    if (type == kConflictedTypeNone) continue;
    info = findUnrestorableConflictInfo(*level.asDict(), type, conflictedValue(pattern));
    if (info) break;
  }
  if (!info) return true;
  if (const std::string* title = table.get("title").asString()) info->title = *title;
  if (const std::string* message = table.get("message").asString()) info->message = *message;

  const std::optional<std::string> oldValue = _oldOrDefault(*control);
  _alertDialogMessage(_unrestorableMessage(*info, control, oldValue), _localize("OK"), std::nullopt);
  setStringValue(keyword, oldValue);
  return false;
}

// The conflict check ------------------------------------------------------------------------------------

bool KORAMgr::validateAfterChange(const std::string& keyword, std::vector<std::string>& names) {
  KORAUI* control = _mainKeywordAndControls.primary(keyword);
  if (control == nullptr) return true;
  const std::optional<std::string> current = control->getStringValue();
  if (!current) return true;
  if (control->getOldValue() && *current == *control->getOldValue()) return false;

  std::optional<ConflictInfo> info;
  std::string message;
  if (!_isCollectiveChange) {
    info = conflictInfo(keyword, std::string(kAllValue));
    if (info) message = _allConflictMessage(*info, control);
  }
  if (!info) {
    info = conflictInfo(keyword, *current);
    if (!info) return true;
    message = _conflictMessage(*info, control);
  }

  // The person answering may close the pane and so destroy the control.
  const std::weak_ptr<const void> lifetime = control->lifetimeToken();
  const int answer = _alertDialogMessage(message, _localize("Yes"), _localize("No"));
  if (answer == tk::AlertReturn::FirstButton) {
    _applyRestores(*info, names);
    return true;
  }
  if (answer == tk::AlertReturn::SecondButton) {
    if (!lifetime.expired()) setStringValue(keyword, _oldOrDefault(*control));
    return false;
  }
  return true;
}

std::vector<std::string> KORAMgr::_applyRestores(const ConflictInfo& info, std::vector<std::string>& names) {
  for (const std::string& keyword : info.restoreKeyList) {
    setStringValue(keyword, info.restoreValueOf(keyword));
    appendWhenAbsent(names, keyword);
    cooperate(keyword, names);
  }
  return info.restoreKeyList;
}

// Asking before a value is set from outside, and setting it silently ------------------------------------

bool KORAMgr::validateBeforeChange(const std::string& keyword, const std::string& candidate,
                                   const std::optional<std::string>& name) {
  _forgetDestroyedControls();
  const std::optional<ConflictInfo> info = conflictInfo(keyword, candidate);
  if (!info) return true;
  const int answer =
      _alertDialogMessage(_beforeChangeMessage(*info, keyword, name), _localize("Yes"), _localize("No"));
  if (answer != tk::AlertReturn::FirstButton) return false;
  std::vector<std::string> cooperationTargets;
  for (const std::string& restored : _applyRestores(*info, cooperationTargets))
    NotifyUnit::postNotificationName(restored);
  return true;
}

std::optional<std::vector<std::string>> KORAMgr::setStringValueWithRestoreConfliction(const std::string& keyword,
                                                                                       const std::string& value) {
  _forgetDestroyedControls();
  std::optional<std::vector<std::string>> restored;
  if (const std::optional<ConflictInfo> info = conflictInfo(keyword, value)) {
    std::vector<std::string> cooperationTargets;
    restored = _applyRestores(*info, cooperationTargets);
  }
  setStringValue(keyword, value);
  return restored;
}

// Conditions, cooperation and hiding ------------------------------------------------------------------

const Dict* KORAMgr::_entryFor(const Dict& table, const std::optional<std::string>& value) {
  if (!value) return nullptr;
  const Value* entry = table.find(*value);
  return entry ? entry->asDict() : nullptr;
}

std::optional<std::string> KORAMgr::_oldOrDefault(const KORAUI& control) {
  if (control.getOldValue()) return control.getOldValue();
  return control.getDefault();
}

void KORAMgr::conditionSetting(const std::string& keyword, std::vector<std::string>& names) {
  KORAUI* control = _mainKeywordAndControls.primary(keyword);
  if (control == nullptr) return;
  const std::optional<std::string> current = control->getStringValue();

  // Enabling may run a pop-up's action and so validate its keyword on the
  // spot, whose alert may end with the pane (and this control) closed: work
  // on copies of the entries and of the target lists, and stop once the
  // control is gone.
  const std::weak_ptr<const void> controlLifetime = control->lifetimeToken();
  if (const Dict* found = _entryFor(control->getLogicalSumConditionDictionary(), current)) {
    const Dict entry = *found;
    for (const auto& [target, enabled] : entry) {
      for (const KORAControlRegistry::ControlRef& ref : _mainKeywordAndControls.living(target))
        if (KORAUI* targetControl = ref.get()) targetControl->setEnabledPositively(enabled.truth(), keyword);
      names.push_back(target);
    }
  }
  if (controlLifetime.expired()) return;

  const Dict* found = _entryFor(control->getConditionDictionary(), current);
  if (found == nullptr) return;
  const Dict entry = *found;
  for (const auto& [target, rule] : entry) {
    for (const KORAControlRegistry::ControlRef& ref : _mainKeywordAndControls.living(target)) {
      KORAUI* targetControl = ref.get();
      if (targetControl == nullptr) continue;
      if (controlLifetime.expired()) return;
      if (const Dict* perItem = rule.asDict()) {
        if (control->isEnabled()) {
          targetControl->setEnabled(true, keyword);
          targetControl->setEnabledByDictionary(*perItem);
        } else {
          targetControl->setEnabled(false, keyword);
        }
      } else if (rule.truth()) {
        targetControl->setEnabled(control->getSpreadValue() ? true : control->isEnabled(), keyword);
      } else {
        targetControl->setEnabled(false, keyword);
      }
    }
  }
  if (!controlLifetime.expired() && control->isEnabled())
    for (const auto& item : entry) names.push_back(item.first);
}

void KORAMgr::cooperate(const std::string& keyword, std::vector<std::string>& names) {
  KORAUI* control = _mainKeywordAndControls.primary(keyword);
  if (control == nullptr) return;
  const Dict* found = _entryFor(control->getCooperationDictionary(), control->getStringValue());
  if (found == nullptr) return;
  const Dict entry = *found;
  for (const auto& [target, value] : entry) {
    if (const std::optional<std::string> text = _textOf(value)) setStringValue(target, text);
    names.push_back(target);
  }
}

void KORAMgr::hideSetting(const std::string& keyword, std::vector<std::string>& names) {
  KORAUI* control = _mainKeywordAndControls.primary(keyword);
  if (control == nullptr) return;
  const Dict* found = _entryFor(control->getHideDictionary(), control->getStringValue());
  if (found == nullptr) return;
  const Dict entry = *found;
  for (const auto& [target, hidden] : entry) {
    for (const KORAControlRegistry::ControlRef& ref : _mainKeywordAndControls.living(target))
      if (KORAUI* targetControl = ref.get()) targetControl->setHidden(hidden.truth());
    names.push_back(target);
  }
}

}  // namespace orval
