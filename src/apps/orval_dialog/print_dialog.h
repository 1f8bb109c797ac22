// PrintDialog: the print dialog window that holds the "TZ Print Server"
// panel, built in the toolkit model (a Qt renderer shows it).
//
// From the top: the destination chooser (the CUPS destinations, or the
// bundle's own printer description when CUPS has none), the dialog's own
// copies field, "Collated" and "Two-Sided" check boxes (where the panel's
// ticket bridge finds them: the copies field at a known frame, the check
// boxes by their actions), the panel's view (whose own buttons open the
// detailed settings, the tray dialogs and the job name dialog), and a row with
// "Favorites...", "Save Favorite...", Cancel and Print. The two favorites
// buttons run the panel's favorites actions (the panel hides its favorites
// row when it shows). Print saves the
// settings through the panel and submits the files as one job through
// CupsPrintHost; without a CUPS destination or without files it is disabled.
//
// Choosing another destination unloads the plug-in and loads it again with
// that destination's host, as a print dialog does when the printer changes.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/bundle.h"
#include "platform/toolkit/window.h"

namespace orval {
class CupsPrintHost;
class WexoPDEByCocoa;
namespace cli {
class PlugInSession;
}
namespace tk {
class Button;
class Control;
class PopUpButton;
class TextField;
class View;
}  // namespace tk

struct PrintDialogOptions {
  std::shared_ptr<Bundle> bundle;
  std::vector<std::filesystem::path> files;
  // The destination chosen first (QUEUE or QUEUE/INSTANCE); CUPS's default when none.
  std::optional<std::string> printer;
};

class PrintDialog : private tk::WindowDelegate {
 public:
  // The item of the destination chooser that stands for the bundle's own description.
  static constexpr const char* kOwnDescriptionItem = "TZ Print Server";

  // Builds the dialog and loads the panel for the first destination; throws
  // cli::CommandError when the bundle cannot be loaded at all.
  explicit PrintDialog(PrintDialogOptions options);
  ~PrintDialog();
  PrintDialog(const PrintDialog&) = delete;
  PrintDialog& operator=(const PrintDialog&) = delete;

  tk::Window& window() { return *_window; }
  WexoPDEByCocoa& panel();
  tk::PopUpButton& destinations() { return *_destinations; }
  tk::TextField& copies() { return *_copies; }
  // The main pane's "Show Detailed Settings" button (throws std::logic_error when the pane has none).
  tk::Button& detailedSettingsButton();
  // The dialog's favorites buttons: they run the panel's clickedBrowseFavoriteButton and clickedSaveFavoriteButton.
  tk::Button& favoritesButton() { return *_favorites; }
  tk::Button& saveFavoriteButton() { return *_saveFavorite; }
  tk::Button& printButton() { return *_print; }
  tk::Button& cancelButton() { return *_cancel; }
  // The CUPS host of the chosen destination, or nullptr for the bundle's own description.
  CupsPrintHost* cupsHost() const { return _cups.get(); }
  // The id of the job Print submitted, once it did.
  const std::optional<int>& submittedJob() const { return _submittedJob; }
  // True once the window closed (Print, Cancel or its close box).
  bool isDone() const { return _done; }
  // Sets what runs when the window closes.
  void setClosedHandler(std::function<void()> handler) { _closed = std::move(handler); }

  // The dialog's own strings in the preferred language (English and Japanese).
  static std::string localized(const std::string& english);

 private:
  void windowWillClose(tk::Window& window) override;
  void _buildWindow();
  // Loads the panel for the destination at index of the chooser (the bundle's own description
  // when there is no CUPS destination or it cannot be used; the reason is shown).
  void _loadDestination(int index);
  void _unloadPanel();
  void _layOutPanel();
  void _clickedPrint();
  void _clickedCancel();
  void _showMessage(const std::string& message, const std::string& detail);
  void _updatePrintEnabled();
  // Puts the dialog's copies, collation and two-sided printing into the job's print settings.
  void _takeHostControls();

  PrintDialogOptions _options;
  std::unique_ptr<tk::Window> _window;
  tk::PopUpButton* _destinations = nullptr;
  tk::View* _hostControls = nullptr;
  tk::TextField* _copies = nullptr;
  tk::Button* _collate = nullptr;
  tk::Button* _twoSided = nullptr;
  tk::View* _panelHolder = nullptr;
  tk::Button* _favorites = nullptr;
  tk::Button* _saveFavorite = nullptr;
  tk::Button* _print = nullptr;
  tk::Button* _cancel = nullptr;
  std::vector<std::string> _queues;
  std::unique_ptr<CupsPrintHost> _cups;
  std::unique_ptr<cli::PlugInSession> _session;
  std::optional<int> _submittedJob;
  bool _done = false;
  std::function<void()> _closed;
};

}  // namespace orval
