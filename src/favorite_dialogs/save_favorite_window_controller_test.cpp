// The save-favorite dialog: its name and comment rules and the byte limits of its fields.
#include "favorite_dialogs/save_favorite_window_controller.h"

#include <gtest/gtest.h>

#include "common/localized_string.h"
#include "favorite_dialogs/favorite_dialogs_test_support.h"

namespace orval {
namespace {

using namespace favorite_dialogs_testing;

class SaveFavoriteTest : public FavoriteDialogsTest {
 protected:
  // Made after the reset of SetUp.
  SaveFavoriteWindowController& dialog() { return SaveFavoriteWindowController::sharedInstance(); }
  tk::TextField* field(const char* identifier) { return tk::viewWithIdentifier<tk::TextField>(*dialog().window(), identifier); }
};

TEST_F(SaveFavoriteTest, TheDefaultFavoriteStartsEmptyAndRefusedTextsKeepTheDialogOpen) {
  person->act([&](tk::Window& window) {
        EXPECT_EQ(dialog().name(), "");
        EXPECT_EQ(dialog().comment(), "");
        EXPECT_EQ(window.title(), "Save Favorite");
        for (const char* refused : {"a/b", "   ", "Default Settings"}) {
          EXPECT_TRUE(type(field("favoriteName"), refused));
          EXPECT_TRUE(type(field("comment"), "c"));
          EXPECT_TRUE(tk::clickButton(window, "Save"));
          EXPECT_EQ(focusedField(window), field("favoriteName")) << refused;
        }
        EXPECT_TRUE(type(field("favoriteName"), "Proof"));
        EXPECT_TRUE(tk::clickButton(window, "Save"));  // an existing name is the person's choice
      })
      .answerAlert(0)
      .answerAlert(0)
      .answerAlert(0);
  favorite("Proof", "old", {{"DuplexMode", "None"}});
  EXPECT_EQ(dialog().showAsModalDialog(std::string("Default Settings"), std::string("ignored")), 1);
  std::vector<std::string> messages;
  for (const auto& alert : person->alertsShown()) messages.push_back(alert.messageText);
  const std::string invalid = BSLocalizedString("Invalid favorite name");
  EXPECT_EQ(messages, (std::vector<std::string>{invalid, invalid, BSLocalizedString("Invalid favorite name2")}));
  EXPECT_EQ(dialog().name(), "Proof");
  EXPECT_EQ(dialog().comment(), "c");
  EXPECT_FALSE(dialog().window()->isVisible());

  person->act([&](tk::Window& window) {
    EXPECT_EQ(dialog().name(), "Proof");
    EXPECT_EQ(dialog().comment(), "old");
    tk::clickButton(window, "Cancel");
  });
  EXPECT_EQ(dialog().showAsModalDialog(std::string("Proof"), std::string("old")), 0);
}

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
      EXPECT_EQ(dialog().name(), c.name);
      type(field("comment"), repeat(ka, 127) + "xy");
      EXPECT_EQ(dialog().comment(), c.comment);
      tk::clickButton(window, "Save");
    });
    EXPECT_EQ(dialog().showAsModalDialog(std::nullopt, std::nullopt), 1);
  }
  EXPECT_TRUE(person->alertsShown().empty());
}

}  // namespace
}  // namespace orval
