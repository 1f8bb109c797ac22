// KORAMgr: registration, value access, backups and collective changes.
#include "settings_ui/kora_mgr.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <utility>

#include "common/message_format.h"
#include "common/notify_unit.h"
#include "platform/foundation/log.h"
#include "settings_ui/kora_mgr_internal.h"
#include "settings_ui/value_pattern.h"

namespace orval {
namespace {

// Sets the collective flag for a scope and puts the former state back, also
// when an alert's operator throws.
class CollectiveChangeScope {
 public:
  explicit CollectiveChangeScope(bool& flag) : _flag(flag), _previous(flag) { _flag = true; }
  ~CollectiveChangeScope() { _flag = _previous; }
  CollectiveChangeScope(const CollectiveChangeScope&) = delete;
  CollectiveChangeScope& operator=(const CollectiveChangeScope&) = delete;

 private:
  bool& _flag;
  bool _previous;
};

// The bundle a resource path stands for: the path itself, or the bundle
// around it when the path is the bundle's "Contents/Resources" folder.
std::shared_ptr<Bundle> bundleAtResourcePath(const std::string& path) {
  std::filesystem::path p(path);
  while (p.has_relative_path() && p.filename().empty()) p = p.parent_path();
  if (p.filename() == "Resources" && p.parent_path().filename() == "Contents")
    p = p.parent_path().parent_path();
  return Bundle::bundleWithPath(p);
}

}  // namespace

// Set-up -----------------------------------------------------------------------------------------

KORAMgr::KORAMgr() = default;

KORAMgr::~KORAMgr() {
  NotifyUnit::removeObserver(this);
  for (const KORAControlRegistry::Entry& entry : _mainKeywordAndControls)
    for (std::size_t i = 0; i < entry.controls.size(); ++i)
      if (!entry.lifetimes[i].expired()) entry.controls[i]->removeWatcher(this);
}

void KORAMgr::setPdeResourcePath(const std::string& path) {
  if (_pdeResourcePath) return;
  _pdeResourcePath = path;
  _pdeBundle = bundleAtResourcePath(path);
  if (!_pdeBundle) logMessage(stringWithFormat("###KORAMgr: no bundle at %@; messages are not localized", path));
}

void KORAMgr::setInitializedNetworkDataProvider(NetworkDataPredicate provider) {
  _isInitializedNetworkData = std::move(provider);
}

void KORAMgr::setClock(Clock clock) { _clock = std::move(clock); }

// Registration --------------------------------------------------------------------------------------

const KORAControlRegistry& KORAMgr::getControlsDictionary() const {
  _compact();
  return _mainKeywordAndControls;
}

void KORAMgr::_compact() const {
  if (_busy != 0 || _pendingCompaction.empty()) return;
  std::vector<Id> pending;
  pending.swap(_pendingCompaction);
  for (const Id id : pending) {
    std::size_t destroyed = 0;
    if (!_mainKeywordAndControls.compact(id, destroyed)) continue;
    const std::string& keyword = _mainKeywordAndControls.entry(id).keyword;
    if (destroyed != 0)
      logMessage(stringWithFormat("###KORAMgr: the controls of %@ were destroyed while registered; forgotten", keyword));
    NotifyUnit::removeObserver(this, keyword);
  }
}

void KORAMgr::addControl(KORAUI* control) {
  if (control == nullptr) return;
  // A destroyed control's address may come back as a new control's: forget it first.
  _compact();
  const std::string& keyword = control->mainKeyword();
  if (_mainKeywordAndControls.find(keyword) == nullptr && keyword.empty()) return;
  const Id id = _intern(keyword);
  if (_mainKeywordAndControls.add(id, control)) {
    control->addWatcher(this, id);
    // The keyword's primary may be another now, and its parents' enabling
    // has not reached the new control yet.
    _states[id].tables.reset();
    _keywordChanged(id, true);
  }
  for (KORAUI* child : control->childControls()) addControl(child);
  _observe(id);
}

void KORAMgr::removeControl(const KORAUI* control) {
  if (control == nullptr) return;
  _compact();
  // control may be destroyed already (its pointer is then only compared,
  // and used only when its registered place says it lives).
  for (const KORAControlRegistry::ControlRef& ref : _mainKeywordAndControls.allLiving()) {
    if (ref.control != control) continue;
    ref.control->removeWatcher(this);
    break;
  }
  for (const Id id : _mainKeywordAndControls.remove(control)) {
    _states[id].tables.reset();
    _keywordChanged(id, true);
    _pendingCompaction.push_back(id);
  }
  _compact();
}

void KORAMgr::_observe(Id id) {
  const std::string& keyword = _keyword(id);
  NotifyUnit::removeObserver(this, keyword);
  NotifyUnit::addObserver(
      this,
      [this, id](const Notification& n) {
        std::optional<std::string> value;
        if (!n.userInfo.empty())
          if (const Value* parameter = n.userInfo.find("Paramater")) value = _textOf(*parameter);
        _validate(id, value);
      },
      keyword);
}

// Values ------------------------------------------------------------------------------------------

void KORAMgr::_setStringValue(Id id, const std::optional<std::string>& value) {
  _forEachControl(id, [&value](KORAUI& control) { control.setStringValue(value); });
}

void KORAMgr::_updateOldValue(Id id) {
  _forEachControl(id, [](KORAUI& control) { control.updateOldValue(); });
}

void KORAMgr::setStringValue(const std::string& keyword, const std::optional<std::string>& value) {
  const Id id = _mainKeywordAndControls.idOf(keyword);
  if (id != KORAControlRegistry::kNoId) _setStringValue(id, value);
}

std::optional<std::string> KORAMgr::getStringValue(const std::string& keyword) {
  const Id id = _mainKeywordAndControls.idOf(keyword);
  if (id == KORAControlRegistry::kNoId) return std::nullopt;
  std::optional<std::string> value;
  bool first = true;
  _forEachControl(id, [&](KORAUI& control) {
    if (first) value = control.getStringValue();
    else control.getStringValue();
    first = false;
  });
  return value;
}

void KORAMgr::updateOldValue(const std::string& keyword) {
  const Id id = _mainKeywordAndControls.idOf(keyword);
  if (id != KORAControlRegistry::kNoId) _updateOldValue(id);
}

PrintOption KORAMgr::getAllValueDictionary() {
  _compact();
  PrintOption values;
  for (const KORAControlRegistry::Entry& entry : _mainKeywordAndControls) {
    KORAUI* primary = _mainKeywordAndControls.primary(entry.keyword);
    if (primary == nullptr) continue;
    if (const std::optional<std::string>& unsupported = primary->getUnsportValue()) {
      values.set(entry.keyword, Value(*unsupported));
      continue;
    }
    const std::optional<std::string>& value = primary->getStringValue();
    values.set(entry.keyword, Value(value && !value->empty() ? *value : std::string()));
  }
  return values;
}

// Backups and collective changes ---------------------------------------------------------------

std::string KORAMgr::backupSettings() {
  const std::chrono::system_clock::time_point now = _clock ? _clock() : std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  std::string name = stringWithFormat("%04ld-%02ld-%02ldT%02ld:%02ld:%02ld", local.tm_year + 1900L,
                                      local.tm_mon + 1L, static_cast<long>(local.tm_mday),
                                      static_cast<long>(local.tm_hour), static_cast<long>(local.tm_min),
                                      static_cast<long>(local.tm_sec));
  name = _uniqueBackupName(std::move(name));
  _backups.set(name, Value(getAllValueDictionary()));
  return name;
}

// Two backups within one second would share a name and the later would
// silently replace the earlier; the later one gets "-2", "-3", ... instead.
std::string KORAMgr::_uniqueBackupName(std::string name) const {
  if (!_backups.contains(name)) return name;
  for (long suffix = 2;; ++suffix) {
    std::string candidate = stringWithFormat("%@-%ld", name, suffix);
    if (!_backups.contains(candidate)) return candidate;
  }
}

bool KORAMgr::restoreSettings(const std::string& name) {
  const Value* stored = _backups.find(name);
  if (stored == nullptr || !stored->isDict()) {
    logMessage(stringWithFormat("###KORAMgr: no backup named %@", name));
    return false;
  }
  const Dict values = *stored->asDict();
  {
    CollectiveChangeScope collective(_isCollectiveChange);
    // Restoring validates nothing, so the old values move here: a change refused after the
    // restore must go back to the restored value, not to the one the backup replaced.
    for (const auto& [keyword, value] : values) {
      setStringValue(keyword, _textOf(value));
      updateOldValue(keyword);
    }
  }
  _backups.remove(name);
  return true;
}

void KORAMgr::setDefaults() {
  CollectiveChangeScope collective(_isCollectiveChange);
  // Each setDefault posts its keyword, and the validation it runs may register
  // nothing new but may reach any control: walk a snapshot of the registry.
  _compact();
  for (const KORAControlRegistry::ControlRef& ref : _mainKeywordAndControls.allLiving())
    if (KORAUI* control = ref.get()) control->setDefault();
}

void KORAMgr::setSettings(const Dict& given) {
  // The caller's dictionary may be written while it is applied (the panel gathers what the
  // controls announce into the very option set it handed over): walk a copy.
  const Dict settings = given;
  CollectiveChangeScope collective(_isCollectiveChange);
  _compact();
  for (const auto& [keyword, value] : settings) {
    const std::optional<std::string> text = _textOf(value);
    if (!text) {
      logMessage(stringWithFormat("###KORAMgr: the value of %@ is not a text, a boolean or a number; ignored",
                                  keyword));
      continue;
    }
    setStringValue(keyword, text);
  }
  for (const auto& entry : settings) _validateMainKeyword(entry.first, std::nullopt);
}

std::optional<std::string> KORAMgr::_textOf(const Value& value) {
  if (value.isString() || value.isBool() || value.isNumber()) return value.text();
  return std::nullopt;
}

int KORAMgr::conflictedType(const std::string& pattern, const std::optional<std::string>& value) {
  return orval::conflictedType(pattern, value);
}

std::string KORAMgr::conflictedValue(const std::string& pattern) { return orval::conflictedValue(pattern); }

}  // namespace orval
