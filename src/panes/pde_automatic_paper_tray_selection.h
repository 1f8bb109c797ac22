// PdeAutomaticPaperTraySelection: the small modal dialog in which the user
// sets the attributes of the paper that the printer picks a tray by (the
// automatic instance: paper type, custom name, sequence, colour, custom
// colour name, weight, coating, drilling, gloss, preprinted) or that lies in
// the bypass tray (the bypass instance: paper type, sequence, colour, weight).
//
// Both instances are made from the one window description
// "AutomaticPaperTraySelection" (a property list of the plug-in bundle, see
// platform/toolkit/window_description.h). Its settings controls (KORAUI) are
// built from the entries of the UI description of the same names; the
// window's other control places stay empty. The dialog writes nothing into
// an option set: its owner hands the controls to the pane plug-in manager
// (registerControls), so that they take part in the settings engine and in
// value gathering like any pane control, and reads the values after the
// dialog closes (the manager's getStringValueFromKey and
// getTextFieldStringDictionary).
//
// Use (the main pane): initializePanel, registerControls; after the panel is
// built, setPaperTypeCustomList with the server's custom paper types; open
// with modalWindow, which runs until the person presses the close button
// and then calls the given operation.
//
// Ownership: the dialog owns its window, and the window its views and
// controls; the parent given to modalWindow is not owned.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "conversion/print_option_keys.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/value.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/panel.h"
#include "platform/toolkit/view.h"

namespace orval {

// The control names (UI description entries and print option keys) of the two dialogs.
namespace tray_selection_keys {
inline constexpr std::string_view kPaperTypeTabbed = print_option_keys::kPaperTypeTabbed;
inline constexpr std::string_view kPaperType = print_option_keys::kPaperType;
inline constexpr std::string_view kPaperTypeCustomName = "PaperTypeCustomName";
inline constexpr std::string_view kMediaTypeSequence = "MediaTypeSequence";
inline constexpr std::string_view kPaperColor = "PaperColor";
inline constexpr std::string_view kPaperColorCustomName = "PaperColorCustomName";
inline constexpr std::string_view kMediaTypeWeightValue = print_option_keys::kMediaTypeWeightValue;
inline constexpr std::string_view kMediaTypeWeight = "MediaTypeWeight";
inline constexpr std::string_view kMediaTypeCoatingMaterial = "MediaTypeCoatingMaterial";
inline constexpr std::string_view kMediaTypeDrilled = "MediaTypeDrilled";
inline constexpr std::string_view kMediaTypeGlossFine = "MediaTypeGlossFine";
inline constexpr std::string_view kMediaTypePreprinted = "MediaTypePreprinted";
inline constexpr std::string_view kPaperTypeBypass = print_option_keys::kPaperTypeBypass;
inline constexpr std::string_view kMediaTypeSequenceBypass = "MediaTypeSequenceBypass";
inline constexpr std::string_view kPaperColorBypass = "PaperColorBypass";
inline constexpr std::string_view kMediaTypeWeightBypass = "MediaTypeWeightBypass";
}  // namespace tray_selection_keys

class KORAMgr;
class KORAUI;
class PanePlugInMgr;

class PdeAutomaticPaperTraySelection {
 public:
  // The window description's resource name (type "plist") in the plug-in bundle.
  static constexpr const char* kWindowDescriptionName = "AutomaticPaperTraySelection";
  // The paper colour whose custom name is entered in the dialog.
  static constexpr const char* kStockCustomColor = "StockCustom";
  // The controls in use: control name -> control, in the order they were built.
  using KORAUIList = std::vector<std::pair<std::string, KORAUI*>>;

  PdeAutomaticPaperTraySelection();
  ~PdeAutomaticPaperTraySelection();
  PdeAutomaticPaperTraySelection(const PdeAutomaticPaperTraySelection&) = delete;
  PdeAutomaticPaperTraySelection& operator=(const PdeAutomaticPaperTraySelection&) = delete;

