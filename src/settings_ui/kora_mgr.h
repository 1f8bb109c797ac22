// KORAMgr: the settings engine's referee.
//
// Keeps every registered KORAUI under its main keyword (the first control of
// a keyword is its primary control: its value and tables are the ones read;
// writes go to every control of the keyword), observes the change
// notification of each keyword, and after every change runs the constraint
// tables of the changed control in a fixed order:
//
//   1. "unrestorable_conflict": combinations that can never be set; an
//      OK-only message and a return to the old value;
//   2. "conflict": a Yes/No question that either applies the proposed values
//      of the other settings or returns the change ("__ALL__" entries ask on
//      every change, except during a collective change);
//   3. "logical_sum_condition" and "condition": enabling of dependent controls;
//   4. "hide", then "cooperation": visibility and dependent values;
//   5. the keywords touched are announced again, each validated in turn
//      (one inside the other), and "ValueChangFinished_<keyword>" is posted.
//
// It also gathers all values, applies whole sets of values (collective
// changes), restores defaults and keeps timestamped backups. Message texts are
// looked up in the "UI" string table of the bundle at the resource path and
// shown as modal alerts answered by the application's operator.
//
// Cyclic tables. Tables whose targets lead back to their source (A's
// condition targets B and B's targets A, a cooperation pair, a control that
// targets itself) would announce each other without end, each announcement
// validating its target and that re-announcing its own targets. The engine
// therefore does not start a validation of a keyword with a value that a
// validation of the same keyword further out in the same chain of
// announcements is already validating: the nested announcement is still
// posted to every other observer, only the engine's own re-validation is left
// out (and logged). A keyword that comes back with another value (a conflict
// answered Yes whose restore leads to a table proposing a new value for the
// keyword that started the chain) is validated again, one inside the other.
// On tables without cycles no keyword is ever announced inside its own
// validation with the value being validated, so this guard never fires there;
// on cyclic tables every chain of nested validations holds each keyword and
// value at most once, and the values come from the tables, so every change ends.
//
// Unrestorable conflicts are found only once the print server's data are
// loaded: the owner (the pane plug-in manager) answers that through the
// predicate given to setInitializedNetworkDataProvider; without one, none
// are found.
//
// Settled keywords. An announcement of a keyword whose value has not
// changed since its last accepted validation only re-runs its conditions and
// announces their targets again; on tables with several paths to one target
// that repeats the same work many times. The engine therefore keeps, per
// keyword, whether such a re-validation is known to change nothing (the
// keyword is "settled"): its value equals its old value, its conditions
// were run since anything they read or write last changed (running them
// again sets every enabling source and pop-up item as it is), and every
// keyword they would announce is settled too (or has no control). The
// controls tell the engine of every change (KORAUIWatcher); a change of a
// keyword unsettles it and every keyword whose conditions reach it. An
// announcement of a settled keyword posted inside a validation, without a
// value, is then still delivered to every observer, but the engine does not
// validate it again: doing so could change no value, enabling, hiding or
// question, and post no finishing notification. Announcements from outside
// a validation are always validated.
//
// Lifetime: the engine keeps non-owning pointers to the registered controls,
// each beside the control's lifetime token (KORAUI::lifetimeToken), and
// watches each control. Owners may destroy registered controls before the
// engine (removeControl first is still the tidy way): a control whose token
// has expired is skipped by every lookup and walk, and forgotten once no
// walk is running (its destruction tells the engine), its keyword no longer
// observed once none of its controls is left.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/bundle.h"
#include "platform/foundation/notification_center.h"
#include "platform/foundation/value.h"
#include "settings_ui/conflict_info.h"
#include "settings_ui/kora_control_registry.h"
#include "settings_ui/kora_ui.h"

namespace orval {

class KORAMgr final : private KORAUIWatcher {
 public:
  // Answers whether the print server's data are loaded (the manager's isInitializedNetworkData).
  using NetworkDataPredicate = std::function<bool()>;
  // The clock that backup names are read from.
  using Clock = std::function<std::chrono::system_clock::time_point()>;

