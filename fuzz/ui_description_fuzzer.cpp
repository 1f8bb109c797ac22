// A UI description from bytes, as `orval ui check` and the panes read one:
// the checker over the whole, then the control builder on its first control
// descriptions, each built with its children (which the builder reads from
// the bundle's description file, here the input itself) and dumped.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "fuzz_support.h"
#include "platform/foundation/bundle.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"
#include "platform/toolkit/application.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/kora_ui_dump.h"
#include "settings_ui/ui_description.h"
#include "settings_ui/ui_description_check.h"

using namespace orval;
namespace fs = std::filesystem;

namespace {

// Control descriptions built per input: enough for children and siblings, few enough to stay fast.
constexpr std::size_t kControlsBuilt = 8;
constexpr const char* kDescriptionName = "UIDescription";

// A bundle whose UI description is the file the input is written to, with
// the real bundle's strings and images beside it.
struct DescriptionBundle {
  DescriptionBundle() {
    const fs::path root = fuzz::scratchFolder() / "Fuzz.bundle";
    const fs::path resources = root / "Contents/Resources";
    fs::create_directories(resources);
    if (!writePlistFile(root / "Contents/Info.plist", Value(Dict{{kUIDescriptionInfoKey, kDescriptionName}})))
      fuzz::fail("cannot write the bundle's Info.plist");
    for (const char* name : {"en.lproj", "ja.lproj", "Classic.png"}) {
      std::error_code ec;
      fs::create_symlink(fuzz::resourcePath(name), resources / name, ec);
    }
    descriptionFile = resources / (std::string(kDescriptionName) + ".plist");
    bundle = Bundle::bundleWithPath(root);
  }
  fs::path descriptionFile;
  std::shared_ptr<Bundle> bundle;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const DescriptionBundle described;
  LogCapture quiet(LogCapture::Sinks::Silenced);
  const std::optional<Value> root = plistFromBytes(fuzz::textOf(data, size));
  if (!root || !root->isDict()) return 0;
  const Dict& description = *root->asDict();

  const std::vector<UiDescriptionFinding> findings = checkUiDescription(description);
  ORVAL_FUZZ_CHECK(countFindings(findings, UiFindingSeverity::Error) +
                       countFindings(findings, UiFindingSeverity::Warning) ==
                   findings.size());

  fuzz::resetProcessState();
  fuzz::writeFile(described.descriptionFile, fuzz::textOf(data, size));
  std::size_t built = 0;
  for (const auto& [name, entry] : description) {
    if (built++ == kControlsBuilt) break;
    const Dict* control = entry.asDict();
    if (control == nullptr) continue;
    auto korui = std::make_unique<KORAUI>(tk::Rect{0, 0, 400, 72});
    korui->setClock([] { return std::chrono::system_clock::time_point(std::chrono::seconds(1700000000)); });
    korui->setControlDictionary(*control, described.bundle);
    korui->updateControl();
    tk::Application::shared().runLoop().runPendingTurns(tk::RunLoopMode::Default);
    controlTreeText(*korui);
  }
  fuzz::resetProcessState();
  return 0;
}
