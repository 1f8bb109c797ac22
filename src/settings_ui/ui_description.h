// The UI description: the property list, named by the bundle's "QZPOD"
// information key, that maps every control name (a print option key) to
// its control description. This file finds and reads it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/foundation/bundle.h"
#include "platform/foundation/value.h"

namespace orval {

// The information key that names the UI description (its base name).
inline constexpr const char* kUIDescriptionInfoKey = "QZPOD";
// The bundle resource ("UI" of type "plist") used when no UI description is named.
inline constexpr const char* kUIDescriptionFallbackResource = "UI";

// The UI description file for a resource bundle at bundlePath: the path is
// cut just before "Contents/PlugIns" (a pane plug-in resolves to the main
// bundle), its "Contents/Info.plist" names the file by "QZPOD", and the file
// is "Contents/Resources/<QZPOD>.plist" there; none when any step fails or
// the file does not exist.
std::optional<std::filesystem::path> uiDescriptionPath(const std::filesystem::path& bundlePath);

// The UI description for bundle: the file of uiDescriptionPath, else the
// bundle's resource "UI" of type "plist"; none when neither reads as a dictionary.
std::optional<Dict> loadUIDescription(const Bundle* bundle);

// The control description named name, or nullptr when the UI description has no dictionary for it.
const Dict* controlDescriptionNamed(const Dict& uiDescription, const std::string& name);

}  // namespace orval
