#include "settings_ui/about_panel.h"

#include "common/message_format.h"
#include "common/principal_bundle.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/image_view.h"
#include "platform/toolkit/modal_response.h"
#include "platform/toolkit/text_field.h"

namespace orval {

void KORA_AboutPanel::sendEvent(const tk::Event& event) {
  switch (event.type) {
    case tk::EventType::LeftMouseDown:
    case tk::EventType::RightMouseDown:
    case tk::EventType::KeyDown:
      tk::Application::shared().stopModal();
      break;
    default:
      break;
  }
}

AboutPanelController::AboutPanelController() : TDWindowController(kWindowFileName) {}

tk::WindowFactory AboutPanelController::windowFactory() const {
  return [](const std::string& kind, tk::Rect frame, const std::string& title,
            unsigned style) -> std::unique_ptr<tk::Window> {
    if (kind != "KORA_AboutPanel") return nullptr;
    return std::make_unique<KORA_AboutPanel>(frame, title, style);
  };
}

void AboutPanelController::windowDidLoad() {
  tk::Window& panel = *window();
  _versionField = tk::viewWithIdentifier<tk::TextField>(panel, "versionField");
  _copyrightField = tk::viewWithIdentifier<tk::TextField>(panel, "copyrightField");
  _backgroundImage = tk::viewWithIdentifier<tk::ImageView>(panel, "backgroundImage");
  const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
  if (!bundle) return;
  if (const std::string* image = bundle->objectForInfoDictionaryKey("QZAboutImage").asString();
      image != nullptr && _backgroundImage != nullptr) {
    if (const auto path = bundle->pathForResource(*image, "png")) _backgroundImage->setImage(tk::Image::fromFile(path->string()));
  }
  if (_versionField != nullptr)
    _versionField->setStringValue(stringWithFormat("%@.%@ (%@)", bundle->objectForInfoDictionaryKey("CFBundleShortVersionString"),
                                                   bundle->objectForInfoDictionaryKey("QZBuildVersion"),
                                                   bundle->objectForInfoDictionaryKey("CFBundleVersion")));
  if (_copyrightField != nullptr)
    _copyrightField->setStringValue(bundle->objectForInfoDictionaryKey("NSHumanReadableCopyright").text());
}

int AboutPanelController::runModal() {
  AboutPanelController controller;
  tk::Window* panel = controller.window();
  if (panel == nullptr) return tk::ModalResponse::Abort;
  panel->makeFirstResponder(nullptr);
  panel->center();
  const int answer = tk::Application::shared().runModalForWindow(*panel);
  panel->endEditingFor(nullptr);
  panel->close();
  return answer;
}

}  // namespace orval
