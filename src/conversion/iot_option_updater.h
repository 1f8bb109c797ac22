// IOTOptionUpdater: the device-dependent choices of the main pane's pop-ups.
//
// Which paper trays, output trays and finishing options exist depends on the
// devices attached to the printer, which only the print server knows. This
// class turns the server's lists (as the pane plug-in manager reads them from
// the printer) into the items of the input slot ("QZInputSlot"), output tray
// ("OutputTray"), staple ("StapleMode"), punch ("Punch_PunchHoles") and fold
// ("Fold") pop-ups, and into the visibility of the offset control
// ("OffsetMode"). It holds no state: every operation is a class operation.
//
// Server lists, as the manager answers them:
//   feeder list   arrays whose element 0 is the tray number ("1", "5", ...)
//   stacker list  arrays whose element 0 is the destination type ("9", ...)
//   device list   arrays of two strings: the value ("true" when the device
//                 has the ability, compared exactly) and the ability name
// Entries of another shape, and numbers or types without an entry in the
// tables below, are skipped without a message.
//
// Pop-up items are pairs [title, option keyword]: the title is a key of the
// "UI" string table (the Japanese text), the keyword is the option's value.
#pragma once

#include "platform/foundation/value.h"

namespace orval {

class KORAUI;

class IOTOptionUpdater {
 public:
  IOTOptionUpdater() = delete;

  // Input slots -------------------------------------------------------------------

  // Fills dict with the input slot table: tray number -> [title, keyword].
  // Trays "0" and "5" answer "AutoSelect" / "Manual" for the input slot,
  // "TrayAuto" / "TrayMSI" otherwise; "9" (the interposer) is listed only
  // when hasTrayInterposer is true.
  static void getInputSlotDict(Dict& dict, bool isInputSlot, bool hasTrayInterposer);
  // Fills array with the input slot pairs: the leading numbers preKey, tray
  // 1 (when the feeder list lacks it), the feeders of input in list order,
  // then the trailing numbers suffKey; numbers without an entry are skipped.
  static void getInputSlotArray(Array& array, const Value& input, const Array& preKey, const Array& suffKey,
                                bool isInputSlot, bool hasTrayInterposer);
  // Replaces the pop-up's items by pairs, keeping its value (see the .cpp).
  static void updateInputSlotKORAUI(KORAUI* control, const Array& array);

  // Output trays -------------------------------------------------------------------

  // Fills dict with the output tray table: output tray number -> [title, keyword].
  static void getOutputTrayDict(Dict& dict);
  // Fills dict with the server's destination type -> output tray number.
  static void getDstTypeMap(Dict& dict);
  // Fills array with the output tray pairs: "Auto", then the stackers of
  // input in list order; a type "10" after a type "9" adds "Autochange"
  // after the "Stackertray2" pair.
  static void getOutputTrayArray(Array& array, const Value& input);

  // Finishing ----------------------------------------------------------------------

  // Ability name -> value from the device list (two-element entries only);
  // empty when the list is missing or not an array.
  static Dict convertArrayToDict(const Value& deviceList);
  // Clear both arrays and fill them with the groups of one pop-up: element i
  // of keyDevices lists the abilities of group i (any one will do), element i
  // of keyOptions the option keywords that need one of them.
  static void getStapleOptionsWithKeyDevices(Array& keyDevices, Array& keyOptions);
  static void getPunchOptionsWithKeyDevices(Array& keyDevices, Array& keyOptions);
  static void getFoldOptionsWithKeyDevices(Array& keyDevices, Array& keyOptions);
  // True when one of the names in keyArray has exactly the value "true" in dict.
  static bool isEnableWithDict(const Dict& dict, const Array& keyArray);
  // Shows the finishing pop-up control and removes the keywords of its
  // unavailable groups (keeping its value) when at least one group is
  // available (true); hides it otherwise, also without a control, abilities
  // or groups (false).
  static bool updatePopupButtonComponent(KORAUI* control, const Dict& deviceDict, const Array& keyDevices,
                                         const Array& keyOptions);
  // Removes the items whose keyword is in removeItems, keeping the value
  // (the default when the control had none); nothing for an empty list.
  static void updatePopupButtonComponent(KORAUI* control, const Array& removeItems);
};

}  // namespace orval
