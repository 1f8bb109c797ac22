// plist_bench: reading property lists of growing size, binary and XML, as the
// printer's lists arrive (one array of short strings). Reading must grow with
// the list, not with its square: a print server may publish tens of
// thousands of fonts, and the panel reads every list when it opens.
//
// Usage: plist_bench [largest item count (100000)]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/foundation/plist.h"
#include "platform/foundation/value.h"

int main(int argc, char** argv) {
  const long largest = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
  std::printf("%10s %12s %12s\n", "items", "binary ms", "XML ms");
  for (long count = 1000; count <= largest; count *= 10) {
    orval::Array items;
    for (long i = 0; i < count; ++i) items.push_back(orval::Value("Font-" + std::to_string(i)));
    const orval::Value list(orval::Dict{{"FontList", orval::Value(std::move(items))}});
    double ms[2] = {};
    const std::string forms[2] = {orval::plistToBinary(list), orval::plistToXml(list)};
    for (int form = 0; form < 2; ++form) {
      const auto start = std::chrono::steady_clock::now();
      const std::optional<orval::Value> read = orval::plistFromBytes(forms[form]);
      ms[form] = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
      if (!read || *read != list) {
        std::fprintf(stderr, "plist_bench: %ld items did not read back\n", count);
        return 1;
      }
    }
    std::printf("%10ld %12.1f %12.1f\n", count, ms[0], ms[1]);
  }
  return 0;
}
