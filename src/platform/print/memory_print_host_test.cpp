#include "platform/print/memory_print_host.h"

#include <gtest/gtest.h>

#include "platform/foundation/log.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/print/recording_plugin_test_support.h"

namespace orval {
namespace {

const std::filesystem::path kTestPpd =
    std::filesystem::path(ORVAL_SOURCE_DIR) / "src/platform/print/testdata/test_printer.ppd";

class MemoryPrintHostTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.openPrinterDescription(kTestPpd)); }
  std::string marked(const std::string& keyword) {
    return host.printerDescription()->markedChoice(keyword).value_or("-");
  }

  foundation_testing::TemporaryFolder folder;
  std::filesystem::path ticket = folder.path() / "job.ticket";
  MemoryPrintHost host;
};

TEST_F(MemoryPrintHostTest, MarksChoicesForPanelsAndLogsThoseItLacks) {
  host.willChangePPDOptionKeyValue("Duplex", "DuplexTumble");
  LogCapture log;
  host.willChangePPDOptionKeyValue("Duplex", "Booklet");
  EXPECT_EQ(marked("Duplex"), "DuplexTumble");
  EXPECT_TRUE(log.contains("Booklet"));

  // A host without it raises as the platform does for an unknown message.
  host.setAnswersWillChangePPDOptionKeyValue(false);
  PDEPluginCallback& callback = host;
  EXPECT_THROW(callback.willChangePPDOptionKeyValue("Duplex", "None"), PlatformException);
  EXPECT_EQ(marked("Duplex"), "DuplexTumble");
}

TEST_F(MemoryPrintHostTest, TheTicketFileKeepsSettingsAndMarkedChoices) {
  host.printSettings()->setValue("JobName", "a%x2Cb");
  host.printSettings()->setDuplex(DuplexMode::Tumble);
  host.willChangePPDOptionKeyValue("StapleMode", "DualLeft");
  std::string error;
  ASSERT_TRUE(host.saveTicketFile(ticket, false, &error)) << error;

  // Loaded before the description is opened: the choices are marked when it is.
  MemoryPrintHost other;
  other.printSettings()->setValue("stale", 1);
  ASSERT_EQ(other.loadTicketFile(ticket, &error), TicketFile::Status::Loaded) << error;
  EXPECT_EQ(other.printSettings()->values().keys(),
            (std::vector<std::string>{"JobName", std::string(PrintSettings::kDuplexKey)}));
  ASSERT_TRUE(other.openPrinterDescription(kTestPpd));
  EXPECT_EQ(other.printerDescription()->markedChoice("StapleMode"), "DualLeft");

  // Loaded with the description open: earlier marking is undone first.
  host.willChangePPDOptionKeyValue("Duplex", "DuplexNoTumble");
  host.willChangePPDOptionKeyValue("StapleMode", "TopLeft");
  ASSERT_EQ(host.loadTicketFile(ticket), TicketFile::Status::Loaded);
  EXPECT_EQ(marked("StapleMode") + " " + marked("Duplex"), "DualLeft None");
  // A damaged ticket (the ticket file's own tests say which are) is logged and loads as empty settings.
  folder.write("damaged.ticket", "<?xml version=\"1.0\"?><plist><dict><key>PrintSettings");
  LogCapture log;
  EXPECT_EQ(host.loadTicketFile(folder.path() / "damaged.ticket"), TicketFile::Status::Damaged);
  EXPECT_TRUE(log.contains("damaged.ticket"));
  EXPECT_FALSE(host.saveTicketFile(folder.path() / "damaged.ticket", false));  // kept, not replaced
  EXPECT_EQ(std::pair(host.printSettings()->values(), marked("StapleMode")), std::pair(Dict{}, std::string("None")));
}

TEST_F(MemoryPrintHostTest, ChangesMadeByTheDialogAreMarkedAndReachThePanels) {
  auto journal = std::make_shared<testing::Journal>();
  std::string error;
  ASSERT_TRUE(host.panels().loadPlugIn(
      std::make_unique<testing::RecordingPlugIn>(std::vector<std::string>{"Main"}, journal), nullptr, &error))
      << error;
  auto& panel = static_cast<testing::RecordingPanel&>(*host.panels().panels().front());
  panel.supportedKeys = Array{"Duplex"};
  journal->clear();
  EXPECT_TRUE(host.changePPDOption("Duplex", "DuplexNoTumble"));
  EXPECT_FALSE(host.changePPDOption("Duplex", "Booklet"));
  EXPECT_EQ(*journal, (testing::Journal{"Main.didChange Duplex=DuplexNoTumble"}));
  EXPECT_EQ(marked("Duplex"), "DuplexNoTumble");

  // The panels may hold the description's handle: it cannot change under them.
  EXPECT_FALSE(host.openPrinterDescription(kTestPpd, &error));
  EXPECT_NE(error.find("panels"), std::string::npos) << error;
  host.panels().unloadPlugIn();
  ppd_file_t* before = host.ppdFile();
  EXPECT_FALSE(host.openPrinterDescription(folder.path() / "absent.ppd"));
  EXPECT_EQ(host.ppdFile(), before);  // a failed open keeps the description in use
  EXPECT_TRUE(host.openPrinterDescription(kTestPpd, &error)) << error;
}

}  // namespace
}  // namespace orval
