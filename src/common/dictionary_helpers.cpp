#include "common/dictionary_helpers.h"

#include "platform/foundation/plist.h"

namespace orval {

void SetIfObjectForKey(Dict& dictionary, const Value& object, std::string_view key) {
  if (object.isNull()) return;
  dictionary.set(key, object);
}

void SetIfObjectForKey(Dict& dictionary, const Value* object, std::string_view key) {
  if (object == nullptr) return;
  SetIfObjectForKey(dictionary, *object, key);
}

std::optional<Dict> DictionaryNamed(const std::string& name, const Bundle* bundle) {
  if (bundle == nullptr || name.empty()) return std::nullopt;
  const std::optional<std::filesystem::path> path = bundle->pathForResource(name, "plist");
  if (!path) return std::nullopt;
  return dictFromFile(*path);
}

}  // namespace orval
