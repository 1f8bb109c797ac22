#include "conversion/iot_option_updater.h"

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "settings_ui/kora_ui.h"

namespace orval {

namespace {

struct InputSlot {
  const char* number;
  const char* title;
  const char* inputSlotKeyword;
  const char* trayKeyword;
};

// The numbers 6, 10 and 13 have no tray; no keyword names a fifth tray.
constexpr InputSlot kInputSlots[] = {
    {"0", "自動選択", "AutoSelect", "TrayAuto"},
    {"5", "手差しトレイ", "Manual", "TrayMSI"},
    {"1", "トレイ1", "Tray1", "Tray1"},
    {"2", "トレイ2", "Tray2", "Tray2"},
    {"3", "トレイ3", "Tray3", "Tray3"},
    {"4", "トレイ4", "Tray4", "Tray4"},
    {"7", "トレイ6", "Tray6", "Tray6"},
    {"8", "トレイ7", "Tray7", "Tray7"},
    {"11", "トレイ8", "Tray8", "Tray8"},
    {"12", "トレイ9", "Tray9", "Tray9"},
    {"14", "トレイA1_1", "TrayA1_1", "TrayA1_1"},
    {"15", "トレイA1_2", "TrayA1_2", "TrayA1_2"},
    {"16", "トレイA2_1", "TrayA2_1", "TrayA2_1"},
    {"17", "トレイA2_2", "TrayA2_2", "TrayA2_2"},
    {"9", "インターポーザー", "TrayInterposer", "TrayInterposer"},
    {"20", "ジョブ設定を使用", "TrayJobSameTray", "TrayJobSameTray"},
    {"25", "ストック", "TrayStock", "TrayStock"},
    {"27", "システム設定に従う", "TraySystemSetting", "TraySystemSetting"},
};
constexpr const char* kInterposerNumber = "9";
constexpr const char* kAlwaysOfferedTray = "1";

struct OutputTray {
  const char* number;
  const char* title;
  const char* keyword;
};

constexpr OutputTray kOutputTrays[] = {
    {"2", "自動選択", "Auto"},
    {"6", "スタッカートレイ", "Stackertray"},
    {"8", "スタッカートレイ2", "Stackertray2"},
    {"9", "スタッカートレイ(自動切替え)", "Autochange"},
    {"12", "外部フィニッシャー", "Documentfinishing"},
    {"13", "スタッカー排出トレイ", "Stackertoptray"},
    {"14", "フィニッシャートレイ", "D3finishertray"},
    {"15", "フィニッシャー排出トレイ", "D3finishertoptray"},
    {"16", "スタッカー排出トレイ2", "Stackertoptray2"},
};
constexpr const char* kAutoOutputTray = "2";
constexpr const char* kAutochangeOutputTray = "9";

// Server destination type -> output tray number.
constexpr std::pair<const char*, const char*> kDestinationTypes[] = {
    {"9", "6"}, {"10", "8"}, {"16", "12"}, {"4", "13"}, {"6", "14"}, {"3", "15"}, {"5", "16"},
};
constexpr const char* kFirstStackerType = "9";
constexpr const char* kSecondStackerType = "10";

using Names = std::initializer_list<const char*>;

struct FinishingGroup {
  Names abilities;
  Names keywords;
};

Array namesArray(Names names) {
  Array out;
  for (const char* name : names) out.push_back(Value(name));
  return out;
}

void fillGroups(std::initializer_list<FinishingGroup> groups, Array& keyDevices, Array& keyOptions) {
  keyDevices.clear();
  keyOptions.clear();
  for (const FinishingGroup& group : groups) {
    keyDevices.push_back(namesArray(group.abilities));
    keyOptions.push_back(namesArray(group.keywords));
  }
}

// Element 0 of a server list entry as text; none for an entry of another shape.
std::optional<std::string> firstField(const Value& entry) {
  const Array* fields = entry.asArray();
  if (fields == nullptr || fields->empty()) return std::nullopt;
  const Value& first = (*fields)[0];
  if (!first.isString() && !first.isInteger()) return std::nullopt;
  return first.text();
}

void appendPair(Array& array, const Dict& table, const std::string& number) {
  if (const Value* pair = table.find(number)) array.push_back(*pair);
}

// Sets the control's value back to remembered, or to its default when there was none.
void restoreValue(KORAUI& control, const std::optional<std::string>& remembered) {
  if (remembered) control.setStringValue(remembered);
  else control.setDefault();
}

}  // namespace

// Input slots -----------------------------------------------------------------------------------

void IOTOptionUpdater::getInputSlotDict(Dict& dict, bool isInputSlot, bool hasTrayInterposer) {
  for (const InputSlot& slot : kInputSlots) {
    if (!hasTrayInterposer && std::string_view(slot.number) == kInterposerNumber) continue;
    dict.set(slot.number, Array{slot.title, isInputSlot ? slot.inputSlotKeyword : slot.trayKeyword});
  }
}

void IOTOptionUpdater::getInputSlotArray(Array& array, const Value& input, const Array& preKey, const Array& suffKey,
                                         bool isInputSlot, bool hasTrayInterposer) {
  Dict table;
  getInputSlotDict(table, isInputSlot, hasTrayInterposer);
  for (const Value& number : preKey) appendPair(array, table, number.text());

  std::vector<std::string> feeders;
  if (const Array* entries = input.asArray())
    for (const Value& entry : *entries)
      if (std::optional<std::string> number = firstField(entry)) feeders.push_back(std::move(*number));
  // Tray 1 is always offered.
  if (std::find(feeders.begin(), feeders.end(), kAlwaysOfferedTray) == feeders.end())
    appendPair(array, table, kAlwaysOfferedTray);
  for (const std::string& number : feeders) appendPair(array, table, number);

  for (const Value& number : suffKey) appendPair(array, table, number.text());
}

void IOTOptionUpdater::updateInputSlotKORAUI(KORAUI* control, const Array& array) {
  if (control == nullptr) return;
  const std::optional<std::string> remembered = control->getStringValue();
  control->setPopupButtonArray(Value(array));
  // A control that takes its value from the option set being restored keeps that one.
  if (control->updateWithPrintOption()) return;
  restoreValue(*control, remembered);
}

// Output trays -----------------------------------------------------------------------------------

void IOTOptionUpdater::getOutputTrayDict(Dict& dict) {
  for (const OutputTray& tray : kOutputTrays) dict.set(tray.number, Array{tray.title, tray.keyword});
}

void IOTOptionUpdater::getDstTypeMap(Dict& dict) {
  for (const auto& [type, number] : kDestinationTypes) dict.set(type, Value(number));
}

void IOTOptionUpdater::getOutputTrayArray(Array& array, const Value& input) {
  Dict trays, types;
  getOutputTrayDict(trays);
  getDstTypeMap(types);
  appendPair(array, trays, kAutoOutputTray);
  const Array* entries = input.asArray();
  if (entries == nullptr) return;
  bool firstStackerSeen = false;
  for (const Value& entry : *entries) {
    const std::optional<std::string> type = firstField(entry);
    if (!type) continue;
    const Value* number = types.find(*type);
    if (number == nullptr) continue;
    appendPair(array, trays, number->text());
    if (*type == kFirstStackerType) firstStackerSeen = true;
    else if (*type == kSecondStackerType && firstStackerSeen) appendPair(array, trays, kAutochangeOutputTray);
  }
}

// Finishing ----------------------------------------------------------------------------------------

Dict IOTOptionUpdater::convertArrayToDict(const Value& deviceList) {
  Dict abilities;
  const Array* entries = deviceList.asArray();
  if (entries == nullptr) return abilities;
  for (const Value& entry : *entries) {
    const Array* fields = entry.asArray();
    if (fields == nullptr || fields->size() != 2) continue;
    const std::string* name = (*fields)[1].asString();
    if (name == nullptr) continue;
    abilities.set(*name, (*fields)[0]);
  }
  return abilities;
}

void IOTOptionUpdater::getStapleOptionsWithKeyDevices(Array& keyDevices, Array& keyOptions) {
  fillGroups({{{"singleTop", "singleBottom"},
               {"TopLeftCorner", "TopRightCorner", "BottomLeftCorner", "BottomRightCorner", "MixSizeCorner"}},
              {{"doubleStitch"}, {"TopEdge", "BottomEdge", "LeftEdge", "RightEdge", "MixSizeEdge"}},
              {{"saddleFoldStaple"}, {"SaddleInside", "SaddleOutside", "Saddle"}},
              {{"singleStitch"}, {"TopCenter", "BottomCenter", "LeftCenter", "RightCenter"}},
              {{"quadStitch"}, {"TopEdge4", "BottomEdge4", "LeftEdge4", "RightEdge4"}}},
             keyDevices, keyOptions);
}

void IOTOptionUpdater::getPunchOptionsWithKeyDevices(Array& keyDevices, Array& keyOptions) {
  fillGroups({{{"doublePunch", "usDoublePunch"},
               {"LeftHoles2", "RightHoles2", "TopHoles2", "BottomHoles2", "MixSizeHoles2"}},
              {{"triplePunch"}, {"LeftHoles3", "RightHoles3", "TopHoles3", "BottomHoles3", "MixSizeHoles3"}},
              {{"quadPunch"}, {"LeftHoles4", "RightHoles4", "TopHoles4", "BottomHoles4", "MixSizeHoles4"}},
              {{"a4CoilPunch", "letterPunch", "isoCoilPunch", "ansiCoilPunch"},
               {"LeftHolesMulti", "RightHolesMulti", "TopHolesMulti", "BottomHolesMulti"}}},
             keyDevices, keyOptions);
}

void IOTOptionUpdater::getFoldOptionsWithKeyDevices(Array& keyDevices, Array& keyOptions) {
  fillGroups({{{"saddleFoldNoStaple"}, {"BifoldInside", "BifoldOutside", "Bifold"}},
              // The Z-fold group also removes an item without a keyword.
              {{"zFold"}, {"ZfoldRightBind", "ZfoldLeftBind", "MixSizeZfold", ""}},
              {{"triFoldC"}, {"C_TrifoldInside", "C_TrifoldOutside"}},
              {{"triFoldZ"}, {"Z_TrifoldInside", "Z_TrifoldOutside"}}},
             keyDevices, keyOptions);
}

bool IOTOptionUpdater::isEnableWithDict(const Dict& dict, const Array& keyArray) {
  for (const Value& name : keyArray) {
    const std::string* key = name.asString();
    if (key == nullptr) continue;
    const Value* value = dict.find(*key);
    // Exactly "true": "TRUE" or a boolean does not count.
    if (value != nullptr && value->isString() && *value->asString() == "true") return true;
  }
  return false;
}

bool IOTOptionUpdater::updatePopupButtonComponent(KORAUI* control, const Dict& deviceDict, const Array& keyDevices,
                                                  const Array& keyOptions) {
  if (control == nullptr) return false;
  if (deviceDict.empty() || keyDevices.empty() || keyOptions.empty()) {
    control->setHidden(true);
    return false;
  }
  bool anyAvailable = false;
  Array removal;
  for (std::size_t i = 0; i < keyDevices.size(); ++i) {
    const Array* abilities = keyDevices[i].asArray();
    if (abilities != nullptr && isEnableWithDict(deviceDict, *abilities)) {
      anyAvailable = true;
      continue;
    }
    // A group without its keyword list has nothing to remove.
    if (const Value* options = keyOptions.at(i); options != nullptr && options->isArray())
      for (const Value& keyword : *options->asArray()) removal.push_back(keyword);
  }
  if (!anyAvailable) {
    control->setHidden(true);
    return false;
  }
  control->setHidden(false);
  updatePopupButtonComponent(control, removal);
  return true;
}

void IOTOptionUpdater::updatePopupButtonComponent(KORAUI* control, const Array& removeItems) {
  if (control == nullptr || removeItems.empty()) return;
  const std::optional<std::string> remembered = control->getStringValue();
  control->removePopupButtonArray(Value(removeItems));
  restoreValue(*control, remembered);
}

}  // namespace orval
