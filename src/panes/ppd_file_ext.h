// PpdFileExt: the printer description wrapper the system instantiates.
//
// It answers every question exactly as PpdFile does and also carries the
// descriptions of a few options private to the print server, which no
// printer description lists: sRGB automatic adjustment, saving the job to a
// file, and the RIP mode. Each description is a dictionary with "uiType"
// (0 boolean, 1 pick-one), "defaultValue" and, for pick-one options with a
// fixed set of choices, "options".
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "panes/ppd_file.h"
#include "platform/foundation/value.h"

namespace orval {

class PpdFileExt : public PpdFile {
 public:
  // Wraps a handle that the caller owns and closes (null: a wrapper without a handle).
  explicit PpdFileExt(ppd_file_t* ppdFile);
  // Opens the printer description at path; nullptr when it is missing or libcups refuses it.
  static std::unique_ptr<PpdFileExt> initWithContentsOfFile(const std::filesystem::path& path,
                                                            std::string* error = nullptr);

  // The private option descriptions by option key ("QZSRGBAutoType", "QZSRGBAuto",
  // "QZSaveFile_DPI", "QZSaveFile_FileType", "QZRIPMode").
  const Dict& extOptions() const { return _extOptions; }

 private:
  // sRGB automatic adjustment type: pick-one, "sRGBAutoAdjust" by default.
  static Dict _dictionaryOfQZSRGBAutoType();
  // sRGB automatic adjustment: boolean, "False" by default.
  static Dict _dictionaryOfQZSRGBAuto();
  // Resolution of a saved file: pick-one, "600" by default.
  static Dict _dictionaryOfQZSaveFile_DPI();
  // Type of a saved file: pick-one of "None", "TIFF", "PDF", "None" by default.
  static Dict _dictionaryOfQZSaveFile_FileType();
  // RIP mode: pick-one of "CPSI", "APPE", "CPSI" by default.
  static Dict _dictionaryOfQZRIPMode();

  explicit PpdFileExt(OwnedHandle ppdFile);
  void _buildExtOptions();

  Dict _extOptions;
};

}  // namespace orval
