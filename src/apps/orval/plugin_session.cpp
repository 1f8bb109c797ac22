#include "apps/orval/plugin_session.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "apps/orval/commands.h"
#include "detailed_settings/detailed_settings_win_controller.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "panes/pane_plugin_mgr.h"
#include "platform/foundation/plist.h"

namespace orval::cli {

namespace fs = std::filesystem;

std::optional<fs::path> bundlePrinterDescription(const Bundle& bundle) {
  const std::optional<fs::path> information = bundle.pathForResource("miscellaneous", "plist");
  if (!information) return std::nullopt;
  const std::optional<Dict> entries = dictFromFile(*information);
  const std::string* appName = bundle.objectForInfoDictionaryKey("CFBundleName").asString();
  if (!entries || appName == nullptr) return std::nullopt;
  const Dict* entry = entries->get(*appName).asDict();
  const std::string* name = entry != nullptr ? entry->get("ppdFileName").asString() : nullptr;
  if (name == nullptr) return std::nullopt;
  return bundle.pathForResource(*name, "");
}

fs::path printerDescriptionFor(const Bundle& bundle, const std::optional<fs::path>& ppd) {
  if (ppd) return *ppd;
  std::optional<fs::path> own = bundlePrinterDescription(bundle);
  if (!own)
    throw CommandError(bundle.bundlePath().string() +
                       " names no printer description of its own; give one with --ppd");
  return *own;
}

PlugInSession::PlugInSession(std::shared_ptr<Bundle> bundle, const std::optional<fs::path>& ppd,
                             const std::optional<std::string>& deviceURI)
    : _bundle(std::move(bundle)), _host(std::make_unique<MemoryPrintHost>("orval")) {
  _printerDescriptionPath = printerDescriptionFor(*_bundle, ppd);
  std::string error;
  if (!_host->openPrinterDescription(_printerDescriptionPath, &error)) throw CommandError(error);
  _host->setDeviceURI(deviceURI);
  _hostInUse = _host.get();
  _loadPlugIn();
}

PlugInSession::PlugInSession(std::shared_ptr<Bundle> bundle, MemoryPrintHost& host)
    : _bundle(std::move(bundle)), _hostInUse(&host) {
  try {
    _loadPlugIn();
  } catch (...) {
    _hostInUse->panels().unloadPlugIn();
    throw;
  }
}

void PlugInSession::_loadPlugIn() {
  std::string error;
  if (!_hostInUse->panels().loadPlugIn(_bundle, &error)) throw CommandError(error);
  for (const auto& panel : _hostInUse->panels().panels())
    if (auto* ours = dynamic_cast<WexoPDEByCocoa*>(panel.get())) _panel = ours;
  if (_panel == nullptr) throw CommandError(_bundle->bundlePath().string() + " made no TZ Print Server panel");
}

// The panels refer to the shared manager: the host takes them with it
// first, then the manager goes with the pane plug-ins it loaded (also when
// the session could not be made).
PlugInSession::~PlugInSession() {
  if (!_host && _hostInUse != nullptr) _hostInUse->panels().unloadPlugIn();
}

PlugInSession::SharedManagerRelease::~SharedManagerRelease() {
  // The detailed-settings window holds the panes' views: it goes first.
  DetailedSettingsWinController::release();
  PanePlugInMgr::release();
}

PlugInSession::DiscardedStandardOutput::DiscardedStandardOutput() {
  std::cout.flush();
  std::fflush(stdout);
  const char* log = std::getenv("ORVAL_LOG");
  const int target =
      log != nullptr && std::strcmp(log, "stderr") == 0 ? dup(STDERR_FILENO) : open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (target < 0) return;
  _saved = dup(STDOUT_FILENO);
  if (_saved >= 0 && dup2(target, STDOUT_FILENO) < 0) {
    close(_saved);
    _saved = -1;
  }
  close(target);
}

PlugInSession::DiscardedStandardOutput::~DiscardedStandardOutput() {
  if (_saved < 0) return;
  std::fflush(stdout);
  dup2(_saved, STDOUT_FILENO);
  close(_saved);
}

}  // namespace orval::cli
