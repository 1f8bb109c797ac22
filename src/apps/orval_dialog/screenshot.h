// Screenshots of the print dialog, taken from the real widgets: the dialog
// itself, and its detailed-settings window opened through the panel's
// button (the window's modal run ends with Cancel once it is taken).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orval {

class PrintDialog;

// The files writeScreenshots writes for file: file itself (the dialog) and
// "<stem>-detailed-settings.png" beside it.
std::vector<std::filesystem::path> screenshotFiles(const std::filesystem::path& file);
// Writes the screenshots; false with the reason when one cannot be written. The
// application is left without an operator.
bool writeScreenshots(PrintDialog& dialog, const std::filesystem::path& file, std::string* error);

}  // namespace orval
