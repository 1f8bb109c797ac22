// KORAUI: one settings control, built at run time from one control
// description of the UI description.
//
// A KORAUI stands for one print option key, its main keyword. It is a view
// that owns a handful of widgets (title labels, icons and one value control
// of its control type), keeps the option's value as a string, maps that
// string to and from its widgets, and announces every user change through
// NotifyUnit under the main keyword. It carries copies of the constraint
// tables of its description, which KORAMgr evaluates, and offers KORAMgr the
// means to enable (reference-counted by source keyword), hide and refill it.
// A control may own child controls ("other_controls") laid out beneath it.
//
// Frames are in points inside the control's own view, y growing upwards.
//
// Control types: "TextField_text", "SecureTextField_text", "TextField_number",
// "CheckBox", "PopupButton", "RadioButton", "HRadioButton", "Slider",
// "DatePicker"; a missing or unknown type builds only the title part.
//
// "HRadioButton" is the horizontal radio group: the same radio matrix as
// "RadioButton" (one cell per choice, same actions, icons, disabling and
// unsupported-value handling), but laid out as one row with one column per
// choice, (W - 24) / count wide each, on the value row below the title. It
// is one row high: its height is 24, plus 24 when it has a title, and its
// value maps to and from the selected cell exactly as a vertical group's.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/bundle.h"
#include "platform/foundation/value.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/date_picker.h"
#include "platform/toolkit/image.h"
#include "platform/toolkit/image_view.h"
#include "platform/toolkit/matrix.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/slider.h"
#include "platform/toolkit/stepper.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/text_field_delegate.h"
#include "platform/toolkit/view.h"

namespace orval {

class KORAUI;

// What changed in a control, as its watchers are told.
enum class KORAUIChange {
  // Its value (as read from its widgets or stored).
  Value,
  // Its enabling: widgets, labels, pop-up items or the lists of enabling sources.
  Enabling,
  // Its description, tables or widgets (a new build).
  Description,
  // It is being destroyed.
  Destroyed,
};

// Told of every change of a control that a constraint engine's bookkeeping
// rests on (see KORAMgr). The cookie is the one given with addWatcher.
class KORAUIWatcher {
 public:
  virtual void controlDidChange(KORAUI& control, KORAUIChange change, std::uint32_t cookie) = 0;

 protected:
  ~KORAUIWatcher() = default;
};

class KORAUI : public tk::View, public tk::TextFieldDelegate {
 public:
  // The clock that "now" dates are read from.
  using Clock = std::function<std::chrono::system_clock::time_point()>;

  explicit KORAUI(tk::Rect frame = {});
  ~KORAUI() override;

  std::string className() const override { return "KORAUI"; }

  // Set-up and building ---------------------------------------------------------

  // Keeps a copy of the control description and the resource bundle (a
  // parsed UI description of another bundle is let go).
  void setControlDictionary(const Dict& dict, std::shared_ptr<Bundle> pluginBundle);
  // Replaces only the control description.
  void setControlDictionary(const Dict& dict);
  // The parsed UI description that the build takes children's descriptions
  // from (shared with the children); without one, a build that has children
  // reads it from the bundle once for the whole tree.
  void setUIDescription(std::shared_ptr<const Dict> uiDescription) { _uiDescription = std::move(uiDescription); }
  const std::shared_ptr<const Dict>& uiDescription() const { return _uiDescription; }
  void setBundle(std::shared_ptr<Bundle> bundle) { _bundle = std::move(bundle); }
  const std::shared_ptr<Bundle>& bundle() const { return _bundle; }
  // Builds the control from its description for no particular pane.
  void updateControl();
  // Builds the control for the pane named paneName (selects the "text_<pane>" title).
  void updateControl(const std::string& paneName);
  // Builds the control from dict for no particular pane.
  void createControls(const Dict& dict);
  // The builder: widgets, geometry, children, then setDefault. A second build
  // replaces the widgets and children of the first (keeping value, lists and enabling).
  void createControls(const Dict& dict, const std::string& paneName);
  // The path of the UI description for this control's bundle, or none.
  std::optional<std::string> getUIFilePath() const;
  // Removes every subview (last first) and releases the widgets, tables, lists and children.
  void controlRemoveAll();
  // Sets the clock read for "now" dates (the system clock unless set); set it before building.
  void setClock(Clock clock) { _clock = std::move(clock); }

  // Identity and tables ---------------------------------------------------------

