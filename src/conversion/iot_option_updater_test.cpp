#include "conversion/iot_option_updater.h"

#include <gtest/gtest.h>

#include "platform/foundation/plist.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/kora_ui_test_support.h"

namespace orval {
namespace {

using namespace kora_ui_testing;
using Strings = std::vector<std::string>;

class IOTOptionUpdaterTest : public KoraUITest {};

Value sampleList(const std::string& name) {
  const auto list =
      plistFromFile(std::filesystem::path(ORVAL_SOURCE_DIR) / "resources/server_lists" / (name + ".plist"));
  EXPECT_TRUE(list) << name;
  return list.value_or(Value());
}

// A server list of one-field entries (tray numbers, destination types).
Value numbers(const Strings& values) {
  Array list;
  for (const std::string& v : values) list.push_back(Array{v, "name"});
  return list;
}

Strings keywordsOf(const Array& pairs) {
  Strings out;
  for (const Value& pair : pairs) out.push_back((*pair.asArray())[1].text());
  return out;
}

// A pop-up whose choices are the values ("-" is a separator), titled by their values.
std::unique_ptr<KORAUI> popup(const std::string& keyword, const Strings& values, const std::string& value) {
  Array list;
  for (const std::string& v : values) {
    if (v == "-") list.push_back(Dict{{"choice", "-"}, {"text", ""}, {"separator", true}});
    else list.push_back(Dict{{"choice", v}, {"text", v}});
  }
  auto control = build(Dict{{"mainKeyword", keyword}, {"control_type", "PopupButton"}, {"text", keyword},
                            {"choices", list}, {"defchoice", values.front()}, {"default", values.front()}});
  control->setStringValue(value);
  return control;
}

// The values of the items the pop-up shows (separators left out), or "hidden".
Strings shown(const KORAUI& control) {
  Strings out;
  for (const tk::MenuItem* item : control.popupButton()->itemArray())
    if (!item->isSeparatorItem()) out.push_back(item->representedObject().text());
  return control.isHidden() ? Strings{"hidden"} : out;
}

TEST_F(IOTOptionUpdaterTest, InputSlotListFollowsTheFeeders) {
  const struct {
    Value feeders;
    Array preKey;
    bool isInputSlot, hasTrayInterposer;
    Strings expected;
  } rows[] = {
      // The sample: trays 1-4, the bypass tray (5), trays 6-9, the large capacity trays; no interposer.
      {sampleList("FeederInfoList"), Array{"0"}, true, false,
       {"AutoSelect", "Tray1", "Tray2", "Tray3", "Tray4", "Manual", "Tray6", "Tray7", "Tray8", "Tray9", "TrayA1_1",
        "TrayA1_2", "TrayStock"}},
      // Numbers without a tray, and entries of another shape, are skipped; a number may come as an integer.
      {Array{Array{"6"}, Array{"10"}, Array{"13"}, "junk", Array{}, Array{3}}, Array{"0", "99"}, true, false,
       {"AutoSelect", "Tray1", "Tray3", "TrayStock"}},
      // The tray keywords, with the interposer.
      {numbers({"9", "5"}), Array{"0", "5"}, false, true,
       {"TrayAuto", "TrayMSI", "Tray1", "TrayInterposer", "TrayMSI", "TrayStock"}},
  };
  for (const auto& row : rows) {
    Array pairs;
    IOTOptionUpdater::getInputSlotArray(pairs, row.feeders, row.preKey, Array{"25"}, row.isInputSlot,
                                        row.hasTrayInterposer);
    EXPECT_EQ(keywordsOf(pairs), row.expected);
  }
  Array pairs;
  IOTOptionUpdater::getInputSlotArray(pairs, numbers({"7"}), Array{"0"}, Array{}, true, false);
  EXPECT_EQ(pairs, (Array{Array{"自動選択", "AutoSelect"}, Array{"トレイ1", "Tray1"}, Array{"トレイ6", "Tray6"}}));
}

TEST_F(IOTOptionUpdaterTest, OutputTrayListFollowsTheStackers) {
  const struct {
    Value stackers;
    Strings expected;
  } rows[] = {
      {sampleList("StackerInfoList"),
       {"Auto", "Stackertray", "Stackertray2", "Autochange", "Stackertoptray", "Stackertoptray2", "D3finishertray",
        "D3finishertoptray", "Documentfinishing"}},
      {numbers({"10", "9"}), {"Auto", "Stackertray2", "Stackertray"}},
      {Array{Array{"16"}, Array{"5"}, Array{"77"}, "junk"}, {"Auto", "Documentfinishing", "Stackertoptray2"}},
      {Value(), {"Auto"}},
  };
  for (const auto& row : rows) {
    Array pairs;
    IOTOptionUpdater::getOutputTrayArray(pairs, row.stackers);
    EXPECT_EQ(keywordsOf(pairs), row.expected);
  }
}

TEST_F(IOTOptionUpdaterTest, ReplacingTheItemsKeepsTheValue) {
  const Strings choices{"AutoSelect", "Manual", "-", "Tray1", "Tray2", "Tray3", "Tray4", "TrayStock"};
  Array pairs;
  IOTOptionUpdater::getInputSlotArray(pairs, numbers({"2", "3"}), Array{"0"}, Array{"25"}, true, false);

  auto offered = popup("QZInputSlot", choices, "Tray2");
  IOTOptionUpdater::updateInputSlotKORAUI(offered.get(), pairs);
  EXPECT_EQ(shown(*offered), (Strings{"AutoSelect", "Tray1", "Tray2", "Tray3", "TrayStock"}));
  EXPECT_EQ(offered->popupButton()->titleOfSelectedItem(), "トレイ2");
  // A tray the server no longer has stays the value, for the control to report.
  auto gone = popup("QZInputSlot", choices, "Tray4");
  IOTOptionUpdater::updateInputSlotKORAUI(gone.get(), pairs);
  EXPECT_EQ(gone->getUnsportValue(), "Tray4");
  // A control that takes its value from the option set being restored keeps that one.
  KORAUI::setUpdateWithPrintOption(PrintOption{{"QZInputSlot", "Tray3"}});
  auto restored = popup("QZInputSlot", choices, "Tray2");
  IOTOptionUpdater::updateInputSlotKORAUI(restored.get(), pairs);
  EXPECT_EQ(restored->getStringValue(), "Tray3");
}

// The finishing pop-ups with one choice of each group of keywords ("-": a separator).
struct Finishing {
  std::unique_ptr<KORAUI> staple =
      popup("StapleMode", {"None", "-", "TopLeftCorner", "TopEdge", "-", "Saddle", "TopCenter", "RightEdge4"}, "None");
  std::unique_ptr<KORAUI> punch =
      popup("Punch_PunchHoles", {"None", "-", "LeftHoles2", "TopHoles3", "-", "MixSizeHoles4", "LeftHolesMulti"},
            "None");
  std::unique_ptr<KORAUI> fold =
      popup("Fold", {"None", "-", "Bifold", "MixSizeZfold", "C_TrifoldInside", "Z_TrifoldOutside"}, "None");
  std::unique_ptr<KORAUI> offset = popup("OffsetMode", {"None", "OffsetJob", "OffsetSet"}, "None");

