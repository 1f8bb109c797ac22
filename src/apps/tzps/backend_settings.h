// The settings of one tzps queue, read from its device address:
//
//   tzps://PRINT-SERVER[:PORT]/[?spool=FOLDER][&lists=FOLDER]
//
// The host names the print server (the panel shows it and talks to it); the
// query names the folder that receives the queue's jobs (default
// /var/spool/tzps) and the folder of the server lists the queue publishes
// (default: the sample lists installed with the bundle). Query values are
// percent-encoded; an unknown query key is an error, so a misspelt folder is
// never silently replaced by the default.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orval::tzps {

struct BackendSettings {
  std::filesystem::path spool;
  std::filesystem::path lists;
};

// The settings that uri gives, defaults for what it leaves out; nullopt with the reason when
// uri is not a tzps address or its query cannot be read.
std::optional<BackendSettings> backendSettingsFromURI(std::string_view uri, const BackendSettings& defaults,
                                                      std::string* error = nullptr);

}  // namespace orval::tzps
