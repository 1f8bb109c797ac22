#include "detailed_settings/print_option_tree_data_source.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/localized_string.h"
#include "common/principal_bundle.h"
#include "favorites/favorites_test_support.h"
#include "panes/pane_state_test_support.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/toolkit/application.h"

namespace orval {
namespace {

namespace fs = std::filesystem;

Value folder(const char* name, Array items) { return Dict{{"itemName", name}, {"items", std::move(items)}}; }
Value setting(const char* alias, const char* key) { return Dict{{"mainAlias", alias}, {"mainKeyword", key}}; }

// A bundle "T" whose panes tree "Tree" each test writes; no pane plug-ins are loaded.
class PrintOptionTreeTest : public panes_testing::PanePlugInMgrTestBase {
 protected:
  void SetUp() override {
    PanePlugInMgrTestBase::SetUp();
    const std::shared_ptr<Bundle> bundle =
        favorites_testing::writePlugInBundle(scratch.path(), "T", Dict{{"T", Dict{{"panesTreeFileName", "Tree"}}}});
    root = bundle->bundlePath();
    SetBSPrincipalBundle(bundle);
    SetNSBundleForLocalizedString(bundle);
    outline.addTableColumn(std::make_unique<tk::TableColumn>("name")).setWidth(120);
  }
  void TearDown() override {
    outline.setDataSource(nullptr);
    outline.setDelegate(nullptr);
    PanePlugInMgrTestBase::TearDown();
  }
  void load(const Array& topLevel) {
    ASSERT_TRUE(writePlistFile(root / "Contents/Resources/Tree.plist", Value(Dict{{"items", topLevel}})));
    source.setOutlineView(&outline, false);
  }
  std::vector<std::string> rows() {
    std::vector<std::string> texts;
    for (int row = 0; row < outline.numberOfRows(); ++row) {
      std::string text = outline.objectValueAt("name", row).text();
      if (outline.isItemExpanded(outline.itemAtRow(row))) text += "/";
      texts.push_back(std::string(2 * outline.levelForRow(row), ' ') + text);
    }
    return texts;
  }
  static tk::Image icon(tk::SystemIcon which) { return tk::Image::systemIcon(which).scaledTo({16, 16}); }

  const foundation_testing::TemporaryFolder scratch;
  fs::path root;
  tk::OutlineView outline;
  PrintOptionTreeDataSource source;
};

TEST_F(PrintOptionTreeTest, TheCurrentSettingFolderDecidesTheRoot) {
  const Value current = folder("CurrentSetting", Array{setting("Copies", "NumCopies")});
  const Value other = folder("Paper", Array{setting("Size", "PaperSize")});
  load(Array{current, other});
  EXPECT_EQ(rows(), (std::vector<std::string>{"Copies"}));
  load(Array{other, current});
  EXPECT_EQ(rows(), (std::vector<std::string>{"Paper"}));
  load(Array{other});
  EXPECT_EQ(rows(), (std::vector<std::string>{"Paper"}));
  fs::remove(root / "Contents/Resources/Tree.plist");
  source.setOutlineView(&outline, true);
  EXPECT_EQ(outline.numberOfRows(), 0);
}

// A flagged node three levels down gets the note, and only the parents of flagged nodes are opened.
TEST_F(PrintOptionTreeTest, SettingsThatDifferFromTheDefaultsAreFlaggedAndShown) {
  load(Array{
      folder("Layout", Array{folder("Booklet", Array{setting("Binding", "Binding"), setting("Creep", "CreepMode")})}),
      folder("Paper", Array{setting("Size", "PaperSize"), setting("Type", "MediaType"), setting("Tray", "InputSlot")}),
      folder("Finishing", Array{setting("Staple", "StapleMode")})});
  outline.expandItem(outline.itemAtRow(2));  // open before: closed by the refresh
  source.updatePrintOption(
      PrintOption{{"CreepMode", "On"}, {"PaperSize", "A3"}, {"MediaType", "Plain"}, {"InputSlot", true}}, false);
  source.markDifferedWithDefault(
      PrintOption{{"CreepMode", "Off"}, {"PaperSize", "A4"}, {"MediaType", "Plain"}, {"InputSlot", "True"}}, true);
  EXPECT_EQ(rows(), (std::vector<std::string>{"Layout/", "  Booklet/", "    Binding", "    Creep", "Paper/", "  Size",
                                              "  Type", "  Tray", "Finishing"}));
  std::vector<bool> differs;
  for (int row = 2; row < 8; ++row) differs.push_back(source.rowOf(outline.itemAtRow(row)).differs);
  EXPECT_EQ(differs, (std::vector<bool>{false, true, false, true, false, false}));  // a boolean reads as its text
  EXPECT_EQ(source.rowOf(outline.itemAtRow(0)).icon, icon(tk::SystemIcon::Folder));
  EXPECT_EQ(source.rowOf(outline.itemAtRow(3)).icon, icon(tk::SystemIcon::AlertNote));
  EXPECT_EQ(outline.preparedCellAt(outline.outlineTableColumn(), 2).image(),
            icon(tk::SystemIcon::UnknownFileSystemObject));
}

TEST_F(PrintOptionTreeTest, RowsNamePanesFoldersAndGroupsAndWidenTheColumn) {
  load(Array{Value(Dict{{"bundleName", "Missing"}, {"items", Array{setting("A", "A")}}}),
             Value(Dict{{"bundleName", "Color+ColorDetailsRGB_"}}),
             Value(Dict{{"items", Array{Value(Dict{{"plugInName", "Colour_Details"}})}}}),
             setting("A setting with a name far too long for the column as it stands", "Long")});
  EXPECT_EQ(outline.objectValueAt("name", 0), Value("Missing"));
  EXPECT_TRUE(source.rowOf(outline.itemAtRow(0)).unnamed);
  EXPECT_EQ(outline.preparedCellAt(outline.outlineTableColumn(), 0).textColor(), tk::Color::disabledControlTextColor());
  EXPECT_FALSE(outline.clickRow(0));
  EXPECT_EQ(source.rowOf(outline.itemAtRow(0)).icon, icon(tk::SystemIcon::Folder));
  EXPECT_EQ(source.rowOf(outline.itemAtRow(1)).icon, icon(tk::SystemIcon::UnknownFileSystemObject));
  EXPECT_EQ(outline.objectValueAt("name", 2), Value("  Colour"));

  tk::TableColumn* column = outline.outlineTableColumn();
  EXPECT_EQ(column->width(), 120);
  const Value longName = outline.objectValueAt("name", 3);
  EXPECT_GT(column->width(), 160);
  const double widened = column->width();
  EXPECT_EQ(tk::Application::shared().runLoop().runPendingTurns(tk::RunLoopMode::Default), 1);  // the row again
  outline.objectValueAt("name", 3);
  EXPECT_EQ(column->width(), widened);  // it fits now: 40 points to spare
}

TEST_F(PrintOptionTreeTest, AProfileIsReadKeptOrDropped) {
  load(Array{});
  const fs::path profile = scratch.write("profile.txt", "Profile1=Glossy\r\n");
  source.updateProfilePath(profile.string(), false);
  source.updateProfilePath(std::nullopt, true);
  EXPECT_EQ(source.profileDictionary(), (Dict{{"Profile1", "Glossy"}}));
  source.updateProfilePath(std::string(), false);
  EXPECT_FALSE(source.profileDictionary());
}

}  // namespace
}  // namespace orval
