#include "platform/print/printer_description.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace orval {
namespace {

const std::filesystem::path kTestPpd =
    std::filesystem::path(ORVAL_SOURCE_DIR) / "src/platform/print/testdata/test_printer.ppd";

class ScratchFolder {
 public:
  ScratchFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("orval-ppd-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() { std::filesystem::remove_all(path_); }
  std::filesystem::path file(const std::string& name, const std::string& contents) const {
    std::ofstream(path_ / name, std::ios::binary) << contents;
    return path_ / name;
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

TEST(PrinterDescriptionTest, OpensWithTheDefaultsMarkedAndListsOptionsInFileOrder) {
  std::string error;
  auto ppd = PrinterDescription::open(kTestPpd, &error);
  ASSERT_NE(ppd, nullptr) << error;
  ASSERT_NE(ppd->handle(), nullptr);

  EXPECT_EQ(ppd->markedChoice("Duplex"), "None");
  EXPECT_EQ(ppd->markedChoice("PagePrintOnCenter"), "False");
  // PageRegion goes unmarked while PageSize is marked, as libcups marks them.
  EXPECT_EQ(ppd->markedChoice("PageRegion"), std::nullopt);
  EXPECT_EQ(ppd->markedChoices().keys(),
            (std::vector<std::string>{"PageSize", "Duplex", "StapleMode", "PagePrintOnCenter"}));
  EXPECT_EQ(ppd->markedChoices(),
            (Dict{{"PageSize", "A4"}, {"Duplex", "None"}, {"StapleMode", "None"}, {"PagePrintOnCenter", "False"}}));

  const std::vector<PpdOption> options = ppd->options();
  ASSERT_EQ(options.size(), 5u);
  EXPECT_EQ(options[1].keyword, "PageRegion");
  EXPECT_EQ(options[1].marked, std::nullopt);
  const PpdOption& staple = options[3];
  EXPECT_EQ(staple.keyword, "StapleMode");
  EXPECT_EQ(staple.text, "Staple");
  EXPECT_EQ(staple.group, "Finishing");
  EXPECT_EQ(staple.defaultChoice, "None");
  ASSERT_EQ(staple.choices.size(), 3u);
  EXPECT_EQ(staple.choices[2].choice, "DualLeft");
  EXPECT_EQ(staple.choices[2].text, "Two on the Left");
  EXPECT_EQ(options[2].group, "General");
}

TEST(PrinterDescriptionTest, MarkingAllowsConflictsAndRefusesUnknownChoices) {
  auto ppd = PrinterDescription::open(kTestPpd);
  ASSERT_NE(ppd, nullptr);
  EXPECT_EQ(ppd->conflicts(), 0);

  EXPECT_TRUE(ppd->markOption("StapleMode", "TopLeft"));
  EXPECT_TRUE(ppd->markOption("Duplex", "DuplexTumble"));
  // The two choices are constrained against each other; both stay marked.
  EXPECT_EQ(ppd->markedChoice("StapleMode"), "TopLeft");
  EXPECT_EQ(ppd->markedChoice("Duplex"), "DuplexTumble");
  EXPECT_GT(ppd->conflicts(), 0);

  EXPECT_FALSE(ppd->markOption("StapleMode", "Saddle"));
  EXPECT_FALSE(ppd->markOption("StapleMode", "Custom.12"));
  EXPECT_FALSE(ppd->markOption("NoSuchOption", "None"));
  EXPECT_EQ(ppd->markedChoice("StapleMode"), "TopLeft");
  EXPECT_EQ(ppd->markedChoice("NoSuchOption"), std::nullopt);

  EXPECT_TRUE(ppd->markOption("PagePrintOnCenter", "True"));
  EXPECT_EQ(ppd->markedChoice("PagePrintOnCenter"), "True");

  EXPECT_TRUE(ppd->hasChoice("Duplex", "DuplexNoTumble"));
  EXPECT_FALSE(ppd->hasChoice("Duplex", "Booklet"));
  EXPECT_FALSE(ppd->hasChoice("Booklet", "None"));

  ppd->markDefaults();
  EXPECT_EQ(ppd->markedChoice("StapleMode"), "None");
  EXPECT_EQ(ppd->markedChoice("Duplex"), "None");
  EXPECT_EQ(ppd->conflicts(), 0);
}

TEST(PrinterDescriptionTest, MissingOrBrokenFilesAreReported) {
  ScratchFolder folder;
  std::string error;

  EXPECT_EQ(PrinterDescription::open(folder.path() / "absent.ppd", &error), nullptr);
  EXPECT_NE(error.find("absent.ppd"), std::string::npos) << error;
  EXPECT_NE(error.find("no such file"), std::string::npos) << error;

  error.clear();
  EXPECT_EQ(PrinterDescription::open(folder.path(), &error), nullptr);
  EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;

  const auto garbage = folder.file("garbage.ppd", std::string("\x89PNG\r\n\x1a\n\0\0\0binary", 18));
  error.clear();
  EXPECT_EQ(PrinterDescription::open(garbage, &error), nullptr);
  EXPECT_NE(error.find("garbage.ppd"), std::string::npos) << error;
  EXPECT_GT(error.size(), std::string("cannot open printer description ").size() + garbage.string().size() + 2)
      << "the reason is missing: " << error;

  const auto empty = folder.file("empty.ppd", "");
  EXPECT_EQ(PrinterDescription::open(empty), nullptr);

  // A header followed by a broken structure: libcups names the line.
  const auto broken = folder.file("broken.ppd",
                                  "*PPD-Adobe: \"4.3\"\n*OpenGroup: General\n*OpenGroup: Finishing\n");
  error.clear();
  EXPECT_EQ(PrinterDescription::open(broken, &error), nullptr);
  EXPECT_NE(error.find("(line 3)"), std::string::npos) << error;
}

}  // namespace
}  // namespace orval
