// Replacement lists of a KORAUI pop-up: the items shown instead of, or
// besides, the description's choices ([display text, value] pairs).
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
  _fillPopupItems();
  _didChange(KORAUIChange::Enabling);
  _didChange(KORAUIChange::Value);
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
  Array combined;
  for (std::size_t i = 0; i < _theArray.size(); ++i) {
    const auto text = _choiceTextAt(i);
    if (!text || text->empty()) continue;  // separators have no pair form
    combined.push_back(Array{*text, _choiceAt(i).value_or(std::string())});
  }
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
  Array kept;
  for (std::size_t i = 0; i < _theArray.size(); ++i) {
    const auto text = _choiceTextAt(i);
    const std::string value = _choiceAt(i).value_or(std::string());
    if (!text || text->empty() || isRemoved(value)) continue;
    kept.push_back(Array{*text, value});
  }
  _applyReplacementList(std::move(kept));
}

}  // namespace orval
