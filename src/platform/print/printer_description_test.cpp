#include "platform/print/printer_description.h"

#include <gtest/gtest.h>

#include "platform/foundation/temporary_folder_test_support.h"

namespace orval {
namespace {

const std::filesystem::path kTestPpd =
    std::filesystem::path(ORVAL_SOURCE_DIR) / "src/platform/print/testdata/test_printer.ppd";

TEST(PrinterDescriptionTest, OpensWithTheDefaultsMarkedAndListsOptionsInFileOrder) {
  std::string error;
  auto ppd = PrinterDescription::open(kTestPpd, &error);
  ASSERT_NE(ppd, nullptr) << error;
  // PageRegion goes unmarked while PageSize is marked, as libcups marks them.
  EXPECT_EQ(ppd->markedChoice("PageRegion"), std::nullopt);
  EXPECT_EQ(ppd->markedChoices().keys(),
            (std::vector<std::string>{"PageSize", "Duplex", "StapleMode", "PagePrintOnCenter"}));
  EXPECT_EQ(ppd->markedChoices(),
            (Dict{{"PageSize", "A4"}, {"Duplex", "None"}, {"StapleMode", "None"}, {"PagePrintOnCenter", "False"}}));
  const std::vector<PpdOption> options = ppd->options();
  ASSERT_EQ(options.size(), 5u);
  const PpdOption& staple = options[3];
  EXPECT_EQ(staple.keyword + "|" + staple.text + "|" + staple.group + "|" + staple.defaultChoice,
            "StapleMode|Staple|Finishing Options|None");
  ASSERT_EQ(staple.choices.size(), 3u);
  EXPECT_EQ(staple.choices[2].choice + "|" + staple.choices[2].text, "DualLeft|Two on the Left");
  EXPECT_EQ(options[4].defaultChoice, "False");  // the second of its choices
}

TEST(PrinterDescriptionTest, MarkingAllowsConflictsAndRefusesUnknownChoices) {
  auto ppd = PrinterDescription::open(kTestPpd);
  ASSERT_NE(ppd, nullptr);
  EXPECT_EQ(ppd->conflicts(), 0);
  EXPECT_TRUE(ppd->markOption("StapleMode", "TopLeft"));
  EXPECT_TRUE(ppd->markOption("Duplex", "DuplexTumble"));  // constrained against each other: both stay
  EXPECT_GT(ppd->conflicts(), 0);
  for (const auto& [keyword, choice] : {std::pair{"StapleMode", "Saddle"}, std::pair{"StapleMode", "Custom.12"},
                                        std::pair{"NoSuchOption", "None"}})
    EXPECT_FALSE(ppd->markOption(keyword, choice)) << keyword << " " << choice;
  EXPECT_EQ(ppd->markedChoice("StapleMode"), "TopLeft");
  EXPECT_EQ(ppd->markedChoice("Duplex"), "DuplexTumble");
  EXPECT_TRUE(ppd->hasChoice("Duplex", "DuplexNoTumble"));
  EXPECT_FALSE(ppd->hasChoice("Duplex", "Booklet") || ppd->hasChoice("Booklet", "None"));
  ppd->markDefaults();
  EXPECT_EQ(std::tuple(ppd->markedChoice("StapleMode"), ppd->conflicts()), std::tuple("None", 0));
}

TEST(PrinterDescriptionTest, MissingOrBrokenFilesAreReported) {
  foundation_testing::TemporaryFolder folder;
  const struct {
    std::filesystem::path path;
    const char* reason;
  } rows[] = {
      {folder.path() / "absent.ppd", "absent.ppd: no such file"},
      {folder.path(), "not a regular file"},
      {folder.write("garbage.ppd", std::string("\x89PNG\r\n\x1a\n\0\0\0binary", 18)), "garbage.ppd: "},
      // A header followed by a broken structure: libcups names the line.
      {folder.write("broken.ppd", "*PPD-Adobe: \"4.3\"\n*OpenGroup: General\n*OpenGroup: Finishing\n"), "(line 3)"},
  };
  for (const auto& row : rows) {
    std::string error;
    EXPECT_EQ(PrinterDescription::open(row.path, &error), nullptr) << row.path;
    EXPECT_NE(error.find(row.reason), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace orval
