#include "conversion/print_option_converter.h"

#include <utility>

namespace orval {
namespace {

std::unique_ptr<PrintOptionConverter>& sharedSlot() {
  static std::unique_ptr<PrintOptionConverter> converter;
  return converter;
}

}  // namespace

PrintOptionConverter& PrintOptionConverter::sharedInstance() {
  std::unique_ptr<PrintOptionConverter>& slot = sharedSlot();
  if (!slot) slot = std::make_unique<PrintOptionConverter>();
  return *slot;
}

void PrintOptionConverter::resetSharedForTesting() { sharedSlot().reset(); }

PrintOptionConverter::PrintOptionConverter() : _convertTableSource(std::make_unique<BundleConvertTableSource>()) {}

PrintOptionConverter::PrintOptionConverter(std::unique_ptr<ConvertTableSource> source) : PrintOptionConverter() {
  setConvertTableSource(std::move(source));
}

void PrintOptionConverter::setConvertTableSource(std::unique_ptr<ConvertTableSource> source) {
  _convertTableSource = source ? std::move(source) : std::make_unique<BundleConvertTableSource>();
}

std::shared_ptr<const Dict> PrintOptionConverter::convertTable() const { return _convertTableSource->convertTable(); }

}  // namespace orval