  // An empty registry and backups, no resource path, not collective.
  KORAMgr();
  // Stops observing every keyword and watching every control.
  ~KORAMgr();
  KORAMgr(const KORAMgr&) = delete;
  KORAMgr& operator=(const KORAMgr&) = delete;

  // Set-up ------------------------------------------------------------------------

  // Keeps path (the bundle whose "UI" table localizes messages) when none is set yet.
  void setPdeResourcePath(const std::string& path);
  const std::optional<std::string>& pdeResourcePath() const { return _pdeResourcePath; }
  // Sets who answers whether the print server's data are loaded (none: never).
  void setInitializedNetworkDataProvider(NetworkDataPredicate provider);
  // Sets the clock of backup names (the system clock unless set).
  void setClock(Clock clock);

  // Registration ----------------------------------------------------------------------

  // Registers control and its children under their main keywords and observes their changes.
  void addControl(KORAUI* control);
  // Forgets control (not its children) before its owner destroys it.
  void removeControl(const KORAUI* control);
  // The registry, without the controls destroyed since the last operation.
  const KORAControlRegistry& getControlsDictionary() const;

  // Validation --------------------------------------------------------------------------

  // The observer of every registered keyword: validates the notification's
  // name with its "Paramater" as the new value.
  void validateMainKeyword(const Notification& notification);
  // Validates a change of keyword (value, when given, is set on the primary control first).
  void _validateMainKeyword(const std::string& keyword, const std::optional<std::string>& value);
  // Asks before candidate is set on keyword from outside the control; true = go ahead.
  bool validateBeforeChange(const std::string& keyword, const std::string& candidate,
                            const std::optional<std::string>& name);
  // Resolves the conflicts of value silently, then sets it; answers the
  // restored keywords (none when the value had no conflict information).
  std::optional<std::vector<std::string>> setStringValueWithRestoreConfliction(const std::string& keyword,
                                                                                const std::string& value);

  // Values ----------------------------------------------------------------------------------

  // setStringValue on every control of keyword.
  void setStringValue(const std::string& keyword, const std::optional<std::string>& value);
  // The primary control's value (every control of keyword is read); none without controls.
  std::optional<std::string> getStringValue(const std::string& keyword);
  // updateOldValue on every control of keyword.
  void updateOldValue(const std::string& keyword);
  // keyword -> the primary control's unsupported value, else its non-empty value, else "".
  PrintOption getAllValueDictionary();

  // Backups and collective changes ----------------------------------------------------------

  // Stores all values under a name made of the local date and time; answers the name.
  std::string backupSettings();
  // Sets every value of the backup as the controls' old values too (no validation, no notification) and
  // deletes it; false when unknown.
  bool restoreSettings(const std::string& name);
  // The stored backups: name -> (keyword -> value).
  const Dict& backups() const { return _backups; }
  // setDefault on every control of every keyword, as one collective change.
  void setDefaults();
  // Sets every value of settings as given at the call, then validates every key, as one
  // collective change; settings may be written meanwhile.
  void setSettings(const Dict& settings);
  // True while setSettings, restoreSettings or setDefaults runs.
  bool isCollectiveChange() const { return _isCollectiveChange; }

  // Searches -----------------------------------------------------------------------------------

  // The conflict information of value X for keyword (its "conflict" table), or none.
  std::optional<ConflictInfo> conflictInfo(const std::string& keyword, const std::string& value);
  // Searches a C-level of a "conflict" table, merging every finding.
  std::optional<ConflictInfo> findConflictInfo(const Dict& level, int conflictedTypeSelf,
                                               const std::string& conflictedValueSelf);
  // Searches a U-level of an "unrestorable_conflict" table; the first finding ends it.
  std::optional<ConflictInfo> findUnrestorableConflictInfo(const Dict& level, int conflictedTypeSelf,
                                                           const std::string& conflictedValueSelf);
  // The match type of pattern against value (see value_pattern.h).
  static int conflictedType(const std::string& pattern, const std::optional<std::string>& value);
  // The bound of pattern (see value_pattern.h).
  static std::string conflictedValue(const std::string& pattern);

