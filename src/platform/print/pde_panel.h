// PDEPanel: one panel of the print dialog, as the dialog sees it.
//
// The dialog asks a panel for its name, kind and view, tells it when it is
// shown and asks whether it may be hidden, asks it to restore the job's
// settings into itself and to save itself into the job, tells it when another
// panel changed a printer-description choice, and shows its summary.
#pragma once

#include <optional>
#include <string>

#include "platform/foundation/value.h"

namespace orval::tk {
class View;
}  // namespace orval::tk

namespace orval {

class PDEPanel {
 public:
  virtual ~PDEPanel() = default;

  // The panel's title in the dialog's panel menu.
  virtual std::string panelName() = 0;
  // The panel's kind, a reverse-domain identifier unique to the panel.
  virtual std::string panelKind() = 0;
  // The panel's root view, owned by the panel; built on the first call.
  virtual tk::View* panelView() = 0;
  // The panel is about to be shown.
  virtual void willShow() = 0;
  // The dialog wants to show another panel; answers whether this one may be hidden.
  virtual bool shouldHide() = 0;
  // Localized option title -> localized choice title, for the dialog's summary.
  virtual Dict summaryInfo() = 0;
  // Stores the panel's settings into the job; false (with *error when given) on failure.
  virtual bool saveValuesAndReturnError(std::string* error) = 0;
  // Loads the panel's settings from the job; false (with *error when given) on failure.
  virtual bool restoreValuesAndReturnError(std::string* error) = 0;
  // Another panel changed printer-description option key to choice; either may be missing.
  virtual void PPDOptionKeyValueDidChange(const std::optional<std::string>& key,
                                          const std::optional<std::string>& choice) = 0;
  // The printer-description option keys whose changes this panel wants to hear of; nullopt: none.
  virtual std::optional<Array> supportedPPDOptionKeys() = 0;
};

}  // namespace orval
