// A print-dialog plug-in for the tests: its panels record every operation the
// dialog calls on them, in one shared journal, and answer as told.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/print/pde_plugin.h"

namespace orval::testing {

// What the dialog did, in order ("Staple.willShow", "plugin.initWithBundle", ...).
using Journal = std::vector<std::string>;

class RecordingPanel : public PDEPanel {
 public:
  RecordingPanel(std::string name, std::shared_ptr<Journal> journal, PDEPluginCallback* callback)
      : name_(std::move(name)), journal_(std::move(journal)), callback_(callback) {}
  ~RecordingPanel() override { note("released"); }

  std::string panelName() override { return name_; }
  std::string panelKind() override { return "org.orval.test." + name_; }
  tk::View* panelView() override {
    note("panelView");
    return nullptr;
  }
  void willShow() override { note("willShow"); }
  bool shouldHide() override {
    note("shouldHide");
    return allowHide;
  }
  Dict summaryInfo() override { return Dict{{"Panel", name_}}; }
  bool saveValuesAndReturnError(std::string* error) override {
    note("save");
    if (failure && error) *error = *failure;
    return !failure;
  }
  bool restoreValuesAndReturnError(std::string* error) override {
    note("restore");
    if (failure && error) *error = *failure;
    return !failure;
  }
  void PPDOptionKeyValueDidChange(const std::optional<std::string>& key,
                                  const std::optional<std::string>& choice) override {
    note("didChange " + key.value_or("-") + "=" + choice.value_or("-"));
  }
  std::optional<Array> supportedPPDOptionKeys() override { return supportedKeys; }

  PDEPluginCallback* callback() const { return callback_; }

  bool allowHide = true;
  std::optional<std::string> failure;
  std::optional<Array> supportedKeys;

 private:
  void note(const std::string& what) { journal_->push_back(name_ + "." + what); }

  std::string name_;
  std::shared_ptr<Journal> journal_;
  PDEPluginCallback* callback_;
};

class RecordingPlugIn : public PDEPlugIn {
 public:
  RecordingPlugIn(std::vector<std::string> panelNames, std::shared_ptr<Journal> journal)
      : panelNames_(std::move(panelNames)), journal_(std::move(journal)) {}
  ~RecordingPlugIn() override { journal_->push_back("plugin.released"); }

  bool initWithBundle(std::shared_ptr<Bundle>) override {
    journal_->push_back("plugin.initWithBundle");
    return acceptBundle;
  }
  std::optional<Panels> PDEPanelsForType(std::string_view type, PDEPluginCallback* hostInfo) override {
    journal_->push_back("plugin.PDEPanelsForType " + std::string(type));
    if (type != kPrintDialogTypeID || !makePanels) return std::nullopt;
    Panels panels;
    for (const std::string& name : panelNames_)
      panels.push_back(std::make_unique<RecordingPanel>(name, journal_, hostInfo));
    return panels;
  }

  bool acceptBundle = true;
  bool makePanels = true;

 private:
  std::vector<std::string> panelNames_;
  std::shared_ptr<Journal> journal_;
};

}  // namespace orval::testing