  const std::string& mainKeyword() const { return _korakeyword; }
  void setMainKeyword(std::string keyword);
  // The name of the setting in conflict messages (localized).
  const std::string& mainKeywordText() const { return _keywordText; }
  // The child controls, in build order (owned as subviews).
  const std::vector<KORAUI*>& childControls() const { return _childControls; }
  // The first child whose main keyword equals keyword, or nullptr.
  KORAUI* getChildKORAUI(const std::string& keyword) const;
  // Answers "controlClass".
  std::string controlClass() const { return "controlClass"; }
  const Dict& getConflictDictionary() const { return _conflictDictionary; }
  const Dict& getUnrestorableConflictDictionary() const { return _unrestorableConflictDictionary; }
  const Dict& getConditionDictionary() const { return _conditionDictionary; }
  const Dict& getLogicalSumConditionDictionary() const { return _logicalSumConditionDictionary; }
  const Dict& getCooperationDictionary() const { return _cooperationDictionary; }
  const Dict& getHideDictionary() const { return _hideDictionary; }
  // The four date pickers (date field, time field, calendar, clock); empty for other types.
  std::vector<tk::DatePicker*> getDatePickers() const;
  // The "isEnableSpread" flag of the description.
  bool getSpreadValue() const { return _isEnableSpread; }

  // Helpers ---------------------------------------------------------------------

  // The PNG image at path, drawn into 16 x 16 when either side exceeds 16; none when it cannot load.
  static std::optional<tk::Image> getIconImage(const std::string& path);
  // 1 + the number of "\r" in text.
  static int getLineCount(const std::string& text);
  // The height the built control needs (used by pane layouts and the child layout).
  double getControlHeight() const;
  // "checkbox" when the description named keyword has "defchoice" "True" or
  // "False" and exactly two choices, else "unknown".
  static std::string getMainKeywordType(const Dict& uiDescription, const std::string& keyword);
  // A date value as a date: "now" (plus the seconds after it), else seconds since 1970.
  Date datePickerDictionaryValueToDate(const Value& value) const;
  // A date value as the decimal integer of its seconds since 1970.
  std::string datePickerDictionaryValueToStringValue(const Value& value) const;

  // Values ----------------------------------------------------------------------

  // The value read from the widgets (also stored as the value); the stored
  // value when the widgets show none.
  const std::optional<std::string>& getStringValue();
  // Stores value (when present) and shows it in the widgets.
  void setStringValue(const std::optional<std::string>& value);
  // The stored value only.
  const std::optional<std::string>& value() const { return _value; }
  void setValue(std::optional<std::string> value);
  // Stores value when none is stored, then shows it unless the stored value already equals it.
  void updateValue(const std::string& value);
  // Stores value when none is stored, then always shows it.
  void updateValueFont(const std::string& value);
  // The description's default (a date picker's as seconds since 1970); none when missing or empty.
  std::optional<std::string> getDefault() const;
  // Shows the default (when there is one), then posts the main keyword.
  void setDefault();
  // The old value := the value read from the widgets.
  void updateOldValue();
  // The value at the last accepted change.
  const std::optional<std::string>& getOldValue() const { return _oldValue; }
  // The value the last setStringValue could not show in a pop-up or radio group.
  const std::optional<std::string>& getUnsportValue() const { return _unsportValue; }
  void setUnsportValue(std::optional<std::string> value) { _unsportValue = std::move(value); }
  // Sets (or, with none, clears) the process-wide pending print option.
  static void setUpdateWithPrintOption(std::optional<PrintOption> printOption);
  // The process-wide pending print option, or nullptr.
  static const PrintOption* pendingPrintOption();
  // True when the pending print option has the main keyword: that value is shown and becomes the old value.
  bool updateWithPrintOption();
  // The display text of value (check box, pop-up, radio group); none for other types.
  std::optional<std::string> getOptionText(const std::optional<std::string>& value);
  // The display text of the current selection (text fields: their text); none for other types.
  std::optional<std::string> getSelectedOptionText() const;
  // The number of "choices", or -1 without a list.
  int getChoicesCount() const;
  // "min" and "max" of the description, or none.
  std::optional<std::string> minValue() const;
  std::optional<std::string> maxValue() const;
  // Shows number in the numeric field with the field's format.
  void setDoubleValue(double number);
  // New bounds of a "TextField_number": field, stepper and "desc_text".
  void updateMin(double min, double max);

  // Enabling and visibility -------------------------------------------------------

