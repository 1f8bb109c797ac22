#include "platform/toolkit/save_panel.h"

#include <algorithm>
#include <filesystem>

#include "platform/toolkit/application.h"
#include "platform/toolkit/modal_response.h"

namespace orval::tk {

namespace fs = std::filesystem;

namespace {

// The extension of name without its dot ("" when it has none).
std::string extensionOf(const std::string& name) {
  std::string ext = fs::path(name).extension().string();
  return ext.empty() ? ext : ext.substr(1);
}

bool sameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

SavePanel::SavePanel() : Panel({0, 0, 480, 320}, "Save") {}

bool SavePanel::isAllowedFileName(const std::string& name) const {
  if (allowedTypes_.empty() || allowsOtherTypes_) return true;
  const std::string ext = extensionOf(name);
  return std::any_of(allowedTypes_.begin(), allowedTypes_.end(),
                     [&](const std::string& type) { return sameIgnoringCase(type, ext); });
}

std::string SavePanel::resolve(const std::string& name) const {
  fs::path path(name);
  if (path.is_relative()) path = fs::path(directory_.empty() ? fs::current_path().string() : directory_) / path;
  return path.lexically_normal().string();
}

bool SavePanel::choose(const std::string& name) {
  if (name.empty() || name.back() == '/') return false;
  std::string chosen = name;
  if (!allowedTypes_.empty() && !isAllowedFileName(chosen)) chosen += "." + allowedTypes_.front();
  if (!allowedTypes_.empty() && allowsOtherTypes_ && extensionOf(chosen).empty())
    chosen += "." + allowedTypes_.front();
  nameField_ = fs::path(chosen).filename().string();
  chosen_ = resolve(chosen);
  return true;
}

int SavePanel::runModal() {
  clearChoice();
  const int code = Application::shared().runModalForWindow(*this);
  orderOut();
  if (code != ModalResponse::OK) clearChoice();
  return code;
}

void SavePanel::beginSheetModalForWindow(Window* window, std::function<void(int)> completion) {
  if (!window) {
    const int code = runModal();
    if (completion) completion(code);
    return;
  }
  clearChoice();
  window->beginSheet(*this, [this, completion](int code) {
    if (code != ModalResponse::OK) clearChoice();
    if (completion) completion(code);
  });
}

OpenPanel::OpenPanel() { setTitle("Open"); }

bool OpenPanel::chooseURLs(const std::vector<std::string>& paths) {
  if (paths.empty() || (paths.size() > 1 && !allowsMultiple_)) return false;
  std::vector<std::string> resolved;
  for (const std::string& p : paths) {
    const std::string path = resolve(p);
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return false;
    if (fs::is_directory(status)) {
      if (!canChooseDirectories_) return false;
    } else {
      if (!canChooseFiles_ || !isAllowedFileName(path)) return false;
    }
    resolved.push_back(path);
  }
  chosenAll_ = resolved;
  setChosen(resolved.front());
  return true;
}

}  // namespace orval::tk
