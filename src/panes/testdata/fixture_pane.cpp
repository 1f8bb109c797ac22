// The executable of the fixture pane bundles: a pane controller that builds
// and registers its bundle's settings controls as a real pane does, and
// records what the manager asks of it.
#include <algorithm>
#include <memory>

#include "panes/pane_plugin_interface.h"
#include "panes/pane_plugin_mgr.h"
#include "panes/testdata/fixture_pane_probe.h"
#include "platform/foundation/platform_exception.h"
#include "platform/foundation/plist.h"
#include "platform/toolkit/view.h"
#include "settings_ui/kora_ui.h"
#include "settings_ui/ui_description.h"

namespace {

using namespace orval;

class FixturePane final : public BundlePrincipal, public PanePlugInInterface, public panes_testing::FixturePaneProbe {
 public:
  bool initializePanel(std::shared_ptr<Bundle> bundle, PanePlugInMgr& callback) override {
    _bundle = std::move(bundle);
    _view = std::make_unique<tk::View>(tk::Rect{0, 0, 400, 300});
    _buildControls(callback);
    _record("initializePanel");  // after the controls are registered
    return !_bundle->infoDictionary().get("FixtureRefuses").truth();
  }

  std::string panelName() override { return _bundle ? _bundle->infoDictionary().get("CFBundleName").text() : ""; }

  tk::View* panelView() override {
    _record("panelView");
    return _view.get();
  }

  void willShow() override { _record("willShow"); }

  void writeAutomaticPapaerTraySelection() override { _record("writeAutomaticPapaerTraySelection"); }

  std::optional<std::vector<KORAUI*>> getListKORAUI() override { return _controls; }

  const std::vector<std::string>& events() const override { return _events; }

 private:
  // Records operation and throws when the bundle asks for it.
  void _record(const std::string& operation) {
    _events.push_back(operation);
    const Array* throwing = _bundle ? _bundle->infoDictionary().get("FixtureThrowsIn").asArray() : nullptr;
    if (throwing != nullptr && throwing->contains(Value(operation)))
      throw PlatformException("FixtureException", "fixture pane refuses " + operation);
  }

  void _buildControls(PanePlugInMgr& callback) {
    const std::optional<std::filesystem::path> list = _bundle->pathForResource("PaneControls", "plist");
    if (!list) return;
    const std::optional<Value> names = plistFromFile(*list);
    const std::optional<Dict> ui = loadUIDescription(_bundle.get());
    if (!names || !names->isArray() || !ui) return;
    for (const Value& name : *names->asArray()) {
      const Dict* description = controlDescriptionNamed(*ui, name.text());
      if (description == nullptr) continue;
      auto control = std::make_unique<KORAUI>(tk::Rect{0, 0, 400, 72});
      control->setControlDictionary(*description, _bundle);
      control->updateControl();
      KORAUI& added = _view->add(std::move(control));
      _controls.push_back(&added);
      callback.setKoraUiToKoraMgr(&added);
    }
  }

  std::shared_ptr<Bundle> _bundle;
  std::unique_ptr<tk::View> _view;
  std::vector<KORAUI*> _controls;
  std::vector<std::string> _events;
};

// A principal class that is not a pane controller.
class NotAPane final : public BundlePrincipal {};

}  // namespace

extern "C" __attribute__((visibility("default"))) orval::BundlePrincipal* OrvalPrincipalClass_FixturePane() {
  return new FixturePane;
}

extern "C" __attribute__((visibility("default"))) orval::BundlePrincipal* OrvalPrincipalClass_NotAPane() {
  return new NotAPane;
}