  // Enables or disables every value widget and paints every label accordingly.
  void setEnabled(bool flag);
  // Reference-counted enabling: disabled while any source keyword disables the control.
  void setEnabled(bool flag, const std::string& from);
  // Logical-sum enabling: enabled while any source keyword enables the control.
  void setEnabledPositively(bool flag, const std::string& from);
  // Per-item enabling of a pop-up by choice value; a disabled selection moves to the first enabled item.
  void setEnabledByDictionary(const Dict& dictionary);
  // setEnabled on every child.
  void setEnabledChildControl(bool flag);
  // Hides or shows every widget and label (the control's own view stays as it is).
  void setHidden(bool flag) override;
  // The hidden state of the first existing value widget; true without one.
  bool isHidden() const;
  // The enabled state of the first existing value widget; true without one.
  bool isEnabled() const;
  // Disables the radio cells whose choice is listed in "disableForPDE".
  void disableForPDE();
  // False only when the control has an enabled, empty text field.
  bool isEmptycheck() const;
  // The logical check box state (0 or 1, "isInvert" applied).
  int checkBoxState() const;
  // Sets the logical check box state (0 or 1).
  void setCheckBoxState(int state);
  // Shows the "true" icon and hides the "false" one (flag true), or the reverse.
  void setIconImage(bool flag);
  // The source keywords that currently disable / enable the control.
  const std::vector<std::string>& theNameOfDisabledKey() const { return _theNameOfDisabledKey; }
  const std::vector<std::string>& theNameOfEnabledKey() const { return _theNameOfEnabledKey; }

  // Replacement lists of a pop-up -------------------------------------------------

  // The pop-up shows exactly these [display text, value] pairs.
  void setPopupButtonArray(const Value& pairs);
  // The pop-up shows its choices followed by these [display text, value] pairs.
  void addPopupButtonArray(const Value& pairs);
  // The pop-up shows its choices except those whose value is listed.
  void removePopupButtonArray(const Value& values);
  // The replacement list ([display text, value] pairs; a separator kept from the
  // choices is ["", value, "separator"]); meaningful while hasReplacementList().
  const Array& popupButtonArray() const { return _popupButtonArray; }
  // True once a replacement list was given: the pop-up shows it, even when it is empty.
  bool hasReplacementList() const { return _hasReplacementList; }

  // Actions (the widgets' targets) ---------------------------------------------------

  void textAction(tk::Control& sender);
  void stepperAction(tk::Control& sender);
  void sliderAction(tk::Control& sender);
  void radioAction(tk::Control& sender);
  void radioButtonAction(tk::Control& sender);
  void popupButtonAction(tk::Control& sender);
  void checkboxAction(tk::Control& sender);
  void buttonAction(tk::Control& sender);
  void datePickerAction(tk::Control& sender);
  void disclosureTriangleAction(tk::Control& sender);
  // The numeric field's text changed: the stepper follows it.
  void controlTextDidChange(tk::TextField& control) override;

  // Collapse support, given by the creator: the triangle (not owned) and the full height.
  void setDisclosureTriangle(tk::Button* triangle) { _disclosureTriangle = triangle; }
  tk::Button* disclosureTriangle() const { return _disclosureTriangle; }
  void setMaxHeight(double height) { _maxHeight = height; }
  double maxHeight() const { return _maxHeight; }

  // The built widgets (nullptr when the type has none) ---------------------------------

  tk::ImageView* iconImageviewGroup() const { return _iconImageviewGroup; }
  tk::TextField* groupTitleText() const { return _groupTitleText; }
  tk::TextField* titleText() const { return _titleText; }
  tk::TextField* descText() const { return _descText; }
  tk::TextField* headText() const { return _headText; }
  tk::TextField* headTitleText() const { return _headTitleText; }
  tk::TextField* sliderStartLavelText() const { return _sliderStartLavelText; }
  tk::TextField* sliderEndLavelText() const { return _sliderEndLavelText; }
  const std::vector<tk::TextField*>& sliderLavelTextArray() const { return _sliderLavelTextArray; }
  tk::Button* checkbox() const { return _checkbox; }
  tk::PopUpButton* popupButton() const { return _popupButton; }
  tk::Matrix* radioButtonMatrix() const { return _radioButtonMatrix; }
  // The text field (a KORATextField or KORASecureTextField).
  tk::TextField* text() const { return _text; }
  tk::Stepper* stepper() const { return _stepper; }
  tk::Slider* slider() const { return _slider; }
  tk::Button* button() const { return _button; }
  tk::ImageView* iconImageviewTrue() const { return _iconImageviewTrue; }
  tk::ImageView* iconImageviewFalse() const { return _iconImageviewFalse; }
  tk::ImageView* iconImageviewSliderMin() const { return _iconImageviewSliderMin; }
  tk::ImageView* iconImageviewSliderMax() const { return _iconImageviewSliderMax; }
  // The icon beside a "TextField_number" (the image named by the main keyword).
  tk::ImageView* iconImageviewNumber() const { return _iconImageviewNumber; }

