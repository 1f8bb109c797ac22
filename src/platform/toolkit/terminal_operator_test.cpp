#include "platform/toolkit/terminal_operator.h"

#include <gtest/gtest.h>

#include <sstream>

#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/toolkit/toolkit.h"

namespace orval::tk {
namespace {

namespace fs = std::filesystem;

class TerminalOperatorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application::resetSharedForTesting();
    alert.setMessageText("Conflict");
    alert.setInformativeText("Punch needs a tray.");
    alert.addButtonWithTitle("OK");
    alert.addButtonWithTitle("Cancel");
    alert.addButtonWithTitle("Details");
  }
  // The answer (1000 + position) to an alert (this one unless given) given the typed input.
  int answer(const std::string& input, std::optional<std::size_t> preset = std::nullopt, Alert* other = nullptr) {
    in.str(input);
    in.clear();
    auto person = std::make_shared<TerminalOperator>(in, out);
    person->setPresetAnswer(preset);
    Application::shared().setOperator(person);
    return (other ? *other : alert).runModal();
  }
  Alert alert;
  std::istringstream in;
  std::ostringstream out;
};

TEST_F(TerminalOperatorTest, PrintsTheAlertAndReadsANumberOrATitle) {
  EXPECT_EQ(answer("3\n"), 1002);
  EXPECT_NE(out.str().find("Conflict\nPunch needs a tray.\n  1) OK\n  2) Cancel\n  3) Details\n"), std::string::npos);
  EXPECT_EQ(answer("  details \n"), 1002);
  EXPECT_EQ(answer("\n"), 1000);  // Return: the default button
}

TEST_F(TerminalOperatorTest, AsksAgainAfterNonsenseAndEndOfInputCancels) {
  EXPECT_EQ(answer("0\n7\nmaybe\n99999999999999999999\n2\n"), 1001);
  std::size_t retries = 0;
  for (std::size_t at = 0; (at = out.str().find("Please answer", at)) != std::string::npos; ++at) ++retries;
  EXPECT_EQ(retries, 4u);
  EXPECT_EQ(answer(""), 1001);  // the button titled Cancel
  Alert noCancel;  // without Cancel: its last button
  noCancel.addButtonWithTitle("Yes");
  noCancel.addButtonWithTitle("No");
  EXPECT_EQ(answer("", std::nullopt, &noCancel), 1001);
}

TEST_F(TerminalOperatorTest, PresetAnswersReadNothing) {
  EXPECT_EQ(answer("3\n", 1), 1001);
  EXPECT_EQ(in.tellg(), 0);  // the input was left alone
  EXPECT_NE(out.str().find("-> Cancel"), std::string::npos);
  EXPECT_EQ(answer("", 7), 1002);  // beyond the buttons: the last
}

TEST_F(TerminalOperatorTest, WindowsOtherThanChoosersAreAbortedWithANote) {
  std::istringstream none;
  Application::shared().setOperator(std::make_shared<TerminalOperator>(none, out));
  Panel panel({0, 0, 10, 10}, "Detailed Settings");
  EXPECT_EQ(Application::shared().runModalForWindow(panel), ModalResponse::Abort);
  EXPECT_NE(out.str().find("\"Detailed Settings\" cannot be shown"), std::string::npos);
}

TEST_F(TerminalOperatorTest, FileChoosersTakeATypedPath) {
  const foundation_testing::TemporaryFolder folder;
  const fs::path dir = folder.path();
  folder.write("favorite.pfj", "x");
  std::istringstream typed("missing.pfj\nfavorite.pfj\n\n");
  Application::shared().setOperator(std::make_shared<TerminalOperator>(typed, out));
  OpenPanel open;
  open.setDirectoryURL(dir.string());
  EXPECT_EQ(open.runModal(), ModalResponse::OK);
  EXPECT_EQ(open.URLs(), (std::vector<std::string>{(dir / "favorite.pfj").string()}));
  EXPECT_NE(out.str().find("\"missing.pfj\" cannot be chosen"), std::string::npos);
  SavePanel save;
  save.setDirectoryURL(dir.string());
  save.setNameFieldStringValue("Export");
  EXPECT_EQ(save.runModal(), ModalResponse::OK);  // an empty line takes the proposed name
  EXPECT_EQ(save.URL(), (dir / "Export").string());
  EXPECT_EQ(save.runModal(), ModalResponse::Cancel);  // end of input
}

}  // namespace
}  // namespace orval::tk
