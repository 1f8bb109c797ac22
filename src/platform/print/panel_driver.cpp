#include "platform/print/panel_driver.h"

#include "platform/foundation/log.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/text_field.h"

namespace orval {
namespace {

bool setError(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

// Runs one panel operation, adding "name: reason" to failures when it fails.
template <typename Operation>
void runOperation(PDEPanel& panel, std::string& failures, Operation operation) {
  std::string reason;
  if (operation(&reason)) return;
  if (!failures.empty()) failures += "; ";
  failures += panel.panelName() + ": " + (reason.empty() ? "failed" : reason);
}

}  // namespace

PanelDriver::PanelDriver(PDEPluginCallback& callback) : callback_(callback) { makeWindow(); }

void PanelDriver::makeWindow() {
  window_ = std::make_unique<tk::Window>(tk::Rect{0, 0, 660, 520}, "Print");
  tk::View& content = window_->contentView();
  auto copies = std::make_unique<tk::TextField>(tk::Rect{95, 4, 70, 22});
  copies->setAction("copiesChanged:", [this](tk::Control& field) {
    if (PrintSettings* settings = callback_.printSettings()) {
      const std::int64_t n = field.intValue();
      if (n > 0 && n <= INT32_MAX) settings->setCopies(static_cast<std::int32_t>(n));
    }
  });
  copies_ = &content.add(std::move(copies));
  auto collate = std::make_unique<tk::Button>(tk::Rect{180, 4, 90, 22}, tk::ButtonType::Switch);
  collate->setTitle("Collated");
  collate->setAction("collatedSelected:", [this](tk::Control& box) {
    if (PrintSettings* settings = callback_.printSettings())
      settings->setCollate(dynamic_cast<tk::Button&>(box).state() == tk::ControlState::On);
  });
  collate_ = &content.add(std::move(collate));
  auto twoSided = std::make_unique<tk::Button>(tk::Rect{280, 4, 100, 22}, tk::ButtonType::Switch);
  twoSided->setTitle("Two-Sided");
  twoSided->setAction("twoSidedSelected:", [this](tk::Control& box) {
    if (PrintSettings* settings = callback_.printSettings())
      settings->setDuplex(dynamic_cast<tk::Button&>(box).state() == tk::ControlState::On ? DuplexMode::NoTumble
                                                                                          : DuplexMode::None);
  });
  twoSided_ = &content.add(std::move(twoSided));
  panelArea_ = &content.add(std::make_unique<tk::View>(tk::Rect{0, 32, 660, 488}));
}

void PanelDriver::showPrintSettings() {
  const PrintSettings* settings = callback_.printSettings();
  if (settings == nullptr) return;
  copies_->setStringValue(std::to_string(settings->copies()));
  dynamic_cast<tk::Button&>(*collate_).setState(settings->collate() ? tk::ControlState::On : tk::ControlState::Off);
  dynamic_cast<tk::Button&>(*twoSided_)
      .setState(settings->duplex() == DuplexMode::None ? tk::ControlState::Off : tk::ControlState::On);
}

PanelDriver::~PanelDriver() { unloadPlugIn(); }

bool PanelDriver::loadPlugIn(std::shared_ptr<Bundle> bundle, std::string* error) {
  if (!bundle) return setError(error, "no plug-in bundle");
  std::string reason;
  std::unique_ptr<BundlePrincipal> principal = bundle->makePrincipalObject(&reason);
  if (!principal)
    return setError(error, "cannot load the plug-in " + bundle->bundlePath().string() + ": " + reason);
  return loadPlugIn(std::move(principal), std::move(bundle), error);
}

bool PanelDriver::loadPlugIn(std::unique_ptr<BundlePrincipal> principal, std::shared_ptr<Bundle> bundle,
                             std::string* error) {
  unloadPlugIn();
  const std::string where = bundle ? bundle->bundlePath().string() : std::string("the plug-in");
  auto* plugIn = dynamic_cast<PDEPlugIn*>(principal.get());
  if (!plugIn) {
    principal.reset();  // before the bundle that holds its code can go
    return setError(error, where + " is not a print dialog plug-in");
  }
  // The principal object is a PDEPlugIn: move the ownership to the typed pointer.
  (void)principal.release();
  std::unique_ptr<PDEPlugIn> owned(plugIn);

  if (!owned->initWithBundle(bundle)) return setError(error, where + " refused its bundle");
  std::optional<PDEPlugIn::Panels> panels = owned->PDEPanelsForType(kPrintDialogTypeID, &callback_);
  if (!panels || panels->empty()) return setError(error, where + " made no panel for the print dialog");
  for (const auto& panel : *panels)
    if (!panel) return setError(error, where + " answered an empty panel");

  bundle_ = std::move(bundle);
  plugIn_ = std::move(owned);
  panels_ = std::move(*panels);
  return true;
}

void PanelDriver::unloadPlugIn() {
  shown_ = nullptr;
  if (panelArea_ != nullptr) panelArea_->removeAllSubviews();
  panels_.clear();
  plugIn_.reset();
  bundle_.reset();
}

PDEPanel* PanelDriver::panelNamed(std::string_view name) const {
  for (const auto& panel : panels_)
    if (panel->panelName() == name) return panel.get();
  return nullptr;
}

bool PanelDriver::restoreValues(std::string* error) {
  std::string failures;
  for (const auto& panel : panels_)
    runOperation(*panel, failures, [&](std::string* reason) { return panel->restoreValuesAndReturnError(reason); });
  if (failures.empty()) return true;
  logMessage("###Error: restoring the panels failed: " + failures);
  return setError(error, failures);
}

bool PanelDriver::saveValues(std::string* error) {
  std::string failures;
  for (const auto& panel : panels_)
    runOperation(*panel, failures, [&](std::string* reason) { return panel->saveValuesAndReturnError(reason); });
  if (failures.empty()) return true;
  logMessage("###Error: saving the panels failed: " + failures);
  return setError(error, failures);
}

bool PanelDriver::show(PDEPanel& panel) {
  if (shown_ == &panel) return true;
  bool ours = false;
  for (const auto& p : panels_) ours = ours || p.get() == &panel;
  if (!ours) return false;
  if (!hide()) return false;
  showPrintSettings();
  panelArea_->removeAllSubviews();
  if (tk::View* view = panel.panelView()) panelArea_->addLentSubview(*view);
  panel.willShow();
  shown_ = &panel;
  return true;
}

bool PanelDriver::hide() {
  if (!shown_) return true;
  if (!shown_->shouldHide()) return false;
  shown_ = nullptr;
  return true;
}

void PanelDriver::PPDOptionKeyValueDidChange(const std::string& key, const std::string& choice) {
  for (const auto& panel : panels_) {
    const std::optional<Array> keys = panel->supportedPPDOptionKeys();
    if (keys && keys->contains(Value(key))) panel->PPDOptionKeyValueDidChange(key, choice);
  }
}

std::vector<std::pair<std::string, Dict>> PanelDriver::summaries() {
  std::vector<std::pair<std::string, Dict>> out;
  for (const auto& panel : panels_) out.emplace_back(panel->panelName(), panel->summaryInfo());
  return out;
}

}  // namespace orval
