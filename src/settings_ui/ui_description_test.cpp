#include "settings_ui/kora_ui_test_support.h"
#include "settings_ui/label_metrics.h"

namespace orval {
namespace {

using namespace kora_ui_testing;

TEST(UIDescriptionTest, AbsentWithoutTheFile) {
  // Without the file a bundle has no path; its "UI" resource stands in (the build test builds children from it).
  EXPECT_FALSE(uiDescriptionPath(testdataPath("Fallback.bundle")));
  EXPECT_FALSE(uiDescriptionPath(testdataPath("NoSuchBundle")));
  EXPECT_FALSE(loadUIDescription(nullptr));
  EXPECT_FALSE(KORAUI().getUIFilePath());
}

TEST(LabelMetricsTest, BoldWidthsByCharacterClass) {
  EXPECT_DOUBLE_EQ(boldLabelTextWidth("Light", 15), 2.444 * 15);
  EXPECT_DOUBLE_EQ(boldLabelTextWidth("\xE6\xBF\x83", 15), 15);  // a wide character is one em
  EXPECT_DOUBLE_EQ(boldLabelTextWidth("\xC3\xA9", 10), 5.56);     // other characters: the average
  EXPECT_DOUBLE_EQ(boldLabelTextWidth("\xE6\xBF", 10), 5.56);  // a cut sequence counts as one character
}

}  // namespace
}  // namespace orval
