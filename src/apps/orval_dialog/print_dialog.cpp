#include "apps/orval_dialog/print_dialog.h"

#include <cups/cups.h>

#include <algorithm>
#include <map>
#include <stdexcept>

#include "apps/orval/commands.h"
#include "apps/orval/cups_destination.h"
#include "apps/orval/plugin_session.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "platform/print/cups_print_host.h"
#include "platform/toolkit/alert.h"
#include "platform/toolkit/box.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/menu_item.h"
#include "platform/toolkit/pop_up_button.h"
#include "platform/toolkit/text_field.h"
#include "platform/toolkit/window.h"

namespace orval {

namespace {

// Layout, in points (y grows upwards).
constexpr double kMargin = 16;
constexpr double kMinimumWidth = 600;
constexpr double kButtonRow = 44;
constexpr double kHostRowHeight = 30;
constexpr double kDestinationRowHeight = 28;

// The copies field: whole numbers from 1 to 9999; any other keystroke is refused.
class CopiesFormatter : public tk::Formatter {
 public:
  std::optional<std::string> stringForObjectValue(const Value& object) const override {
    if (object.isNull()) return std::nullopt;
    return object.text();
  }
  bool getObjectValue(Value* object, const std::string& string, std::string* error) const override {
    if (string.empty() || !isPartial(string)) {
      if (error) *error = "Enter a number of copies from 1 to 9999.";
      return false;
    }
    const int copies = std::stoi(string);
    if (copies < 1) {
      if (error) *error = "Enter a number of copies from 1 to 9999.";
      return false;
    }
    *object = Value(copies);
    return true;
  }
  bool isPartialStringValid(const std::string& partial, tk::Range*, std::optional<std::string>*,
                            std::string*) const override {
    return isPartial(partial);
  }

 private:
  static bool isPartial(const std::string& text) {
    return text.size() <= 4 && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  }
};

// The CUPS destinations, the default first; none when no scheduler answers.
std::vector<std::string> cupsDestinations() {
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) {
    std::string name = dests[i].name;
    if (dests[i].instance != nullptr) name += std::string("/") + dests[i].instance;
    if (dests[i].is_default) names.insert(names.begin(), name);
    else names.push_back(name);
  }
  cupsFreeDests(count, dests);
  return names;
}

}  // namespace

std::string PrintDialog::localized(const std::string& english) {
  static const std::map<std::string, std::string> japanese = {
      {"Printer:", "プリンタ:"},
      {"Copies:", "部数:"},
      {"Collated", "丁合い"},
      {"Two-Sided", "両面"},
      {"Print", "プリント"},
      {"Cancel", "キャンセル"},
      {"Favorites...", "お気に入り..."},
      {"Save Favorite...", "お気に入りを保存..."},
      {"The printer cannot be used", "このプリンタは使用できません"},
      {"The job was not printed", "ジョブはプリントされませんでした"},
  };
  for (const std::string& language : Bundle::preferredLanguages()) {
    if (language.rfind("en", 0) == 0) return english;
    if (language.rfind("ja", 0) == 0) {
      auto found = japanese.find(english);
      return found != japanese.end() ? found->second : english;
    }
  }
  return english;
}

PrintDialog::PrintDialog(PrintDialogOptions options) : _options(std::move(options)) {
  _buildWindow();
  _queues = cupsDestinations();
  if (_options.printer && std::find(_queues.begin(), _queues.end(), *_options.printer) == _queues.end())
    _queues.insert(_queues.begin(), *_options.printer);
  else if (_options.printer)
    std::rotate(_queues.begin(), std::find(_queues.begin(), _queues.end(), *_options.printer),
                std::find(_queues.begin(), _queues.end(), *_options.printer) + 1);
  for (const std::string& queue : _queues) _destinations->addItem(tk::MenuItem(queue));
  if (!_queues.empty()) _destinations->addItem(tk::MenuItem::separatorItem());
  _destinations->addItem(tk::MenuItem(_options.bundle->localizedString(kOwnDescriptionItem)));
  _destinations->selectItemAtIndex(0);
  _loadDestination(0);
}

PrintDialog::~PrintDialog() { _unloadPanel(); }

WexoPDEByCocoa& PrintDialog::panel() { return _session->panel(); }

