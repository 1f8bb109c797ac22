// libcups marks its PPD functions deprecated; this file is where the benchmark uses them.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include "cups_peer.h"

#include <cups/cups.h>
#include <cups/ppd.h>

#include <chrono>

namespace bench {
namespace {

double millisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

std::string printerDescriptionText(const Shape& shape) {
  std::string text =
      "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
      "*LanguageEncoding: ISOLatin1\n*PCFileName: \"BENCH.PPD\"\n*Manufacturer: \"Bench\"\n"
      "*Product: \"(Bench)\"\n*ModelName: \"Bench\"\n*ShortNickName: \"Bench\"\n*NickName: \"Bench\"\n"
      "*PSVersion: \"(3010.000) 0\"\n";
  for (int chain = 0; chain < shape.chains; ++chain) {
    for (int position = 0; position < shape.length; ++position) {
      const std::string key = keyOf(chain, position);
      text += "*OpenUI *" + key + "/" + key + ": PickOne\n*Default" + key + ": Off\n";
      text += "*" + key + " Off/Off: \"\"\n*" + key + " On/On: \"\"\n*CloseUI: *" + key + "\n";
    }
  }
  for (const Link& link : linksOf(shape)) {
    text += "*UIConstraints: *" + link.from + " " + link.fromValue + " *" + link.to + " " + link.toValue + "\n";
    text += "*UIConstraints: *" + link.to + " " + link.toValue + " *" + link.from + " " + link.fromValue + "\n";
  }
  return text;
}

std::optional<CupsChange> timeCupsChange(const std::filesystem::path& path) {
  ppd_file_t* ppd = ppdOpenFile(path.c_str());
  if (ppd == nullptr) return std::nullopt;
  const std::string key = keyOf(0, 0);
  CupsChange change;

  ppdMarkDefaults(ppd);
  auto start = std::chrono::steady_clock::now();
  ppdMarkOption(ppd, key.c_str(), "On");
  change.conflicts = ppdConflicts(ppd);
  change.markAndConflictsMs = millisecondsSince(start);

  ppdMarkDefaults(ppd);
  int count = 0;
  cups_option_t* options = nullptr;
  start = std::chrono::steady_clock::now();
  change.resolved = cupsResolveConflicts(ppd, key.c_str(), "On", &count, &options);
  change.resolveMs = millisecondsSince(start);
  cupsFreeOptions(count, options);

  ppdClose(ppd);
  return change;
}

std::optional<double> timeCupsOpen(const std::filesystem::path& path) {
  const auto start = std::chrono::steady_clock::now();
  ppd_file_t* ppd = ppdOpenFile(path.c_str());
  if (ppd == nullptr) return std::nullopt;
  ppdMarkDefaults(ppd);
  const double ms = millisecondsSince(start);
  ppdClose(ppd);
  return ms;
}

}  // namespace bench
