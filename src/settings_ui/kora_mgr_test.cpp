#include "settings_ui/kora_mgr.h"

#include <ctime>

#include <gmock/gmock.h>

#include "settings_ui/kora_mgr_test_support.h"

namespace orval {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace testing_support;

Dict duplexDescription() {
  return popupDescription("Duplex", "Duplex", {{"Off", "One-Sided"}, {"On", "Two-Sided"}}, "Off");
}

using RegistryTest = KORAMgrTest;

TEST_F(RegistryTest, ControlsAndTheirChildrenAreRegisteredUnderTheirKeywords) {
  const auto bundle = Bundle::bundleWithPath(engineBundlePath());
  Dict anonymous = fixtureControl("Finisher", bundle);
  anonymous.remove("mainKeyword");
  KORAUI& unnamed = build(anonymous, bundle);
  engine->addControl(&unnamed);
  EXPECT_TRUE(engine->getControlsDictionary().empty());

  KORAUI& finisher = add(fixtureControl("Finisher", bundle), bundle);
  EXPECT_THAT(registeredKeywords(*engine), ElementsAre("Finisher", "FoldMode", "TrimWidth"));
  EXPECT_FALSE(finisher.childControls()[0]->isEnabled());
  EXPECT_EQ(finisher.getOldValue(), std::optional<std::string>("None"));

  KORAUI& second = build(fixtureControl("FoldMode", bundle), bundle);
  engine->addControl(&second);
  engine->addControl(&second);
  ASSERT_EQ(engine->getControlsDictionary().find("FoldMode")->size(), 2u);
  EXPECT_EQ(engine->getControlsDictionary().primary("FoldMode"), finisher.childControls()[0]);
  engine->setStringValue("FoldMode", "Half");
  EXPECT_EQ(second.getStringValue(), std::optional<std::string>("Half"));
  second.setStringValue("Off");
  EXPECT_EQ(engine->getStringValue("FoldMode"), std::optional<std::string>("Half"));
  const std::size_t before = engine->validationCount();
  NotifyUnit::postNotificationName("FoldMode");
  EXPECT_EQ(engine->validationCount(), before + 1);

  engine->removeControl(finisher.childControls()[0]);
  EXPECT_EQ(engine->getControlsDictionary().primary("FoldMode"), &second);
  engine->removeControl(&second);
  NotifyUnit::postNotificationName("FoldMode");
  EXPECT_EQ(engine->validationCount(), before + 1);

  finisher.removeFromSuperview().reset();  // destroyed, its registered child with it
  EXPECT_TRUE(engine->getControlsDictionary().empty());
}

TEST_F(RegistryTest, UnknownKeywordsAreIgnoredAndAllValuesReportUnsupportedValuesAndEmptyTexts) {
  add(duplexDescription());
  engine->setStringValue("Nothing", "x");
  engine->updateOldValue("Nothing");
  EXPECT_EQ(engine->conflictInfo("Nothing", "x"), std::nullopt);
  EXPECT_TRUE(engine->validateBeforeChange("Nothing", "x", std::nullopt));
  EXPECT_EQ(engine->setStringValueWithRestoreConfliction("Nothing", "x"), std::nullopt);
  const std::size_t before = engine->validationCount();
  change("Nothing", "x");
  EXPECT_EQ(engine->validationCount(), before);
  EXPECT_EQ(engine->getAllValueDictionary(), (Dict{{"Duplex", "Off"}}));

  add(popupDescription("OutputTray", "Tray", {{"Top", "Top"}, {"Side", "Side"}}, "Top"));
  add(textDescription("JobName", "Job Name", "Report"));
  engine->setStringValue("OutputTray", "Stacker9");  // no item has it
  engine->setStringValue("JobName", "");
  const PrintOption values = engine->getAllValueDictionary();
  EXPECT_EQ(values.keys(), (std::vector<std::string>{"Duplex", "OutputTray", "JobName"}));
  EXPECT_EQ(values, (Dict{{"Duplex", "Off"}, {"OutputTray", "Stacker9"}, {"JobName", ""}}));
}

class BackupTest : public KORAMgrTest {
 protected:
  BackupTest() { tzset(); }
  ~BackupTest() override { timezone.reset(), tzset(); }
  std::unique_ptr<ScopedEnvironment> timezone = std::make_unique<ScopedEnvironment>("TZ", "UTC");
};

TEST_F(BackupTest, BackupsAreNamedByTheTimeAndRestoredOnce) {
  engine->setClock([] { return std::chrono::system_clock::from_time_t(1709967900); });
  const KORAUI& duplex = add(duplexDescription());
  add(textDescription("JobName", "Job Name", "Report"));

  const std::string name = engine->backupSettings();
  EXPECT_EQ(name, "2024-03-09T07:05:00");
  EXPECT_EQ(engine->backups().get(name), Value(Dict{{"Duplex", "Off"}, {"JobName", "Report"}}));

  change("Duplex", "On");
  const std::string second = engine->backupSettings();
  EXPECT_EQ(second, "2024-03-09T07:05:00-2");

  NotificationRecorder recorder({"Duplex", "JobName", "ValueChangFinished_Duplex"});
  EXPECT_TRUE(engine->restoreSettings(name));
  EXPECT_EQ(value("Duplex"), "Off");
  EXPECT_EQ(duplex.getOldValue(), "Off");  // a change refused later goes back to the restored value
  EXPECT_THAT(recorder.names(), IsEmpty());  // no validation, no announcement
  EXPECT_FALSE(engine->restoreSettings(name));
  EXPECT_FALSE(engine->isCollectiveChange());
  EXPECT_EQ(engine->backups().keys(), std::vector<std::string>{second});
}

using CollectiveTest = KORAMgrTest;

TEST_F(CollectiveTest, SettingsAreAllSetThenValidatedInTheirOrder) {
  const Dict check{{"mainKeyword", "Collate"}, {"control_type", "CheckBox"}, {"text", "Collate"}, {"default", "False"},
                   {"choices", choices({{"True", "Collated"}, {"False", "Uncollated"}})}};
  NotificationRecorder recorder(
      {"ValueChangFinished_Collate", "ValueChangFinished_Duplex", "ValueChangFinished_JobName"});
  add(check);
  Dict duplex = duplexDescription();
  duplex.set("cooperation", Dict{{"On", Dict{{"JobName", "From Duplex"}}}});
  add(duplex);
  add(textDescription("JobName", "Job Name", "Report"));
  recorder.clear();

  engine->setSettings(Dict{{"Duplex", "On"}, {"Collate", true}, {"JobName", "Mine"}, {"Bad", Array{}}});
  EXPECT_EQ(value("Collate") + " " + value("JobName"), "True From Duplex");
  EXPECT_THAT(recorder.names(),
              ElementsAre("ValueChangFinished_JobName", "ValueChangFinished_Duplex", "ValueChangFinished_Collate"));
  for (const auto& entry : recorder.posted) EXPECT_EQ(entry.userInfo.get("isCollectiveChange"), Value("True"));
  engine->setSettings(Dict{{"Collate", false}});
  EXPECT_EQ(value("Collate"), "False");
}

TEST_F(CollectiveTest, DefaultsAreSetAndValidatedCollectively) {
  KORAUI& trim = add(textDescription("TrimWidth", "Trim", "12"));
  Dict duplex = duplexDescription();
  duplex.set("condition", Dict{{"Off", Dict{{"TrimWidth", false}}}, {"On", Dict{{"TrimWidth", true}}}});
  add(duplex);
  change("Duplex", "On");
  engine->setStringValue("TrimWidth", "30");
  engine->updateOldValue("TrimWidth");
  ASSERT_TRUE(trim.isEnabled());

  NotificationRecorder recorder({"ValueChangFinished_TrimWidth", "ValueChangFinished_Duplex"});
  engine->setDefaults();
  EXPECT_EQ(value("TrimWidth") + value("Duplex"), "12Off");
  EXPECT_FALSE(trim.isEnabled());
  EXPECT_THAT(recorder.names(), ElementsAre("ValueChangFinished_TrimWidth", "ValueChangFinished_Duplex"));
  EXPECT_EQ(recorder.posted.back().userInfo.get("isCollectiveChange"), Value("True"));
}

}  // namespace
}  // namespace orval