void PrintDialog::_buildWindow() {
  _window = std::make_unique<tk::Window>(tk::Rect{0, 0, kMinimumWidth, 400}, localized("Print"),
                                         tk::TitledWindowMask | tk::ClosableWindowMask);
  _window->setDelegate(this);
  tk::View& content = _window->contentView();

  _destinations = &content.add(std::make_unique<tk::PopUpButton>());
  _destinations->setIdentifier("destinations");
  _destinations->setAction("destinationSelected:", [this](tk::Control&) { _loadDestination(_destinations->indexOfSelectedItem()); });

  // The dialog's own controls, where the panel's ticket bridge looks for them.
  _hostControls = &content.add(std::make_unique<tk::View>());
  auto copiesLabel = tk::TextField::makeLabel(localized("Copies:"), {8, 6, 82, 17});
  copiesLabel->setAlignment(tk::TextAlignment::Right);
  _hostControls->add(std::move(copiesLabel));
  _copies = &_hostControls->add(std::make_unique<tk::TextField>(tk::Rect{95, 4, 70, 22}));
  _copies->setFormatter(std::make_shared<CopiesFormatter>());
  _copies->setObjectValue(Value(1));
  _copies->setSendsActionOnEndEditing(true);
  _copies->setAction("copiesChanged:", [this](tk::Control& field) {
    if (_session && field.intValue() > 0) _session->host().printSettings()->setCopies(static_cast<std::int32_t>(field.intValue()));
  });
  _collate = &_hostControls->add(std::make_unique<tk::Button>(tk::Rect{185, 6, 130, 18}, tk::ButtonType::Switch));
  _collate->setTitle(localized("Collated"));
  _collate->setState(tk::ControlState::On);
  _collate->setAction("collatedSelected:", [this](tk::Control&) {
    if (_session) _session->host().printSettings()->setCollate(_collate->state() == tk::ControlState::On);
  });
  _twoSided = &_hostControls->add(std::make_unique<tk::Button>(tk::Rect{325, 6, 150, 18}, tk::ButtonType::Switch));
  _twoSided->setTitle(localized("Two-Sided"));
  _twoSided->setAction("twoSidedSelected:", [this](tk::Control&) {
    if (_session)
      _session->host().printSettings()->setDuplex(_twoSided->state() == tk::ControlState::On ? DuplexMode::NoTumble
                                                                                              : DuplexMode::None);
  });

  auto box = std::make_unique<tk::Box>();
  box->setTitlePosition(tk::TitlePosition::NoTitle);
  _panelHolder = &content.add(std::move(box));

  // The panel hides its favorites row: these buttons run its favorites actions instead.
  _favorites = &content.add(std::make_unique<tk::Button>());
  _favorites->setTitle(localized("Favorites..."));
  _favorites->setAction("clickedBrowseFavoriteButton:", [this](tk::Control&) {
    if (_session) panel().clickedBrowseFavoriteButton();
  });
  _saveFavorite = &content.add(std::make_unique<tk::Button>());
  _saveFavorite->setTitle(localized("Save Favorite..."));
  _saveFavorite->setAction("clickedSaveFavoriteButton:", [this](tk::Control&) {
    if (_session) panel().clickedSaveFavoriteButton();
  });
  _cancel = &content.add(std::make_unique<tk::Button>());
  _cancel->setTitle(localized("Cancel"));
  _cancel->setKeyEquivalent("\x1b");
  _cancel->setAction("cancel:", [this](tk::Control&) { _clickedCancel(); });
  _print = &content.add(std::make_unique<tk::Button>());
  _print->setTitle(localized("Print"));
  _print->setKeyEquivalent("\r");
  _print->setAction("print:", [this](tk::Control&) { _clickedPrint(); });
}

// Places every view around the panel's view, whose size decides the window's.
void PrintDialog::_layOutPanel() {
  tk::View* panelView = _session ? panel().panelView() : nullptr;
  const tk::Size panelSize = panelView ? panelView->frame().size() : tk::Size{500, 300};
  const double width = std::max(kMinimumWidth, panelSize.width + 2 * kMargin + 16);
  const double boxHeight = panelSize.height + 16;
  double y = kMargin;
  const double buttonY = y;
  y += kButtonRow;
  _panelHolder->setFrame({kMargin, y, width - 2 * kMargin, boxHeight});
  if (tk::View* content = static_cast<tk::Box*>(_panelHolder)->contentView())
    content->setFrame({0, 0, width - 2 * kMargin, boxHeight});
  if (panelView) panelView->setFrameOrigin({(width - 2 * kMargin - panelSize.width) / 2, 8});
  y += boxHeight + 8;
  _hostControls->setFrame({0, y, width, kHostRowHeight});
  y += kHostRowHeight + 8;
  _destinations->setFrame({95, y, width - 95 - kMargin, 26});
  if (!_window->contentView().findSubview([](const tk::View& v) { return v.identifier() == "printerLabel"; })) {
    auto label = tk::TextField::makeLabel(localized("Printer:"), {});
    label->setIdentifier("printerLabel");
    label->setAlignment(tk::TextAlignment::Right);
    _window->contentView().add(std::move(label));
  }
  _window->contentView().findSubview([](const tk::View& v) { return v.identifier() == "printerLabel"; })
      ->setFrame({8, y + 4, 82, 17});
  y += kDestinationRowHeight + kMargin;

  _favorites->setFrame({kMargin, buttonY, 150, 28});
  _saveFavorite->setFrame({kMargin + 158, buttonY, 170, 28});
  _print->setFrame({width - kMargin - 110, buttonY, 110, 28});
  _cancel->setFrame({width - kMargin - 230, buttonY, 110, 28});
  _window->setFrame({_window->frame().x, _window->frame().y, width, y});
  _window->contentView().setFrame({0, 0, width, y});
}

