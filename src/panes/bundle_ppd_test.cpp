// The bundle's own printer description: it passes the CUPS conformance test (which checks the Japanese
// translations too) and offers what the main pane and the device option updater set.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "panes/ppd_file_ext.h"

namespace orval {
namespace {

namespace fs = std::filesystem;

const fs::path kBundlePpd = fs::path(ORVAL_SOURCE_DIR) / "resources/TZPrintServer.ppd";

TEST(BundlePpdTest, PassesTheCupsConformanceTest) {
  std::string tool;
  for (const char* candidate : {"/usr/bin/cupstestppd", "/usr/sbin/cupstestppd"})
    if (fs::exists(candidate)) tool = candidate;
  if (tool.empty()) GTEST_SKIP() << "cupstestppd is not installed (Debian package cups-client)";
  const std::string command = tool + " -q '" + kBundlePpd.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

TEST(BundlePpdTest, NamesTheProductAndOffersTheChoicesThePanelSets) {
  std::string error;
  const auto ppd = PpdFileExt::initWithContentsOfFile(kBundlePpd, &error);
  ASSERT_NE(ppd, nullptr) << error;
  EXPECT_EQ(std::tuple(ppd->product(), ppd->stringEncoding()), std::tuple("(TZ Print Server)", TextEncoding::MacRoman));
  EXPECT_EQ(ppd->optionAlias("DuplexMode", "DuplexTumble"), "Short-Edge Binding");
  EXPECT_EQ(ppd->defaultOptionChoice("DuplexMode"), Value("None"));
  EXPECT_EQ(ppd->defaultOptionChoice("PagePrintOnCenter"), Value(false));
  EXPECT_EQ(ppd->defaultOptionChoice("ColorModel"), Value("CMYK1"));
  // (The catalogue's test finds every choice of every control here.)
  for (const char* option : {"InputSlot", "PageRegion"}) EXPECT_TRUE(ppd->isExists(option)) << option;
  for (const char* size : {"A3", "A4", "A5", "B4", "B5", "Letter", "Legal", "Tabloid"})
    EXPECT_TRUE(ppd->isExists("PageSize", size)) << size;
}

}  // namespace
}  // namespace orval
