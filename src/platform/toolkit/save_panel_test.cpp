#include "platform/toolkit/save_panel.h"

#include <gtest/gtest.h>

#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/scripted_operator.h"

namespace orval::tk {
namespace {

namespace fs = std::filesystem;

class SavePanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application::resetSharedForTesting();
    Application::shared().setOperator(script);
    fs::create_directories(dir / "folder");
    folder.write("a.pfj", "a");
    folder.write("b.txt", "b");
  }
  std::shared_ptr<ScriptedOperator> script = std::make_shared<ScriptedOperator>();
  foundation_testing::TemporaryFolder folder;
  const fs::path dir = folder.path();
};

TEST_F(SavePanelTest, SaveAppendsTheAllowedTypeAndForgetsACancelledChoice) {
  SavePanel panel;
  panel.setDirectoryURL(dir.string());
  panel.setAllowedFileTypes({"pfj"});
  script->chooseFile("Mine").chooseFile("Other.PFJ").cancelFileChooser();
  EXPECT_EQ(panel.runModal(), ModalResponse::OK);
  EXPECT_EQ(std::tuple(panel.URL(), panel.nameFieldStringValue()), std::tuple((dir / "Mine.pfj").string(), "Mine.pfj"));
  EXPECT_EQ(panel.runModal(), ModalResponse::OK);
  EXPECT_EQ(panel.URL(), (dir / "Other.PFJ").string());
  EXPECT_EQ(panel.runModal(), ModalResponse::Cancel);
  EXPECT_EQ(panel.URL(), "");
  EXPECT_FALSE(panel.choose(""));
}

TEST_F(SavePanelTest, OpenRefusesWhatCannotBeChosen) {
  OpenPanel panel;
  panel.setDirectoryURL(dir.string());
  panel.setAllowedFileTypes({"pfj"});
  EXPECT_FALSE(panel.choose("b.txt"));           // not an allowed type
  EXPECT_FALSE(panel.choose("folder"));          // folders not chosen
  EXPECT_FALSE(panel.chooseURLs({"a.pfj", "a.pfj"}));  // one at a time
  EXPECT_TRUE(panel.choose((dir / "a.pfj").string()));
  panel.setCanChooseDirectories(true);
  EXPECT_TRUE(panel.choose("folder"));
  script->chooseFile("b.txt");
  EXPECT_EQ(panel.runModal(), ModalResponse::Cancel);
  EXPECT_TRUE(panel.URLs().empty());
  script->chooseFile("a.pfj");
  int result = -1;
  Window parent;
  panel.beginSheetModalForWindow(&parent, [&](int code) { result = code; });
  EXPECT_EQ(std::tuple(result, panel.URL()), std::tuple(ModalResponse::OK, (dir / "a.pfj").string()));
}

}  // namespace
}  // namespace orval::tk