  // Keeps the bundle and the flag (true: the bypass instance), takes the UI
  // description's path from the manager, loads the window description and
  // builds the controls. False, logged, when the window description cannot
  // be loaded (the dialog then has no window and no controls).
  bool initializePanel(std::shared_ptr<Bundle> bundle, bool bypassFlag, PanePlugInMgr& callback);
  // The controls in use.
  const KORAUIList& getListKORAUI() const { return _korauiList; }
  // Hands every control in use to the manager (setKoraUiToKoraMgr), in build order.
  void registerControls(PanePlugInMgr& manager) const;
  // The current texts of the text controls (see the .cpp for which).
  Dict getTextFieldStringDictionary();
  // Adds the [title, keyword] pairs of list to the paper type pop-up's
  // choices, keeping its value. Given the engine, every other control of that
  // keyword it holds (a pane's) gets them too: the engine reads a keyword through
  // its first control, which must be able to hold a custom type picked here.
  void setPaperTypeCustomList(const Value& list, const KORAMgr* engine = nullptr);
  // Runs the dialog modally; when it closes, didEndSelecter is called if
  // both it and parent are given. Nothing without a window.
  void modalWindow(const void* parent, std::function<void()> didEndSelecter);
  // The close button: commits a pending text edit, hides the window, calls
  // the parent's operation, closes the window and ends its modal run.
  void clickButtonClose();

  // The dialog's window (nullptr when its description could not be loaded).
  tk::Panel* window() const { return _window.get(); }
  tk::View* separator() const { return _separator; }
  tk::Button* closeButton() const { return _close; }
  bool isBypass() const { return _bypassFlag; }

 private:
  // Builds the controls of this instance from the UI description.
  void initCtrl();
  // Builds the control in the place named name when the UI description has
  // its entry; true when built (it is then in use).
  bool _buildControl(const Dict& ui, const std::string& name, KORAUI* control);
  // The paper type control of this instance (the one in use), or nullptr.
  KORAUI* _paperTypeControl() const;
  bool _isInUse(const KORAUI* control) const;
  // Halves the window and its separator (the right column goes).
  void _resizeWindow();
  // The plug-in bundle's localized text of key.
  std::string _localized(const std::string& key) const;

  std::unique_ptr<tk::Panel> _window;
  tk::View* _view = nullptr;
  bool _bypassFlag = false;
  KORAUI* _kora_PaperType_MediaTypeTabbed = nullptr;
  KORAUI* _kora_PaperType_MediaTypeTabbed_MediaTypeCoatingMaterial_MediaTypePreprinted_MediaTypeDrilled_PaperTypeCustomNumber =
      nullptr;
  KORAUI* _kora_PaperTypeCustomName = nullptr;
  KORAUI* _kora_MediaTypeSequence = nullptr;
  KORAUI* _kora_PaperColor = nullptr;
  KORAUI* _kora_PaperColorCustomName = nullptr;
  KORAUI* _kora_MediaTypeWeightValue = nullptr;
  KORAUI* _kora_MediaTypeWeight = nullptr;
  KORAUI* _kora_MediaTypeCoatingMaterial = nullptr;
  KORAUI* _kora_MediaTypeDrilled = nullptr;
  KORAUI* _kora_MediaTypeGlossFine = nullptr;
  KORAUI* _kora_MediaTypePreprinted = nullptr;
  KORAUI*
      _kora_PaperTypeBypass_MediaTypeTabbedBypass_MediaTypeCoatingMaterialBypass_MediaTypePreprintedBypass_MediaTypeDrilledBypass_PaperTypeCustomNumberBypass =
          nullptr;
  KORAUI* _kora_MediaTypeSequenceBypass = nullptr;
  KORAUI* _kora_PaperColorBypass = nullptr;
  KORAUI* _kora_MediaTypeWeightBypass = nullptr;
  tk::View* _separator = nullptr;
  tk::Button* _close = nullptr;
  std::shared_ptr<Bundle> _plugInBundle;
  std::function<void()> _parentDidEndSelector;
  const void* _parentPnaeController = nullptr;
  std::optional<std::string> _uiFilePath;
  KORAUIList _korauiList;
};

}  // namespace orval
