#include "conversion/convert_table_source.h"

#include "common/dictionary_helpers.h"
#include "common/principal_bundle.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"

namespace orval {

std::optional<std::string> convertTableFileName(const Bundle& bundle) {
  const std::optional<Dict> informations = DictionaryNamed(kMiscellaneousResourceName, &bundle);
  const Value& appName = bundle.objectForInfoDictionaryKey("CFBundleName");
  const Value* entry = informations && appName.isString() ? informations->find(*appName.asString()) : nullptr;
  if (entry == nullptr || !entry->isDict()) {
    logMessage("##### fail to retrieve infomations dictionary");
    return std::nullopt;
  }
  const Value& name = entry->asDict()->get(kConvertTableFileNameKey);
  if (!name.isString() || name.asString()->empty()) return std::nullopt;
  return *name.asString();
}

std::optional<Dict> BundleConvertTableSource::convertTable() const {
  const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
  if (!bundle) return std::nullopt;
  const std::optional<std::string> name = convertTableFileName(*bundle);
  if (!name) return std::nullopt;
  return DictionaryNamed(*name, bundle.get());
}

std::optional<Dict> FileConvertTableSource::convertTable() const { return dictFromFile(path_); }

}  // namespace orval