  // The description as read by the build --------------------------------------------

  const std::string& controlType() const { return _controlType; }
  const std::string& keywordText() const { return _keywordText; }
  const std::vector<std::string>& optionsKey() const { return _optionsKey; }
  const std::vector<std::string>& optionsText() const { return _optionsText; }
  int lineCount() const { return _lineCount; }
  bool isEnableIcon() const { return _isEnableIcon; }
  bool isEnableButton() const { return _isEnableButton; }
  const Dict& controlDictionary() const { return _controlDictionary; }
  // The "choices" array.
  const Array& theArray() const { return _theArray; }
  // The "disableForPDE" choice values.
  const Array& disableForPDEChoices() const { return _disableForPDE; }

  // Lifetime ----------------------------------------------------------------------

  // A token that expires when this control is destroyed: holders of a plain
  // pointer to the control (the engine's registry, deferred work) test it before use.
  std::weak_ptr<const void> lifetimeToken() const { return _lifeToken; }

  // Watchers ----------------------------------------------------------------------

  // Tells watcher of every change from now on, with cookie (once per watcher).
  void addWatcher(KORAUIWatcher* watcher, std::uint32_t cookie);
  // Stops telling watcher.
  void removeWatcher(const KORAUIWatcher* watcher);

 private:
  // Building (kora_ui_build.cpp).
  struct BuildContext;
  void _readDescription(BuildContext& ctx);
  void _buildGroupTitle(BuildContext& ctx);
  void _buildGroupIcon(BuildContext& ctx);
  void _buildTitleBlock(BuildContext& ctx);
  void _buildTextField(BuildContext& ctx);
  void _buildNumberField(BuildContext& ctx);
  void _buildSlider(BuildContext& ctx);
  void _buildRadioGroup(BuildContext& ctx);
  void _buildCheckBox(BuildContext& ctx);
  void _buildPopupButton(BuildContext& ctx);
  void _buildDatePickers(BuildContext& ctx);
  void _buildChildren(BuildContext& ctx);
  tk::TextField& _addLabel(const std::string& text, tk::Rect frame);
  tk::ImageView& _addImageView(std::optional<tk::Image> image, tk::Rect frame);
  // Removes the widgets and children of an earlier build (keeps description, lists and value).
  void _removeWidgets();
  // Fills the pop-up from the replacement list or the choices.
  void _fillPopupItems();
  const tk::Control* _firstValueWidget() const;
  // A localization key looked up in the bundle's "UI" table.
  std::string _localized(const std::string& key) const;
  // The image of a bundle resource of type "png", or none.
  std::optional<tk::Image> _resourceImage(const std::string& name) const;
  // The image of a bundle resource of type "png" scaled for a menu (getIconImage), or none.
  std::optional<tk::Image> _menuIcon(const std::string& name) const;
  std::optional<std::string> _resourcePath(const std::string& name, const std::string& type) const;
  bool _isRadioType() const;
  bool _isTextFieldType() const;
  bool _isCheckBoxType() const;

  // Values (kora_ui_values.cpp).
  // setStringValue without telling the watchers.
  void _showValue(const std::optional<std::string>& value);
  std::optional<std::string> _choiceAt(std::size_t index) const;
  std::optional<std::string> _choiceTextAt(std::size_t index) const;
  void _selectRadioCells(const std::string& value);
  void _showNumber(const std::string& value);
  // The number of digits after ".", or -1 without one.
  static int _decimalsOf(const std::string& text);
  std::string _formatWithUnit(double number) const;
  void _renderDescText(const std::string& min, const std::string& max);
  std::chrono::system_clock::time_point _now() const;

  // Replacement lists.
  bool _checkPairs(const Value& pairs, Array& out) const;
  void _applyReplacementList(Array list);
  // The choices whose value keep accepts, as replacement-list entries, with the
  // separators that stand between two of them.
  Array _choicePairs(const std::function<bool(const std::string&)>& keep) const;

