#include "panes/ppd_file_ext.h"

#include <utility>

namespace orval {

namespace {

constexpr int kUiTypeBoolean = 0;
constexpr int kUiTypePickOne = 1;

Dict optionDescription(int uiType, const char* defaultValue, Array options = {}) {
  Dict description{{"uiType", uiType}, {"defaultValue", defaultValue}};
  if (!options.empty()) description.set("options", std::move(options));
  return description;
}

}  // namespace

PpdFileExt::PpdFileExt(ppd_file_t* ppdFile) : PpdFile(ppdFile) { _buildExtOptions(); }

PpdFileExt::PpdFileExt(OwnedHandle ppdFile) : PpdFile(std::move(ppdFile)) { _buildExtOptions(); }

std::unique_ptr<PpdFileExt> PpdFileExt::initWithContentsOfFile(const std::filesystem::path& path,
                                                               std::string* error) {
  OwnedHandle ppd = _openFile(path, error);
  if (!ppd) return nullptr;
  return std::unique_ptr<PpdFileExt>(new PpdFileExt(std::move(ppd)));
}

void PpdFileExt::_buildExtOptions() {
  _extOptions = Dict{
      {"QZSRGBAutoType", _dictionaryOfQZSRGBAutoType()},
      {"QZSRGBAuto", _dictionaryOfQZSRGBAuto()},
      {"QZSaveFile_DPI", _dictionaryOfQZSaveFile_DPI()},
      {"QZSaveFile_FileType", _dictionaryOfQZSaveFile_FileType()},
      {"QZRIPMode", _dictionaryOfQZRIPMode()},
  };
}

Dict PpdFileExt::_dictionaryOfQZSRGBAutoType() {
  return optionDescription(kUiTypePickOne, "sRGBAutoAdjust",
                           {"sRGBAutoAdjust", "sRGBAutoPerson", "sRGBAutoScene", "sRGBAutoOnSitePhoto"});
}

Dict PpdFileExt::_dictionaryOfQZSRGBAuto() { return optionDescription(kUiTypeBoolean, "False"); }

Dict PpdFileExt::_dictionaryOfQZSaveFile_DPI() { return optionDescription(kUiTypePickOne, "600"); }

Dict PpdFileExt::_dictionaryOfQZSaveFile_FileType() {
  return optionDescription(kUiTypePickOne, "None", {"None", "TIFF", "PDF"});
}

Dict PpdFileExt::_dictionaryOfQZRIPMode() {
  return optionDescription(kUiTypePickOne, "CPSI", {"CPSI", "APPE"});
}

}  // namespace orval
