// The favorite dialogs' tests: the build tree's bundle, a favorite folder in a scratch home folder
// (which also holds the trash), fresh process-wide objects and a scripted person.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "common/localized_string.h"
#include "common/principal_bundle.h"
#include "conversion/print_option_converter.h"
#include "detailed_settings/detailed_settings_win_controller.h"
#include "favorite_dialogs/favorite_window_controller.h"
#include "favorite_dialogs/job_name_win_controller.h"
#include "favorite_dialogs/save_favorite_window_controller.h"
#include "favorites/app_preference.h"
#include "favorites/favorite_file.h"
#include "panes/pane_state_test_support.h"
#include "platform/foundation/environment_test_support.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/foundation/text_encoding.h"
#include "platform/toolkit/toolkit.h"

namespace orval::favorite_dialogs_testing {

namespace fs = std::filesystem;
using foundation_testing::ScopedEnvironment;

[[maybe_unused]] inline ::testing::Environment* const homeEnvironment =
    ::testing::AddGlobalTestEnvironment(new foundation_testing::HomeInTemporaryFolder);

class FavoriteDialogsTest : public ::testing::Test {
 public:
  static void reset() {
    FavoriteWindowController::resetSharedInstanceForTesting();
    SaveFavoriteWindowController::resetSharedInstanceForTesting();
    JobNameWinController::resetSharedInstanceForTesting();
    DetailedSettingsWinController::resetSharedInstanceForTesting();
    panes_testing::PanePlugInMgrTestBase::resetAll();
    PrintOptionConverter::resetSharedForTesting();
    resetDefaultCStringEncoding();
  }

 protected:
  void SetUp() override {
    reset();
    SetBSPrincipalBundle(Bundle::bundleWithPath(ORVAL_BUNDLE_DIR));
    SetNSBundleForLocalizedString(Bundle::bundleWithPath(ORVAL_BUNDLE_DIR));
    tk::Application::shared().setOperator(person);
    favorites = AppPreference::sharedInstance().favoriteFolderPathArray(true).front();
  }
  void TearDown() override {
    reset();
    fs::remove_all(config_);
  }

  // Writes a favorite named name into folder (the favorite folder by default) with the
  // canonical settings options, as the panel saves them; answers its path.
  fs::path favorite(const std::string& name, const std::string& comment, const PrintOption& options,
                    const fs::path& folder = {}) {
    const fs::path path = (folder.empty() ? favorites : folder) / (name + ".pfj");
    fs::create_directories(path.parent_path());
    FavoriteFile file;
    file.setComment(comment);
    file.setOptions(PrintOptionConverter::sharedInstance().toInputMgrFormat(options));
    EXPECT_EQ(file.writeToFile(path), FavoriteWriteFailure::None) << name;
    return path;
  }

  // The person replaces field's text by text, keystroke by keystroke (false when one was refused).
  static bool type(tk::TextField* field, const std::string& text) {
    if (field == nullptr || !field->selectText()) return false;
    field->currentEditor()->selectAll();
    field->currentEditor()->deleteBackward();
    return field->currentEditor()->typeText(text);
  }

  ScopedEnvironment language_{"LANGUAGE", std::string("en")};
  ScopedEnvironment locale_{"LC_ALL", std::string("C.UTF-8")};
  // In the home folder: favorites there show the normal icon.
  const fs::path config_ = fs::path(std::getenv("HOME")) / ("config-" + std::to_string(::getpid()));
  ScopedEnvironment configHome_{"XDG_CONFIG_HOME", config_.string()};
  std::shared_ptr<tk::ScriptedOperator> person = std::make_shared<tk::ScriptedOperator>();
  fs::path favorites;
};

}  // namespace orval::favorite_dialogs_testing
