// KORAMgr: registration, value access, backups and collective changes.
#include "settings_ui/kora_mgr.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <utility>

#include "common/message_format.h"
#include "common/notify_unit.h"
#include "platform/foundation/log.h"
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

// KORAControlRegistry ------------------------------------------------------------------------

const std::vector<KORAUI*>* KORAControlRegistry::find(const std::string& keyword) const {
  const auto it = _index.find(keyword);
  return it == _index.end() ? nullptr : &_entries[it->second].controls;
}

KORAUI* KORAControlRegistry::primary(const std::string& keyword) const {
  const auto it = _index.find(keyword);
  if (it == _index.end()) return nullptr;
  const Entry& entry = _entries[it->second];
  for (std::size_t i = 0; i < entry.controls.size(); ++i)
    if (!entry.lifetimes[i].expired()) return entry.controls[i];
  return nullptr;
}

std::vector<KORAControlRegistry::ControlRef> KORAControlRegistry::living(const std::string& keyword) const {
  std::vector<ControlRef> refs;
  const auto it = _index.find(keyword);
  if (it == _index.end()) return refs;
  const Entry& entry = _entries[it->second];
  for (std::size_t i = 0; i < entry.controls.size(); ++i)
    if (!entry.lifetimes[i].expired()) refs.push_back({entry.controls[i], entry.lifetimes[i]});
  return refs;
}

std::vector<KORAControlRegistry::ControlRef> KORAControlRegistry::allLiving() const {
  std::vector<ControlRef> refs;
  for (const Entry& entry : _entries)
    for (std::size_t i = 0; i < entry.controls.size(); ++i)
      if (!entry.lifetimes[i].expired()) refs.push_back({entry.controls[i], entry.lifetimes[i]});
  return refs;
}

bool KORAControlRegistry::add(const std::string& keyword, KORAUI* control) {
  auto it = _index.find(keyword);
  if (it == _index.end()) {
    it = _index.emplace(keyword, _entries.size()).first;
    _entries.push_back({keyword, {}, {}});
  }
  Entry& entry = _entries[it->second];
  if (std::find(entry.controls.begin(), entry.controls.end(), control) != entry.controls.end()) return false;
  entry.controls.push_back(control);
  entry.lifetimes.push_back(control->lifetimeToken());
  return true;
}

