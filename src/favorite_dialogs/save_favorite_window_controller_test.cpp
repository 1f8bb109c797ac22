// The save-favorite dialog's byte limits (its refusals are worked by `orval favorites save`).
#include "favorite_dialogs/save_favorite_window_controller.h"

#include <gtest/gtest.h>

#include "favorite_dialogs/favorite_dialogs_test_support.h"

namespace orval {
namespace {

using namespace favorite_dialogs_testing;

class SaveFavoriteTest : public FavoriteDialogsTest {
 protected:
  SaveFavoriteWindowController& dialog() { return SaveFavoriteWindowController::sharedInstance(); }
  tk::TextField* field(const char* identifier) {
    return tk::viewWithIdentifier<tk::TextField>(*dialog().window(), identifier);
  }
};

TEST_F(SaveFavoriteTest, NameAndCommentAreLimitedInBytesOfTheSystemsEncoding) {
  const std::string ka = "\xE3\x81\x8B";  // one Japanese character: 2 bytes in CP932, 3 in UTF-8
  const auto repeat = [](const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
  };
  struct Case {
    TextEncoding encoding;
    std::string typed;
    std::string name;     // what the 27-byte name field keeps
    std::string comment;  // what the 255-byte comment field keeps of typed + "xy"
  };
  for (const Case& c : {Case{TextEncoding::CP932, repeat(ka, 14), repeat(ka, 13), repeat(ka, 127) + "x"},
                        Case{TextEncoding::UTF8, repeat(ka, 10), repeat(ka, 9), repeat(ka, 85)}}) {
    setDefaultCStringEncoding(c.encoding);
    person->act([&](tk::Window& window) {
      type(field("favoriteName"), c.typed);
      type(field("comment"), repeat(ka, 127) + "xy");
      EXPECT_EQ(dialog().name() + "|" + dialog().comment(), c.name + "|" + c.comment);
      tk::clickButton(window, "Save");
    });
    EXPECT_EQ(dialog().showAsModalDialog(std::nullopt, std::nullopt), 1);
  }
}

// The editing a Cancel left open does not come back in the next opening: a refused keystroke
// keeps that opening's name, not the cancelled one.
TEST_F(SaveFavoriteTest, TheNextOpeningForgetsTheCancelledEditing) {
  person->act([&](tk::Window& window) {
    type(field("favoriteName"), "Draft");
    tk::clickButton(window, "Cancel");
  });
  EXPECT_EQ(dialog().showAsModalDialog(std::string("Proof"), std::nullopt), tk::ModalResponse::Cancel);
  person->act([&](tk::Window& window) {
    field("favoriteName")->currentEditor()->insertText("\t");  // refused: the field keeps its text
    EXPECT_EQ(dialog().name(), "Proof");
    tk::clickButton(window, "Cancel");
  });
  EXPECT_EQ(dialog().showAsModalDialog(std::string("Proof"), std::nullopt), tk::ModalResponse::Cancel);
}

}  // namespace
}  // namespace orval
