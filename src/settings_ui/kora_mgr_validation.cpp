// KORAMgr: validating a change, step by step.
#include "settings_ui/kora_mgr.h"

#include <algorithm>

#include "common/message_format.h"
#include "common/notify_unit.h"
#include "platform/foundation/log.h"
#include "platform/toolkit/modal_response.h"
#include "settings_ui/kora_mgr_internal.h"
#include "settings_ui/value_pattern.h"

namespace orval {
namespace {

template <class T>
void appendWhenAbsent(std::vector<T>& names, const T& keyword) {
  if (std::find(names.begin(), names.end(), keyword) == names.end()) names.push_back(keyword);
}

}  // namespace

// Marks a keyword as being validated for the scope of its validation.
class KORAMgr::ValidationScope {
 public:
  ValidationScope(KORAMgr& engine, Id id, const std::optional<std::string>& value)
      : _engine(engine), _id(id), _busy(engine) {
    ++_engine._states[_id].validating;
    _engine._states[_id].validatingValues.push_back(value);
    ++_engine._validationDepth;
  }
  ~ValidationScope() {
    --_engine._states[_id].validating;
    _engine._states[_id].validatingValues.pop_back();
    --_engine._validationDepth;
  }
  ValidationScope(const ValidationScope&) = delete;
  ValidationScope& operator=(const ValidationScope&) = delete;

 private:
  KORAMgr& _engine;
  Id _id;
  BusyScope _busy;
};

// Lends a list of keywords to announce: one per validation depth, kept for
// the next validation at that depth, so that validating allocates nothing
// once the lists have grown.
class KORAMgr::NamesScope {
 public:
  explicit NamesScope(KORAMgr& engine) : _engine(engine) {
    if (_engine._namesPool.size() <= _engine._namesInUse) _engine._namesPool.emplace_back();
    _names = &_engine._namesPool[_engine._namesInUse++];
    _names->clear();
  }
  ~NamesScope() { --_engine._namesInUse; }
  NamesScope(const NamesScope&) = delete;
  NamesScope& operator=(const NamesScope&) = delete;
  Names& names() { return *_names; }

