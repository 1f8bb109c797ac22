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

namespace {

std::shared_ptr<const Dict> shared(std::optional<Dict> table) {
  if (!table) return nullptr;
  return std::make_shared<const Dict>(std::move(*table));
}

}  // namespace

std::shared_ptr<const Dict> BundleConvertTableSource::convertTable() const {
  const std::shared_ptr<Bundle> bundle = BSPrincipalBundle();
  if (!bundle) return nullptr;
  const std::optional<std::string> name = convertTableFileName(*bundle);
  if (!name) return nullptr;
  return shared(DictionaryNamed(*name, bundle.get()));
}

std::shared_ptr<const Dict> FileConvertTableSource::convertTable() const { return shared(dictFromFile(path_)); }

}  // namespace orval