  // The steps of a validation (names: the keywords to announce, appended to) -------------------

  // The unrestorable check; true = go on.
  bool validateUnrestorableConflict(const std::string& keyword, std::vector<std::string>& names);
  // The conflict check with its Yes/No question; true = go on.
  bool validateAfterChange(const std::string& keyword, std::vector<std::string>& names);
  // The logical-sum and condition tables.
  void conditionSetting(const std::string& keyword, std::vector<std::string>& names);
  // The cooperation table.
  void cooperate(const std::string& keyword, std::vector<std::string>& names);
  // The hide table.
  void hideSetting(const std::string& keyword, std::vector<std::string>& names);

  // A modal alert with message and one or two buttons: 1000 for the first, 1001 for the second.
  int _alertDialogMessage(const std::string& message, const std::string& button1,
                          const std::optional<std::string>& button2);

  // Figures and switches for tests and measurements --------------------------------------------

  // The number of validations run so far (keywords with controls only).
  std::size_t validationCount() const { return _validationCount; }
  // The number of announcements of settled keywords that were not validated again.
  std::size_t settledSkipCount() const { return _settledSkipCount; }
  // Switches the cyclic-table guard (on by default).
  void setCycleGuardEnabled(bool enabled) { _cycleGuardEnabled = enabled; }
  // Switches the skipping of settled keywords' re-validations (on by default).
  void setSettledSkipEnabled(bool enabled);

 private:
  using Id = KORAControlRegistry::Id;
  using Names = std::vector<Id>;
  // A keyword's tables as its primary control holds them, by self value (kora_mgr_tables.h).
  struct Tables;

  // The engine's bookkeeping of one keyword.
  struct KeywordState {
    // The keywords whose logical-sum or condition tables name this one.
    std::vector<Id> parents;
    // Those of them whose condition entry for this one enables pop-up items.
    std::vector<Id> perItemParents;
    // The tables of the primary control, made when first needed.
    std::shared_ptr<const Tables> tables;
    const KORAUI* tablesOf = nullptr;
    // "ValueChangFinished_<keyword>", made when first needed.
    std::string finishedName;
    // The validations of the keyword that are running, and the values they validate (the
    // cyclic-table guard).
    int validating = 0;
    std::vector<std::optional<std::string>> validatingValues;
    // Its conditions ran, and nothing they read or write changed since.
    bool conditionsFresh = false;
    // A re-validation would change nothing (see the header comment).
    bool settled = false;
  };

  // KORAUIWatcher: a watched control changed.
  void controlDidChange(KORAUI& control, KORAUIChange change, std::uint32_t cookie) override;

  // Validation by id (kora_mgr_validation.cpp).
  void _validate(Id id, const std::optional<std::string>& value);
  bool _unrestorableCheck(Id id, Names& names);
  bool _conflictCheck(Id id, Names& names);
  void _conditions(Id id, Names& names);
  void _hide(Id id, Names& names);
  void _cooperate(Id id, Names& names);
  // Sets the proposed values of info, runs their cooperation tables; answers the restored keywords.
  std::vector<std::string> _applyRestores(const ConflictInfo& info, Names& names);
  // Appends the keywords of ids to names as text.
  void _appendNames(const Names& ids, std::vector<std::string>& names) const;
  // Runs a step by id for keyword, appending what it names to names; true when keyword is unknown.
  bool _runStep(const std::string& keyword, std::vector<std::string>& names,
                const std::function<bool(Id, Names&)>& step);

  // Controls by id.
  KORAUI* _primary(Id id) const { return _mainKeywordAndControls.primary(id); }
  const std::string& _keyword(Id id) const { return _mainKeywordAndControls.entry(id).keyword; }
  // Calls visit with each control of id that lives, as the list was when the walk began.
  template <class Visit>
  void _forEachControl(Id id, Visit&& visit);
  void _setStringValue(Id id, const std::optional<std::string>& value);
  void _updateOldValue(Id id);

