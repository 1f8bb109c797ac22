// The job name dialog: its modes and the 255-character escaping field (`orval job-name` works the refusals).
#include "favorite_dialogs/job_name_win_controller.h"

#include <gtest/gtest.h>

#include "favorite_dialogs/favorite_dialogs_test_support.h"

namespace orval {
namespace {

using namespace favorite_dialogs_testing;

class JobNameTest : public FavoriteDialogsTest {
 protected:
  JobNameWinController& dialog() { return JobNameWinController::sharedInstance(); }
  tk::TextField* field() { return tk::viewWithIdentifier<tk::TextField>(*dialog().window(), "jobNameEdit"); }
  tk::Matrix* radio() { return tk::viewWithIdentifier<tk::Matrix>(*dialog().window(), "specificJobNameRadio"); }
};

TEST_F(JobNameTest, TheModeEnablesTheFieldAndAnUnknownModeChangesNothing) {
  EXPECT_FALSE(field()->isEnabled());
  const std::string name = "C:\\jobs\\a \"b\"";
  dialog().restoreValues(std::string("Input"), name);
  EXPECT_TRUE(field()->isEnabled());
  dialog().restoreValues(std::string("Neither"), std::nullopt);  // no such mode: nothing changes
  EXPECT_EQ(dialog().specificJobName(), "Input");
  EXPECT_TRUE(radio()->chooseCellAtRow(0, 0));
  EXPECT_FALSE(field()->isEnabled());
}

TEST_F(JobNameTest, InputTakesAtMost255CharactersAndAutoNeedsNone) {
  dialog().restoreValues(std::string("Input"), std::string());
  person->act([&](tk::Window& window) {
        type(field(), std::string(256, 'j'));  // the 256th is put back
        EXPECT_EQ(dialog().jobName(), std::string(255, 'j'));
        tk::clickButton(window, "OK");
      })
      .act([&](tk::Window& window) {
        radio()->chooseCellAtRow(0, 0);
        tk::clickButton(window, "OK");
      });
  EXPECT_EQ(dialog().showAsModalDialog(), 1);
  dialog().restoreValues(std::string("Input"), std::string());
  EXPECT_EQ(dialog().showAsModalDialog(), 1);
  EXPECT_EQ(dialog().specificJobName(), "Auto");
}

// OK answers the name being typed as the job stores it (its escapes applied: the yen sign is a
// backslash); the editing a Cancel left open does not come back in the next opening, where a
// refused keystroke keeps that opening's name.
TEST_F(JobNameTest, OKAnswersTheNameAsStoredAndTheNextOpeningForgetsTheLastEditing) {
  dialog().restoreValues(std::string("Input"), std::string("Q3"));
  person->act([&](tk::Window& window) {
    type(field(), "X\xC2\xA5Y");
    tk::clickButton(window, "OK");
  });
  EXPECT_EQ(dialog().showAsModalDialog(), tk::ModalResponse::OK);
  EXPECT_EQ(dialog().jobName(), "X\\Y");  // as the job stores it: the yen sign is a backslash

  person->act([&](tk::Window& window) {
    type(field(), "Draft");
    tk::clickButton(window, "Cancel");
  });
  EXPECT_EQ(dialog().showAsModalDialog(), tk::ModalResponse::Cancel);
  dialog().restoreValues(std::string("Input"), std::string("Final"));
  person->act([&](tk::Window& window) {
    ASSERT_TRUE(field()->selectText());
    field()->currentEditor()->insertText("\t");  // refused: the field keeps its text
    tk::clickButton(window, "OK");
  });
  EXPECT_EQ(dialog().showAsModalDialog(), tk::ModalResponse::OK);
  EXPECT_EQ(dialog().jobName(), "Final");
}

}  // namespace
}  // namespace orval
