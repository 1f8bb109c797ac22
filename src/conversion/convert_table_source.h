// Where PrintOptionConverter finds its keyword convert table.
//
// The convert table is a property-list resource of the extension's bundle:
// its keys are canonical main keywords, each value an entry dictionary
// ("tagKey", optional "items", "tagValueType", "magnification", "format").
// The resource's name comes from the information dictionary "miscellaneous"
// (key "convertTableFileName" of the entry named by the bundle's
// "CFBundleName"). The table is read again on every conversion, so a source
// answers the table as it is on disk at that moment. A table is handed out
// shared and read-only: one conversion looks entries up in it without copying
// a table of several hundred entries.
//
// The bundle source is the one the system uses; a file source serves hosts
// that name a table of their own (and tests).
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "platform/foundation/bundle.h"
#include "platform/foundation/value.h"

namespace orval {

// The key of the information dictionary that names the convert table resource.
inline constexpr const char* kConvertTableFileNameKey = "convertTableFileName";
// The information dictionary resource of the bundle.
inline constexpr const char* kMiscellaneousResourceName = "miscellaneous";

class ConvertTableSource {
 public:
  virtual ~ConvertTableSource() = default;
  // The convert table as it is now; null when it cannot be found or read.
  virtual std::shared_ptr<const Dict> convertTable() const = 0;
};

// The table named by the information dictionary of the principal bundle
// (BSPrincipalBundle), read from that bundle's resources.
class BundleConvertTableSource final : public ConvertTableSource {
 public:
  std::shared_ptr<const Dict> convertTable() const override;
};

// The table in one property-list file.
class FileConvertTableSource final : public ConvertTableSource {
 public:
  explicit FileConvertTableSource(std::filesystem::path path) : path_(std::move(path)) {}
  std::shared_ptr<const Dict> convertTable() const override;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A table given once (read by the caller), answered as it is: for conversions in bulk, where
// reading the resource again for each one would cost more than the conversions.
class FixedConvertTableSource final : public ConvertTableSource {
 public:
  explicit FixedConvertTableSource(std::shared_ptr<const Dict> table) : table_(std::move(table)) {}
  explicit FixedConvertTableSource(Dict table) : table_(std::make_shared<const Dict>(std::move(table))) {}
  std::shared_ptr<const Dict> convertTable() const override { return table_; }

 private:
  std::shared_ptr<const Dict> table_;
};

// The convert table's resource name from bundle's information dictionary (for the
// application named by the bundle's "CFBundleName"); none, with a diagnostic, when missing.
std::optional<std::string> convertTableFileName(const Bundle& bundle);

}  // namespace orval
