#include <gmock/gmock.h>

#include "platform/foundation/log.h"
#include "settings_ui/kora_mgr_test_support.h"

namespace orval {
namespace {

using ::testing::ElementsAre;
using namespace testing_support;

// An On/Off pop-up with the given tables.
Dict onOff(const std::string& keyword, const std::string& defaultValue, const Dict& tables = {}) {
  Dict d = popupDescription(keyword, keyword, {{"Off", keyword + " off"}, {"On", keyword + " on"}}, defaultValue);
  d.merge(tables);
  return d;
}

// A table that maps Off and On to one target with the given entries.
Dict byValue(const std::string& target, const Value& whenOff, const Value& whenOn) {
  return Dict{{"Off", Dict{{target, whenOff}}}, {"On", Dict{{target, whenOn}}}};
}

using TablesTest = KORAMgrTest;

// Each source's condition disables Target, each one's logical sum enables Summed, under the source's
// name (how the names combine is the control's own rule).
TEST_F(TablesTest, ConditionsAndLogicalSumsReachTheirTargetsUnderTheSourcesName) {
  KORAUI& target = add(onOff("Target", "Off"));
  KORAUI& summed = add(onOff("Summed", "On"));
  for (const char* source : {"Source1", "Source2"})
    add(onOff(source, "Off", Dict{{"condition", byValue("Target", false, true)},
                                  {"logical_sum_condition", byValue("Summed", false, true)}}));
  EXPECT_FALSE(target.isEnabled() || summed.isEnabled());
  change("Source1", "On");
  EXPECT_THAT(target.theNameOfDisabledKey(), ElementsAre("Source2"));
  EXPECT_THAT(summed.theNameOfEnabledKey(), ElementsAre("Source1"));
}

TEST_F(TablesTest, DisablingCascadesDownAChainUnlessTheSourceSpreads) {
  KORAUI& c = add(onOff("C", "Off"));
  add(onOff("B", "On", Dict{{"condition", byValue("C", true, true)}}));
  add(onOff("A", "On", Dict{{"condition", byValue("B", false, true)}}));
  NotificationRecorder recorder({"B", "C"});
  change("A", "Off");
  EXPECT_FALSE(c.isEnabled());  // B is disabled, so its "true" entry disables C
  EXPECT_THAT(recorder.names(), ElementsAre("B"));

  KORAMgrTest::engine = std::make_unique<KORAMgr>();
  KORAUI& c2 = add(onOff("C2", "Off"));
  Dict spreading = onOff("B2", "On", Dict{{"condition", byValue("C2", true, true)}});
  spreading.set("isEnableSpread", true);
  KORAUI& b2 = add(spreading);
  add(onOff("A2", "On", Dict{{"condition", byValue("B2", false, true)}}));
  change("A2", "Off");
  EXPECT_FALSE(b2.isEnabled());
  EXPECT_TRUE(c2.isEnabled());
}

TEST_F(TablesTest, ConditionsWithPerItemEntriesEnableChoicesOfAPopup) {
  KORAUI& fold = add(popupDescription("Fold", "Fold", {{"Off", "No Fold"}, {"Half", "Half"}, {"Z", "Z-Fold"}}, "Half"));
  const Dict onlyFlat{{"Off", true}, {"Half", false}, {"Z", false}};
  const Dict every{{"Off", true}, {"Half", true}, {"Z", true}};
  add(onOff("Finisher", "On", Dict{{"condition", byValue("Fold", onlyFlat, every)}}));
  change("Finisher", "Off");  // how a disabled selection moves is the control's own rule
  EXPECT_FALSE(fold.popupButton()->itemAtIndex(1)->isEnabled());
  EXPECT_TRUE(fold.isEnabled());
}

TEST_F(TablesTest, TouchedKeywordsAreAnnouncedInTheirOrder) {
  NotificationRecorder recorder;  // registered first: it hears each post before the engine validates
  for (const std::string keyword : {"Sum", "Cond", "Hidden", "Coop", "Restored", "RestoredCoop"}) {
    if (keyword == "Restored")  // a restored keyword's cooperation runs with it
      add(onOff(keyword, "Off", Dict{{"cooperation", byValue("RestoredCoop", "Off", "On")}}));
    else
      add(onOff(keyword, "Off"));
  }
  add(onOff("Other", "On"));
  const Dict restoreRestored{{"restore", Dict{{"Restored", "On"}}}};
  add(onOff("Source", "Off",
            Dict{{"logical_sum_condition", byValue("Sum", true, true)},
                 {"condition", byValue("Cond", true, true)},
                 {"hide", byValue("Hidden", false, false)},
                 {"cooperation", byValue("Coop", "Off", "On")},
                 {"conflict", Dict{{"On", Dict{{"Other", Dict{{"On", restoreRestored}}}}}}}}));
  recorder.clear();

  person->answerAlert("Yes");
  change("Source", "On");
  EXPECT_THAT(recorder.names(),
              ElementsAre("Source", "Restored", "RestoredCoop", "ValueChangFinished_RestoredCoop",
                          "ValueChangFinished_Restored", "RestoredCoop", "Sum", "Cond", "Hidden", "Coop",
                          "ValueChangFinished_Coop", "ValueChangFinished_Source"));
}

TEST_F(TablesTest, AnUnchangedControlOnlyRerunsItsConditions) {
  KORAUI& target = add(onOff("Target", "On"));
  add(onOff("Coop", "Off"));
  add(onOff("Source", "Off",
            Dict{{"condition", byValue("Target", false, true)}, {"cooperation", byValue("Coop", "On", "Off")}}));
  engine->setStringValue("Coop", "Off");
  target.setEnabled(true, "Source");
  ASSERT_TRUE(target.isEnabled());

  NotificationRecorder recorder({"ValueChangFinished_Source", "Target", "Coop"});
  NotifyUnit::postNotificationName("Source");
  EXPECT_FALSE(target.isEnabled());  // the condition ran again
  EXPECT_EQ(value("Coop"), "Off");   // the cooperation did not
  EXPECT_THAT(recorder.names(), ElementsAre("Target"));
}

TEST_F(TablesTest, CyclicTablesEndAndSayWhere) {
  NotificationRecorder recorder({"A", "B", "ValueChangFinished_A", "ValueChangFinished_B"});
  add(onOff("A", "Off", Dict{{"condition", byValue("B", true, true)}, {"cooperation", byValue("B", "Off", "On")}}));
  add(onOff("B", "Off", Dict{{"condition", byValue("A", true, true)}, {"cooperation", byValue("A", "Off", "On")}}));
  KORAUI& self = add(onOff("Self", "Off", Dict{{"hide", byValue("Self", false, false)}}));
  recorder.clear();

  LogCapture log;
  change("A", "On");
  EXPECT_EQ(value("B"), "On");
  EXPECT_THAT(recorder.names(),
              ElementsAre("A", "B", "A", "A", "ValueChangFinished_B", "B", "A", "ValueChangFinished_A"));
  EXPECT_TRUE(log.contains("###KORAMgr: A was announced again inside its own validation"));
  EXPECT_FALSE(log.contains("###KORAMgr: B was announced again"));

  change("Self", "On");
  EXPECT_FALSE(self.isHidden());
  EXPECT_TRUE(log.contains("###KORAMgr: Self was announced again"));
}

// Conflicts answered Yes whose restores lead back to the keyword that started the chain with
// another value: that value is validated too, one inside the other, with its conditions.
TEST_F(TablesTest, AValueAChainOfConflictsBringsBackIsValidatedInside) {
  Dict tray = popupDescription("OutputTray", "Tray", {{"Auto", "Auto"}, {"Stacker", "Stacker"}}, "Auto");
  tray.set("conflict", Dict{{"__ALL__", Dict{{"Offset", Dict{{"Job", Dict{{"restore", "None"}}}}}}}});
  Dict offset = popupDescription("Offset", "Offset", {{"None", "Off"}, {"Job", "By job"}}, "None");
  offset.set("conflict", Dict{{"Job", Dict{{"OutputTray", Dict{{"Auto", Dict{{"restore", "Stacker"}}}}}}}});
  offset.set("condition", Dict{{"None", Dict{{"Center", true}}}, {"Job", Dict{{"Center", false}}}});
  add(tray);
  KORAUI& offsetControl = add(offset);
  KORAUI& center = add(onOff("Center", "Off"));
  person->answerAlert("Yes");
  person->answerAlert("Yes");
  LogCapture log;
  change("Offset", "Job");
  EXPECT_EQ(value("Offset") + " " + value("OutputTray"), "None Stacker");
  EXPECT_EQ(offsetControl.getOldValue(), "None");
  EXPECT_TRUE(center.isEnabled());
  EXPECT_FALSE(log.contains("announced again"));
}

}  // namespace
}  // namespace orval