  // Settled keywords (kora_mgr_settled.cpp).
  // The id of keyword, given now (with its state) when it was never met.
  Id _intern(const std::string& keyword);
  // The tables of id's primary control (made, and their targets noted, when first needed).
  const std::shared_ptr<const Tables>& _tables(Id id, const KORAUI& primary);
  // Notes that parent's tables name target (perItem: with an entry that enables pop-up items).
  void _noteTarget(Id parent, Id target, bool perItem);
  // A change of id: its conditions and those of its parents (all of them, or
  // those with per-item entries only) are no longer fresh; id and every
  // keyword that reaches it are unsettled.
  void _keywordChanged(Id id, bool allParents);
  void _unsettle(Id id);
  // After a validation of id: settles it when a re-validation would change nothing.
  void _settle(Id id);
  // True when a validation of id would change nothing now.
  bool _isSettled(Id id);

  // Registration and compaction (kora_mgr.cpp).
  void _observe(Id id);
  // Forgets the controls destroyed or taken out, unless a walk or validation runs.
  void _compact() const;
  std::string _uniqueBackupName(std::string name) const;

  // Messages (kora_mgr_messages.cpp).
  std::string _localize(const std::string& key) const;
  Value _localizeOrNone(const std::optional<std::string>& key) const;
  // The text of a matched value: "Less Than %@" / "More Than %@" with the bound, else the selection's text.
  Value _conflictedText(int type, const std::string& bound, KORAUI* control) const;
  // One "[%@]:[%@]\r" line per conflicted keyword.
  std::string _conflictedLines(const ConflictInfo& info) const;
  // One "[%@]:[%@]\r" line per restore keyword with its proposed value.
  std::string _restoreLines(const ConflictInfo& info) const;
  std::string _unrestorableMessage(const ConflictInfo& info, KORAUI* control,
                                   const std::optional<std::string>& oldValue) const;
  std::string _conflictMessage(const ConflictInfo& info, KORAUI* control) const;
  std::string _allConflictMessage(const ConflictInfo& info, KORAUI* control) const;
  std::string _beforeChangeMessage(const ConflictInfo& info, const std::string& keyword,
                                   const std::optional<std::string>& name) const;

  // The old value of control, else its default.
  static std::optional<std::string> _oldOrDefault(const KORAUI& control);
  // A table value as the text a control takes (strings, booleans, numbers), or none.
  static std::optional<std::string> _textOf(const Value& value);

  // Counts the running validations and walks of controls; forgetting
  // controls waits until none runs (kora_mgr.cpp).
  class BusyScope;
  // Marks a keyword as being validated (kora_mgr_validation.cpp).
  class ValidationScope;
  // A list of keywords to announce, reused by the validations at one depth (kora_mgr_validation.cpp).
  class NamesScope;

  // Mutable: forgetting destroyed controls is no change of what the engine holds.
  mutable KORAControlRegistry _mainKeywordAndControls;
  Dict _backups;
  std::optional<std::string> _pdeResourcePath;
  bool _isCollectiveChange = false;

  std::shared_ptr<Bundle> _pdeBundle;
  NetworkDataPredicate _isInitializedNetworkData;
  Clock _clock;
  // By id, as many as the registry has ids (_intern keeps them alike).
  std::vector<KeywordState> _states;
  // Ids whose lists hold controls that are gone or were taken out.
  mutable std::vector<Id> _pendingCompaction;
  int _busy = 0;
  int _validationDepth = 0;
  // The lists of keywords to announce, one per validation depth.
  std::deque<Names> _namesPool;
  std::size_t _namesInUse = 0;
  // The work list of _unsettle.
  std::vector<Id> _unsettling;
  const Dict _collectiveInfo{{"isCollectiveChange", Value("True")}};
  const Dict _singleInfo{{"isCollectiveChange", Value("False")}};
  bool _cycleGuardEnabled = true;
  bool _settledSkipEnabled = true;
  std::size_t _validationCount = 0;
  std::size_t _settledSkipCount = 0;
};

}  // namespace orval
