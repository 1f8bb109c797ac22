// PlugInSession: the OrvalPDE bundle loaded by orval as a print dialog loads it.
//
// A MemoryPrintHost with the printer description given (the bundle's own
// when none is), the printer's device address when one is given, and the
// bundle's panels made by its plug-in through the host's PanelDriver. When
// the session ends, the panels go, and then the plug-in's shared manager, as
// when a print dialog unloads the bundle.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/bundle.h"
#include "platform/print/memory_print_host.h"

namespace orval {
class WexoPDEByCocoa;
}

namespace orval::cli {

// The bundle's own printer description: the resource named "ppdFileName" in the entry of the
// bundle's "CFBundleName" in its "miscellaneous" information dictionary; none when any is missing.
std::optional<std::filesystem::path> bundlePrinterDescription(const Bundle& bundle);

class PlugInSession {
 public:
  // Loads bundle with the printer description ppd (the bundle's own when none) and the device
  // address deviceURI; throws CommandError when the description does not open or the bundle
  // makes no "TZ Print Server" panel.
  PlugInSession(std::shared_ptr<Bundle> bundle, const std::optional<std::filesystem::path>& ppd,
                const std::optional<std::string>& deviceURI);
  // Loads bundle into host, a host the caller keeps (a CUPS queue's), which must outlive the
  // session; the session unloads the plug-in from it when it ends. Throws as above.
  PlugInSession(std::shared_ptr<Bundle> bundle, MemoryPrintHost& host);
  ~PlugInSession();
  PlugInSession(const PlugInSession&) = delete;
  PlugInSession& operator=(const PlugInSession&) = delete;

  const Bundle& bundle() const { return *_bundle; }
  MemoryPrintHost& host() { return *_hostInUse; }
  WexoPDEByCocoa& panel() { return *_panel; }
  const std::filesystem::path& printerDescriptionPath() const { return _printerDescriptionPath; }

 private:
  // Sends the process's standard output away while alive.
  class DiscardedStandardOutput {
   public:
    DiscardedStandardOutput();
    ~DiscardedStandardOutput();
    DiscardedStandardOutput(const DiscardedStandardOutput&) = delete;
    DiscardedStandardOutput& operator=(const DiscardedStandardOutput&) = delete;

   private:
    int _saved = -1;
  };
  // Releases the plug-in's shared manager when it goes (after the host and its panels).
  struct SharedManagerRelease {
    ~SharedManagerRelease();
  };

  DiscardedStandardOutput _discardedStandardOutput;
  std::shared_ptr<Bundle> _bundle;
  SharedManagerRelease _managerRelease;
  std::filesystem::path _printerDescriptionPath;
  std::unique_ptr<MemoryPrintHost> _host;
  MemoryPrintHost* _hostInUse = nullptr;
  WexoPDEByCocoa* _panel = nullptr;
  void _loadPlugIn();
};

// The printer description a command uses: ppd when given, else bundle's own (throws
// CommandError when the bundle has none).
std::filesystem::path printerDescriptionFor(const Bundle& bundle, const std::optional<std::filesystem::path>& ppd);

}  // namespace orval::cli
