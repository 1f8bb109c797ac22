// Replacement lists of a KORAUI pop-up: the items shown instead of, or
// besides, the description's choices ([display text, value] pairs). A list
// made from the choices keeps their separators as ["", value, "separator"]
// entries; a list may be empty (the pop-up then shows no item at all).
#include <functional>

#include "platform/foundation/log.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/kora_ui_internal.h"

namespace orval {

using namespace kora_ui_detail;

namespace {

constexpr const char* kInvalidListMessage = "##### Invalid list!";

}  // namespace

bool KORAUI::_checkPairs(const Value& pairs, Array& out) const {
  const Array* list = pairs.asArray();
  if (list == nullptr) {
    logMessage(kInvalidListMessage);
    return false;
  }
  for (const Value& pair : *list) {
    const Array* entry = pair.asArray();
    if (entry == nullptr || entry->size() < 2) {
      logMessage(kInvalidListMessage);
      return false;
    }
    out.push_back(Array{(*entry)[0].text(), (*entry)[1].text()});
  }
  return true;
}

void KORAUI::_applyReplacementList(Array list) {
  _popupButtonArray = std::move(list);
  _hasReplacementList = true;
  _fillPopupItems();
  _didChange(KORAUIChange::Enabling);
  _didChange(KORAUIChange::Value);
}

Array KORAUI::_choicePairs(const std::function<bool(const std::string&)>& keep) const {
  Array pairs;
  std::optional<std::string> pendingSeparator;  // its value
  for (std::size_t i = 0; i < _theArray.size(); ++i) {
    const Value* choice = _theArray.at(i);
    if (choice == nullptr || !choice->isDict()) continue;
    const std::optional<std::string> text = _choiceTextAt(i);
    const std::string value = _choiceAt(i).value_or(std::string());
    if (!text || text->empty()) {
      // A separator stands only between two choices that are shown.
      if (choice->asDict()->contains("separator") && !pairs.empty()) pendingSeparator = value;
      continue;
    }
    if (!keep(value)) continue;
    if (pendingSeparator) pairs.push_back(Array{"", *pendingSeparator, kSeparatorMark});
    pendingSeparator.reset();
    pairs.push_back(Array{*text, value});
  }
  return pairs;
}

void KORAUI::setPopupButtonArray(const Value& pairs) {
  if (_controlType != kPopupButton || pairs.isNull()) return;
  if (const Array* list = pairs.asArray(); list != nullptr && list->empty()) return;
  Array checked;
  if (!_checkPairs(pairs, checked)) return;
  _applyReplacementList(std::move(checked));
}

void KORAUI::addPopupButtonArray(const Value& pairs) {
  if (_controlType != kPopupButton || pairs.isNull()) return;
  if (const Array* list = pairs.asArray(); list != nullptr && list->empty()) return;
  Array added;
  if (!_checkPairs(pairs, added)) return;
  Array combined = _choicePairs([](const std::string&) { return true; });
  for (Value& pair : added) combined.push_back(std::move(pair));
  _applyReplacementList(std::move(combined));
}

void KORAUI::removePopupButtonArray(const Value& values) {
  if (_controlType != kPopupButton || values.isNull()) return;
  const Array* removed = values.asArray();
  if (removed == nullptr) {
    logMessage(kInvalidListMessage);
    return;
  }
  if (removed->empty()) return;
  const auto isRemoved = [removed](const std::string& value) {
    for (const Value& v : *removed)
      if (v.text() == value) return true;
    return false;
  };
  _applyReplacementList(_choicePairs([&isRemoved](const std::string& value) { return !isRemoved(value); }));
}

}  // namespace orval
