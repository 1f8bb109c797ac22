// The bundle's own printer description, resources/TZPrintServer.ppd: it opens,
// passes the CUPS conformance test (which also checks that every Japanese
// translation is there and is UTF-8), and offers every option and choice that
// the main pane and the device option updater set.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "panes/ppd_file_ext.h"

namespace orval {
namespace {

namespace fs = std::filesystem;

const fs::path kBundlePpd = fs::path(ORVAL_SOURCE_DIR) / "resources/TZPrintServer.ppd";

using Strings = std::vector<std::string>;

TEST(BundlePpdTest, OpensAndNamesTheProduct) {
  std::string error;
  const auto ppd = PpdFileExt::initWithContentsOfFile(kBundlePpd, &error);
  ASSERT_NE(ppd, nullptr) << error;
  EXPECT_EQ(ppd->product(), "(TZ Print Server)");
  EXPECT_EQ(ppd->stringEncoding(), TextEncoding::MacRoman);
  EXPECT_STREQ(ppd->ppdFile()->modelname, "TZ Print Server");
  EXPECT_EQ(ppd->optionAlias("DuplexMode", "DuplexTumble"), "Short-Edge Binding");
}

TEST(BundlePpdTest, PassesTheCupsConformanceTest) {
  const char* const candidates[] = {"/usr/bin/cupstestppd", "/usr/sbin/cupstestppd"};
  std::string tool;
  for (const char* candidate : candidates)
    if (fs::exists(candidate)) tool = candidate;
  if (tool.empty()) GTEST_SKIP() << "cupstestppd is not installed (Debian package cups-client)";
  const std::string command = tool + " -q '" + kBundlePpd.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

TEST(BundlePpdTest, OffersTheChoicesThePanelSets) {
  const auto ppd = PpdFileExt::initWithContentsOfFile(kBundlePpd);
  ASSERT_NE(ppd, nullptr);
  EXPECT_EQ(ppd->optionKeywords("DuplexMode"), (Strings{"None", "DuplexNoTumble", "DuplexTumble"}));
  EXPECT_EQ(ppd->defaultOptionChoice("DuplexMode"), Value("None"));
  EXPECT_EQ(ppd->uiType("PagePrintOnCenter"), PPD_UI_BOOLEAN);
  EXPECT_EQ(ppd->defaultOptionChoice("PagePrintOnCenter"), Value(false));
  EXPECT_EQ(ppd->defaultOptionChoice("ColorModel"), Value("CMYK1"));
  EXPECT_TRUE(ppd->isExists("ColorModel", "CMYK2"));
  EXPECT_EQ(ppd->optionKeywords("Punch"), (Strings{"None", "Left", "Right", "Top", "Bottom", "MixSize"}));
  EXPECT_EQ(ppd->optionKeywords("PunchHoles"), (Strings{"None", "Holes2", "Holes3", "Holes4", "HolesMulti"}));

  struct Expected {
    const char* option;
    Strings choices;
  };
  const Expected expected[] = {
      {"StapleMode",
       {"None", "TopLeftCorner", "TopRightCorner", "BottomLeftCorner", "BottomRightCorner", "MixSizeCorner",
        "TopEdge", "BottomEdge", "LeftEdge", "RightEdge", "MixSizeEdge", "SaddleInside", "SaddleOutside", "Saddle",
        "TopCenter", "BottomCenter", "LeftCenter", "RightCenter", "TopEdge4", "BottomEdge4", "LeftEdge4",
        "RightEdge4"}},
      {"Fold",
       {"None", "BifoldInside", "BifoldOutside", "Bifold", "ZfoldRightBind", "ZfoldLeftBind", "MixSizeZfold",
        "C_TrifoldInside", "C_TrifoldOutside", "Z_TrifoldInside", "Z_TrifoldOutside"}},
      {"OutputTray",
       {"Auto", "Stackertray", "Stackertray2", "Autochange", "Documentfinishing", "Stackertoptray",
        "D3finishertray", "D3finishertoptray", "Stackertoptray2"}},
      {"QZInputSlot",
       {"AutoSelect", "Manual", "Tray1", "Tray2", "Tray3", "Tray4", "Tray6", "Tray7", "Tray8", "Tray9", "TrayA1_1",
        "TrayA1_2", "TrayA2_1", "TrayA2_2", "TrayInterposer", "TrayJobSameTray", "TrayStock", "TraySystemSetting"}},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.option);
    for (const std::string& choice : e.choices) EXPECT_TRUE(ppd->isExists(e.option, choice)) << choice;
    EXPECT_EQ(ppd->optionKeywords(e.option)->size(), e.choices.size());
  }
  for (const char* option : {"ColorMode", "OffsetMode", "InputSlot", "QZMediaType", "PageSize", "PageRegion",
                             "Resolution"})
    EXPECT_TRUE(ppd->isExists(option)) << option;
  for (const char* size : {"A3", "A4", "A5", "B4", "B5", "Letter", "Legal", "Tabloid"})
    EXPECT_TRUE(ppd->isExists("PageSize", size)) << size;
}

}  // namespace
}  // namespace orval