  // What the main pane does with the device list.
  void apply(const Value& deviceList) {
    const Dict abilities = IOTOptionUpdater::convertArrayToDict(deviceList);
    using Groups = void (*)(Array&, Array&);
    const std::pair<KORAUI*, Groups> popups[] = {{staple.get(), &IOTOptionUpdater::getStapleOptionsWithKeyDevices},
                                                 {punch.get(), &IOTOptionUpdater::getPunchOptionsWithKeyDevices},
                                                 {fold.get(), &IOTOptionUpdater::getFoldOptionsWithKeyDevices}};
    for (const auto& [control, groups] : popups) {
      Array devices, options;
      groups(devices, options);
      const bool shows = IOTOptionUpdater::updatePopupButtonComponent(control, abilities, devices, options);
      EXPECT_EQ(shows, !control->isHidden());
    }
    offset->setHidden(!IOTOptionUpdater::isEnableWithDict(abilities, Array{"offset"}));
  }
};

TEST_F(IOTOptionUpdaterTest, FinishingPopupsFollowTheDeviceAbilities) {
  const Strings hidden{"hidden"};
  const struct {
    const char* name;
    Value devices;
    Strings staple, punch, fold;
    bool offset;
  } rows[] = {
      {"the sample", sampleList("DeviceList"), {"None", "TopLeftCorner", "TopEdge", "Saddle", "RightEdge4"},
       {"None", "LeftHoles2", "TopHoles3", "MixSizeHoles4"},
       {"None", "Bifold", "MixSizeZfold", "C_TrifoldInside", "Z_TrifoldOutside"},
       true},
      {"only quadPunch", Array{Array{"true", "quadPunch"}, Array{"false", "doublePunch"}}, hidden,
       {"None", "MixSizeHoles4"}, hidden, false},
      {"one of two abilities", Array{Array{"true", "usDoublePunch"}, Array{"true", "singleBottom"}},
       {"None", "TopLeftCorner"}, {"None", "LeftHoles2"}, hidden, false},
      // The value must be exactly "true".
      {"capitals", Array{Array{"TRUE", "quadPunch"}, Array{"True", "offset"}, Array{"true", "zFold"}}, hidden, hidden,
       {"None", "MixSizeZfold"}, false},
      {"no list", Value(), hidden, hidden, hidden, false},
      {"other shapes", Array{Array{"true"}, Array{"true", "singleTop", "x"}, Array{true, "doubleStitch"}, "junk",
                             Array{"true", 5}},
       hidden, hidden, hidden, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Finishing finishing;
    finishing.apply(row.devices);
    EXPECT_EQ(std::tuple(shown(*finishing.staple), shown(*finishing.punch), shown(*finishing.fold),
                         !finishing.offset->isHidden()),
              std::tuple(row.staple, row.punch, row.fold, row.offset));
  }
}

TEST_F(IOTOptionUpdaterTest, SelectedFinishingKeepsItsValueWhenItsGroupGoes) {
  const Value cornersOnly = Array{Array{"true", "singleTop"}, Array{"true", "quadPunch"}};
  Finishing finishing;
  finishing.staple->setStringValue("Saddle");
  finishing.punch->setStringValue("MixSizeHoles4");
  finishing.apply(cornersOnly);
  // Given the value again, the staple pop-up keeps it as unsupported.
  EXPECT_EQ(shown(*finishing.staple), (Strings{"None", "TopLeftCorner"}));
  EXPECT_EQ(finishing.staple->getUnsportValue(), "Saddle");
  EXPECT_FALSE(finishing.punch->getUnsportValue());
  EXPECT_EQ(finishing.punch->getStringValue(), "MixSizeHoles4");
  EXPECT_FALSE(IOTOptionUpdater::updatePopupButtonComponent(nullptr, Dict{{"singleTop", "true"}},
                                                            Array{Array{"singleTop"}}, Array{Array{"TopLeftCorner"}}));
}

}  // namespace
}  // namespace orval