 private:
  KORAMgr& _engine;
  Names* _names;
};

// Notifications and the validation ------------------------------------------------------------------

void KORAMgr::validateMainKeyword(const Notification& notification) {
  std::optional<std::string> value;
  if (const Value* parameter = notification.userInfo.find("Paramater")) value = _textOf(*parameter);
  _validateMainKeyword(notification.name, value);
}

void KORAMgr::_validateMainKeyword(const std::string& keyword, const std::optional<std::string>& value) {
  const Id id = _mainKeywordAndControls.idOf(keyword);
  if (id != KORAControlRegistry::kNoId) _validate(id, value);
}

void KORAMgr::_validate(Id id, const std::optional<std::string>& value) {
  KORAUI* primary = _primary(id);
  if (primary == nullptr) return;
  // The value this validation is about: the announced one, else the control's own.
  const std::optional<std::string> validated = value ? value : primary->getStringValue();
  if (_cycleGuardEnabled && _states[id].validating != 0 &&
      std::ranges::find(_states[id].validatingValues, validated) != _states[id].validatingValues.end()) {
    logMessage(stringWithFormat(
        "###KORAMgr: %@ was announced again inside its own validation (cyclic constraint tables); not validated again",
        _keyword(id)));
    return;
  }
  if (!value && _validationDepth != 0 && _settledSkipEnabled && _states[id].settled) {
    ++_settledSkipCount;
    return;
  }
  ++_validationCount;

  bool ok = false;
  {
    ValidationScope scope(*this, id, validated);
    if (value) primary->setStringValue(value);
    NamesScope namesScope(*this);
    Names& names = namesScope.names();
    ok = _unrestorableCheck(id, names);
    if (ok) {
      ok = _conflictCheck(id, names);
      _conditions(id, names);
      if (ok) {
        _hide(id, names);
        _cooperate(id, names);
        _updateOldValue(id);
      }
    } else {
      _conditions(id, names);
    }
    // By index: the list is this validation's own, but announcing may
    // validate others, which use lists of their own.
    for (std::size_t i = 0; i < names.size(); ++i) NotifyUnit::postNotificationName(_keyword(names[i]));
  }
  _settle(id);
  if (ok) {
    KeywordState& state = _states[id];
    if (state.finishedName.empty()) state.finishedName = stringWithFormat("ValueChangFinished_%@", _keyword(id));
    NotifyUnit::postNotificationName(state.finishedName, _isCollectiveChange ? _collectiveInfo : _singleInfo);
  }
}

void KORAMgr::_appendNames(const Names& ids, std::vector<std::string>& names) const {
  for (const Id id : ids) names.push_back(_keyword(id));
}

bool KORAMgr::_runStep(const std::string& keyword, std::vector<std::string>& names,
                       const std::function<bool(Id, Names&)>& step) {
  const Id id = _mainKeywordAndControls.idOf(keyword);
  if (id == KORAControlRegistry::kNoId) return true;
  Names ids;
  const bool ok = step(id, ids);
  _appendNames(ids, names);
  return ok;
}

bool KORAMgr::validateUnrestorableConflict(const std::string& keyword, std::vector<std::string>& names) {
  return _runStep(keyword, names, [this](Id id, Names& ids) { return _unrestorableCheck(id, ids); });
}

bool KORAMgr::validateAfterChange(const std::string& keyword, std::vector<std::string>& names) {
  return _runStep(keyword, names, [this](Id id, Names& ids) { return _conflictCheck(id, ids); });
}

void KORAMgr::conditionSetting(const std::string& keyword, std::vector<std::string>& names) {
  _runStep(keyword, names, [this](Id id, Names& ids) { return _conditions(id, ids), true; });
}

void KORAMgr::cooperate(const std::string& keyword, std::vector<std::string>& names) {
  _runStep(keyword, names, [this](Id id, Names& ids) { return _cooperate(id, ids), true; });
}

void KORAMgr::hideSetting(const std::string& keyword, std::vector<std::string>& names) {
  _runStep(keyword, names, [this](Id id, Names& ids) { return _hide(id, ids), true; });
}

// The unrestorable check --------------------------------------------------------------------------------

bool KORAMgr::_unrestorableCheck(Id id, Names& names) {
  KORAUI* control = _primary(id);
  if (control == nullptr) return true;
  // The control's own value (read once; it lives as long as the control).
  const std::optional<std::string>& current = control->getStringValue();
  if (!current) return true;
  if (control->getOldValue() && *current == *control->getOldValue()) return false;

  const Dict& table = control->getUnrestorableConflictDictionary();
  if (table.empty()) return true;
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
  _setStringValue(id, oldValue);
  return false;
}

// The conflict check ------------------------------------------------------------------------------------

bool KORAMgr::_conflictCheck(Id id, Names& names) {
  KORAUI* control = _primary(id);
  if (control == nullptr) return true;
  const std::optional<std::string>& current = control->getStringValue();
  if (!current) return true;
  if (control->getOldValue() && *current == *control->getOldValue()) return false;
  if (control->getConflictDictionary().empty()) return true;
  const std::string& keyword = _keyword(id);

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

  // The person answering may close the pane and so destroy the control: the value to put
  // back is taken now, and goes to every control of the keyword still there after the answer.
  const std::optional<std::string> oldValue = _oldOrDefault(*control);
  const int answer = _alertDialogMessage(message, _localize("Yes"), _localize("No"));
  if (answer == tk::AlertReturn::FirstButton) {
    _applyRestores(*info, names);
    return true;
  }
  if (answer == tk::AlertReturn::SecondButton) {
    _setStringValue(id, oldValue);
    return false;
  }
  return true;
}

std::vector<std::string> KORAMgr::_applyRestores(const ConflictInfo& info, Names& names) {
  for (const std::string& keyword : info.restoreKeyList) {
    const Id id = _intern(keyword);
    _setStringValue(id, info.restoreValueOf(keyword));
    appendWhenAbsent(names, id);
    _cooperate(id, names);
  }
  return info.restoreKeyList;
}

// Asking before a value is set from outside, and setting it silently ------------------------------------

bool KORAMgr::validateBeforeChange(const std::string& keyword, const std::string& candidate,
                                   const std::optional<std::string>& name) {
  const std::optional<ConflictInfo> info = conflictInfo(keyword, candidate);
  if (!info) return true;
  const int answer =
      _alertDialogMessage(_beforeChangeMessage(*info, keyword, name), _localize("Yes"), _localize("No"));
  if (answer != tk::AlertReturn::FirstButton) return false;
  Names cooperationTargets;
  for (const std::string& restored : _applyRestores(*info, cooperationTargets))
    NotifyUnit::postNotificationName(restored);
  return true;
}

std::optional<std::vector<std::string>> KORAMgr::setStringValueWithRestoreConfliction(const std::string& keyword,
                                                                                       const std::string& value) {
  std::optional<std::vector<std::string>> restored;
  if (const std::optional<ConflictInfo> info = conflictInfo(keyword, value)) {
    Names cooperationTargets;
    restored = _applyRestores(*info, cooperationTargets);
  }
  setStringValue(keyword, value);
  return restored;
}

// Conditions, cooperation and hiding ------------------------------------------------------------------

std::optional<std::string> KORAMgr::_oldOrDefault(const KORAUI& control) {
  if (control.getOldValue()) return control.getOldValue();
  return control.getDefault();
}

void KORAMgr::_conditions(Id id, Names& names) {
  KORAUI* control = _primary(id);
  if (control == nullptr) return;
  const std::shared_ptr<const Tables> tables = _tables(id, *control);
  const Tables::Entry* entry = tables->find(control->getStringValue());
  if (entry == nullptr) {
    if (!tables->namesItself) _states[id].conditionsFresh = true;
    return;
  }
  const std::string& keyword = _keyword(id);
  const std::size_t validationsBefore = _validationCount;

  // Enabling may run a pop-up's action and so validate its keyword on the
  // spot, whose alert may end with the pane (and this control) closed: the
  // tables are the engine's own copy, and the work stops once the control is gone.
  const std::weak_ptr<const void> controlLifetime = control->lifetimeToken();
  for (const Tables::Target& target : entry->logicalSum) {
    _forEachControl(target.id,
                    [&](KORAUI& targetControl) { targetControl.setEnabledPositively(target.flag, keyword); });
    names.push_back(target.id);
  }
  if (controlLifetime.expired()) return;

  for (const Tables::Target& target : entry->condition) {
    bool gone = false;
    _forEachControl(target.id, [&](KORAUI& targetControl) {
      if (gone || (gone = controlLifetime.expired())) return;
      if (target.perItem) {
        if (control->isEnabled()) {
          targetControl.setEnabled(true, keyword);
          targetControl.setEnabledByDictionary(*target.perItem);
        } else {
          targetControl.setEnabled(false, keyword);
        }
      } else if (target.flag) {
        targetControl.setEnabled(control->getSpreadValue() ? true : control->isEnabled(), keyword);
      } else {
        targetControl.setEnabled(false, keyword);
      }
    });
    if (gone) return;
  }
  if (controlLifetime.expired()) return;
  if (control->isEnabled())
    for (const Tables::Target& target : entry->condition) names.push_back(target.id);
  // Run again now, these conditions would set everything as it is: unless
  // something they started was validated meanwhile, or they reach the keyword itself.
  if (_validationCount == validationsBefore && !tables->namesItself) _states[id].conditionsFresh = true;
}

// Cooperation and hiding only set values and visibility, which announce
// nothing on the spot: the tables stay as they are while they are walked.

void KORAMgr::_cooperate(Id id, Names& names) {
  KORAUI* control = _primary(id);
  if (control == nullptr) return;
  const Tables::Entry* entry = _tables(id, *control)->find(control->getStringValue());
  if (entry == nullptr) return;
  for (const Tables::Target& target : entry->cooperation) {
    if (target.text) _setStringValue(target.id, target.text);
    names.push_back(target.id);
  }
}

void KORAMgr::_hide(Id id, Names& names) {
  KORAUI* control = _primary(id);
  if (control == nullptr) return;
  const Tables::Entry* entry = _tables(id, *control)->find(control->getStringValue());
  if (entry == nullptr) return;
  for (const Tables::Target& target : entry->hide) {
    _forEachControl(target.id, [&](KORAUI& targetControl) { targetControl.setHidden(target.flag); });
    names.push_back(target.id);
  }
}

}  // namespace orval
