// The fixture of the bundle's integration tests: the real OrvalPDE.plugin of
// the build tree, loaded through a MemoryPrintHost as a print dialog loads
// it, with fresh process-wide objects before and after every test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "favorite_dialogs/favorite_dialogs_test_support.h"
#include "panel/pde_callback_slot.h"
#include "panel/wexo_pde_by_cocoa.h"
#include "panes/pane_plugin_mgr.h"
#include "panes/ppd_file.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/system_version.h"
#include "platform/print/memory_print_host.h"
#include "settings_ui/kora_ui.h"

namespace orval::plugin_testing {

inline std::filesystem::path bundlePath() { return ORVAL_BUNDLE_DIR; }

class PlugInTest : public ::testing::Test {
 protected:
  void SetUp() override { resetProcessState(); }
  void TearDown() override {
    // The panels go first: they refer to the shared manager.
    host.reset();
    resetProcessState();
  }

  static void resetProcessState() {
    favorite_dialogs_testing::FavoriteDialogsTest::reset();
    setSharedPDEPluginCallback(nullptr);
    KORAUI::setUpdateWithPrintOption(std::nullopt);
    resetPlatformVersions();
  }

  // A new host (the previous one and its panels go first) with the bundle's own printer
  // description and the device address uri; nullptr when the printer description does not open.
  MemoryPrintHost& makeHost(const std::optional<std::string>& uri = std::nullopt) {
    host.reset();
    host = std::make_unique<MemoryPrintHost>("tz");
    std::string error;
    EXPECT_TRUE(host->openPrinterDescription(bundlePath() / "Contents/Resources/TZPrintServer.ppd", &error)) << error;
    host->setDeviceURI(uri);
    return *host;
  }

  // Loads the bundle (the build tree's by default) into a new host (see makeHost), set up by prepare, and
  // answers its panel.
  WexoPDEByCocoa* loadPanel(const std::optional<std::string>& uri = std::nullopt,
                            const std::function<void(MemoryPrintHost&)>& prepare = {},
                            const std::filesystem::path& bundle = bundlePath()) {
    MemoryPrintHost& h = makeHost(uri);
    if (prepare) prepare(h);
    std::string error;
    const bool loaded = h.panels().loadPlugIn(Bundle::bundleWithPath(bundle), &error);
    EXPECT_TRUE(loaded) << error;
    if (!loaded || h.panels().panels().size() != 1) return nullptr;
    return dynamic_cast<WexoPDEByCocoa*>(h.panels().panels().front().get());
  }

  // A choice of the printer description's option key other than current.
  std::string otherChoice(const std::string& key, const std::string& current) {
    const auto choices = PpdFile(host->ppdFile()).optionKeywords(key).value_or(std::vector<std::string>{""});
    return choices.front() != current ? choices.front() : choices.back();
  }

  std::unique_ptr<MemoryPrintHost> host;
};

}  // namespace orval::plugin_testing