  // Posts the main keyword, with "Paramater" when value is present.
  void _postChange(const std::optional<std::string>& value);
  // The value the widgets show, or none when they show none (nothing is stored).
  std::optional<std::string> _widgetValue() const;
  // The text a pop-up, radio group or choice slider shows, where the widget
  // holds it; nullptr for other types or when nothing is shown.
  const std::string* _shownChoice() const;
  // Tells the watchers of change.
  void _didChange(KORAUIChange change);
  // Calls visit with each value widget, in the order isHidden / isEnabled read them.
  template <class Visit>
  void _forEachValueWidget(Visit&& visit) const;
  // Calls visit with each label that setEnabled paints.
  template <class Visit>
  void _forEachLabel(Visit&& visit) const;

  std::shared_ptr<Bundle> _bundle;
  Clock _clock;

  tk::Button* _disclosureTriangle = nullptr;
  double _maxHeight = 0;
  tk::ImageView* _iconImageviewGroup = nullptr;
  std::optional<tk::Image> _iconGroup;
  tk::TextField* _groupTitleText = nullptr;
  tk::TextField* _titleText = nullptr;
  tk::TextField* _descText = nullptr;
  tk::TextField* _headText = nullptr;
  tk::TextField* _headTitleText = nullptr;
  tk::TextField* _sliderStartLavelText = nullptr;
  tk::TextField* _sliderEndLavelText = nullptr;
  std::vector<tk::TextField*> _sliderLavelTextArray;
  tk::Button* _checkbox = nullptr;
  tk::PopUpButton* _popupButton = nullptr;
  tk::ButtonCell _radioButton{"radioButton", tk::ButtonType::Radio};
  tk::Matrix* _radioButtonMatrix = nullptr;
  tk::TextField* _text = nullptr;
  tk::Stepper* _stepper = nullptr;
  tk::Slider* _slider = nullptr;
  std::vector<tk::DatePicker*> _datePickers;
  std::string _controlType;
  // How the value maps to the widgets, read from the control type.
  enum class ValueKind { None, Number, Text, CheckBox, Popup, Radio, Slider, Date };
  ValueKind _valueKind = ValueKind::None;
  // "other_controls_enable_choice" of the description.
  std::optional<std::string> _enableChoice;
  std::string _korakeyword;
  std::string _keywordText;
  std::vector<std::string> _optionsKey;
  std::vector<std::string> _optionsText;
  int _lineCount = 1;
  tk::ImageView* _iconImageviewTrue = nullptr;
  tk::ImageView* _iconImageviewFalse = nullptr;
  bool _isEnableIcon = false;
  bool _isEnableSpread = false;
  bool _isEnableButton = false;
  tk::Button* _button = nullptr;
  tk::ImageView* _iconImageviewSliderMin = nullptr;
  tk::ImageView* _iconImageviewSliderMax = nullptr;
  std::string _sliderMaxText;
  std::string _sliderMixText;
  std::optional<tk::Image> _iconTrue;
  std::optional<tk::Image> _iconFalse;
  std::optional<tk::Image> _minIcon;
  std::optional<tk::Image> _maxIcon;
  std::vector<KORAUI*> _childControls;
  std::optional<std::string> _value;
  std::optional<std::string> _oldValue;
  Dict _controlDictionary;
  Dict _conditionDictionary;
  Dict _logicalSumConditionDictionary;
  Dict _cooperationDictionary;
  Dict _hideDictionary;
  Dict _unrestorableConflictDictionary;
  Dict _conflictDictionary;
  Array _popupButtonArray;
  bool _hasReplacementList = false;
  Array _disableForPDE;
  Array _theArray;
  std::vector<std::string> _theNameOfEnabledKey;
  std::vector<std::string> _theNameOfDisabledKey;
  std::optional<std::string> _unsportValue;
  // The title as localized for this build (kept for getControlHeight and the messages).
  std::string _title;
  tk::ImageView* _iconImageviewNumber = nullptr;
  // Names of the descriptions this control was built inside (guards against a
  // description that lists itself among its own "other_controls").
  std::vector<std::string> _ancestorNames;
  // Lives as long as the control: work deferred to the next turn checks it.
  std::shared_ptr<int> _lifeToken;
  std::shared_ptr<const Dict> _uiDescription;
  struct Watch {
    KORAUIWatcher* watcher;
    std::uint32_t cookie;
  };
  std::vector<Watch> _watchers;
};

}  // namespace orval