void PrintDialog::_unloadPanel() {
  _session.reset();
  _cups.reset();
}

void PrintDialog::_loadDestination(int index) {
  _unloadPanel();
  std::string problem;
  if (index >= 0 && index < static_cast<int>(_queues.size())) {
    try {
      cli::DestinationOptions destination;
      destination.printer = _queues[static_cast<std::size_t>(index)];
      _cups = cli::connectTzQueue(destination, *_options.bundle);
      _session = std::make_unique<cli::PlugInSession>(_options.bundle, _cups->host());
    } catch (const cli::CommandError& e) {
      _session.reset();
      _cups.reset();
      problem = e.what();
    }
  }
  if (!_session) {
    _session = std::make_unique<cli::PlugInSession>(_options.bundle, std::nullopt, std::nullopt);
    _destinations->selectItemAtIndex(_destinations->numberOfItems() - 1);
  }
  MemoryPrintHost& host = _session->host();
  host.panels().restoreValues();
  _takeHostControls();
  // The panel driver lends the shown panel's view to its own window; this dialog takes it
  // afterwards, so the panel finds this dialog's copies, collate and two-sided controls.
  host.panels().show(panel());
  tk::View* panelView = panel().panelView();
  if (tk::View* content = static_cast<tk::Box*>(_panelHolder)->contentView()) content->addLentSubview(*panelView);
  _layOutPanel();
  _updatePrintEnabled();
  if (!problem.empty()) _showMessage(localized("The printer cannot be used"), problem);
}

void PrintDialog::_takeHostControls() {
  PrintSettings& settings = *_session->host().printSettings();
  settings.setCopies(static_cast<std::int32_t>(std::max<std::int64_t>(1, _copies->intValue())));
  settings.setCollate(_collate->state() == tk::ControlState::On);
  settings.setDuplex(_twoSided->state() == tk::ControlState::On ? DuplexMode::NoTumble : DuplexMode::None);
}

tk::Button& PrintDialog::detailedSettingsButton() {
  tk::View* view = panel().panelView();
  auto* button = view == nullptr ? nullptr : dynamic_cast<tk::Button*>(view->findSubview([](const tk::View& v) {
    return v.identifier() == "_showDetailedSettingsButton";
  }));
  if (button == nullptr) throw std::logic_error("the panel has no Show Detailed Settings button");
  return *button;
}

void PrintDialog::_updatePrintEnabled() {
  _print->setEnabled(_cups != nullptr && !_options.files.empty());
  if (!_cups) _print->setToolTip("Choose a CUPS printer to print.");
  else if (_options.files.empty()) _print->setToolTip("Start orval-dialog with the file to print.");
  else _print->setToolTip(std::nullopt);
}

void PrintDialog::_showMessage(const std::string& message, const std::string& detail) {
  tk::Alert alert;
  alert.setMessageText(message);
  alert.setInformativeText(detail);
  alert.addButtonWithTitle("OK");
  alert.runModal();
}

void PrintDialog::_clickedPrint() {
  if (!_cups || !_session || _options.files.empty()) return;
  // A number being typed counts.
  _window->makeFirstResponder(nullptr);
  _takeHostControls();
  std::string error;
  if (!_session->host().panels().saveValues(&error)) {
    _showMessage(localized("The job was not printed"), error);
    return;
  }
  const std::string title = _options.files.front().filename().string();
  _submittedJob = _cups->submit(_options.files, title, std::nullopt, &error);
  if (!_submittedJob) {
    _showMessage(localized("The job was not printed"), error);
    return;
  }
  _window->close();
}

void PrintDialog::windowWillClose(tk::Window&) {
  _done = true;
  if (_closed) _closed();
}

void PrintDialog::_clickedCancel() {
  _window->close();
}

}  // namespace orval