void KORAControlRegistry::remove(const KORAUI* control) {
  for (Entry& entry : _entries) {
    for (std::size_t i = entry.controls.size(); i-- > 0;) {
      if (entry.controls[i] != control) continue;
      entry.controls.erase(entry.controls.begin() + static_cast<std::ptrdiff_t>(i));
      entry.lifetimes.erase(entry.lifetimes.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  _dropEmptyLists();
}

std::vector<std::string> KORAControlRegistry::removeExpired() {
  std::vector<std::string> emptied;
  bool removed = false;
  for (Entry& entry : _entries) {
    for (std::size_t i = entry.controls.size(); i-- > 0;) {
      if (!entry.lifetimes[i].expired()) continue;
      entry.controls.erase(entry.controls.begin() + static_cast<std::ptrdiff_t>(i));
      entry.lifetimes.erase(entry.lifetimes.begin() + static_cast<std::ptrdiff_t>(i));
      removed = true;
    }
    if (entry.controls.empty()) emptied.push_back(entry.keyword);
  }
  if (removed) _dropEmptyLists();
  return emptied;
}

void KORAControlRegistry::_dropEmptyLists() {
  std::erase_if(_entries, [](const Entry& entry) { return entry.controls.empty(); });
  _index.clear();
  for (std::size_t i = 0; i < _entries.size(); ++i) _index.emplace(_entries[i].keyword, i);
}

// Set-up -----------------------------------------------------------------------------------------

KORAMgr::KORAMgr() = default;

KORAMgr::~KORAMgr() { NotifyUnit::removeObserver(this); }

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
  _forgetDestroyedControls();
  return _mainKeywordAndControls;
}

void KORAMgr::_forgetDestroyedControls() const {
  for (const std::string& keyword : _mainKeywordAndControls.removeExpired()) {
    logMessage(stringWithFormat("###KORAMgr: the controls of %@ were destroyed while registered; forgotten", keyword));
    NotifyUnit::removeObserver(this, keyword);
  }
}

void KORAMgr::addControl(KORAUI* control) {
  if (control == nullptr) return;
  // A destroyed control's address may come back as a new control's: forget it first.
  _forgetDestroyedControls();
  const std::string keyword = control->mainKeyword();
  if (_mainKeywordAndControls.find(keyword) == nullptr && keyword.empty()) return;
  _mainKeywordAndControls.add(keyword, control);
  for (KORAUI* child : control->childControls()) addControl(child);
  _observe(keyword);
}

void KORAMgr::removeControl(const KORAUI* control) {
  if (control == nullptr) return;
  _forgetDestroyedControls();
  // control may be destroyed already (its pointer is then only compared, never read).
  std::string keyword;
  for (const KORAControlRegistry::Entry& entry : _mainKeywordAndControls)
    if (std::find(entry.controls.begin(), entry.controls.end(), control) != entry.controls.end())
      keyword = entry.keyword;
  _mainKeywordAndControls.remove(control);
  if (!keyword.empty() && _mainKeywordAndControls.find(keyword) == nullptr) NotifyUnit::removeObserver(this, keyword);
}

void KORAMgr::_observe(const std::string& keyword) {
  NotifyUnit::removeObserver(this, keyword);
  NotifyUnit::addObserver(this, [this](const Notification& n) { validateMainKeyword(n); }, keyword);
}

// Values ------------------------------------------------------------------------------------------

// Every walk below takes the living controls first and tests each one's
// token again just before using it: a control's action may run a validation
// whose alert lets the person close a pane and destroy its controls.

void KORAMgr::setStringValue(const std::string& keyword, const std::optional<std::string>& value) {
  _forgetDestroyedControls();
  for (const KORAControlRegistry::ControlRef& ref : _mainKeywordAndControls.living(keyword))
    if (KORAUI* control = ref.get()) control->setStringValue(value);
}

std::optional<std::string> KORAMgr::getStringValue(const std::string& keyword) {
  _forgetDestroyedControls();
  const std::vector<KORAControlRegistry::ControlRef> controls = _mainKeywordAndControls.living(keyword);
  if (controls.empty()) return std::nullopt;
  std::optional<std::string> value = controls.front().control->getStringValue();
  for (std::size_t i = 1; i < controls.size(); ++i)
    if (KORAUI* control = controls[i].get()) control->getStringValue();
  return value;
}

void KORAMgr::updateOldValue(const std::string& keyword) {
  _forgetDestroyedControls();
  for (const KORAControlRegistry::ControlRef& ref : _mainKeywordAndControls.living(keyword))
    if (KORAUI* control = ref.get()) control->updateOldValue();
}

PrintOption KORAMgr::getAllValueDictionary() {
  _forgetDestroyedControls();
  PrintOption values;
  for (const KORAControlRegistry::Entry& entry : _mainKeywordAndControls) {
    KORAUI* primary = _mainKeywordAndControls.primary(entry.keyword);
    if (primary == nullptr) continue;
    if (const std::optional<std::string>& unsupported = primary->getUnsportValue()) {
      values.set(entry.keyword, Value(*unsupported));
      continue;
    }
    const std::optional<std::string> value = primary->getStringValue();
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
    for (const auto& [keyword, value] : values) setStringValue(keyword, _textOf(value));
  }
  _backups.remove(name);
  return true;
}

void KORAMgr::setDefaults() {
  CollectiveChangeScope collective(_isCollectiveChange);
  // Each setDefault posts its keyword, and the validation it runs may register
  // nothing new but may reach any control: walk a snapshot of the registry.
  _forgetDestroyedControls();
  for (const KORAControlRegistry::ControlRef& ref : _mainKeywordAndControls.allLiving())
    if (KORAUI* control = ref.get()) control->setDefault();
}

void KORAMgr::setSettings(const Dict& settings) {
  CollectiveChangeScope collective(_isCollectiveChange);
  _forgetDestroyedControls();
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
