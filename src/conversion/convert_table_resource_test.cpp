// The bundle's keyword convert table (the round trips of every setting through it: the catalogue's test).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "conversion/convert_table_source.h"

namespace orval {
namespace {

// The first entry of a tag key wins: a second one would never convert back.
TEST(ConvertTableResourceTest, TagKeysAreUnique) {
  const std::shared_ptr<const Dict> table =
      FileConvertTableSource(std::filesystem::path(ORVAL_SOURCE_DIR) / "resources/ConvertTable.plist").convertTable();
  ASSERT_NE(table, nullptr);
  std::set<std::string> tagKeys;
  for (const auto& [keyword, entry] : *table)
    EXPECT_TRUE(tagKeys.insert(entry.isDict() ? entry.asDict()->get("tagKey").text() : "").second) << keyword;
}

}  // namespace
}  // namespace orval
