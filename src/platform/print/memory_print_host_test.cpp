#include "platform/print/memory_print_host.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/foundation/log.h"
#include "platform/print/recording_plugin_test_support.h"

namespace orval {
namespace {

const std::filesystem::path kTestPpd =
    std::filesystem::path(ORVAL_SOURCE_DIR) / "src/platform/print/testdata/test_printer.ppd";

class MemoryPrintHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("orval-host-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  static std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  std::filesystem::path folder_;
};

TEST_F(MemoryPrintHostTest, AnswersThePanelsCallback) {
  MemoryPrintHost host("queue");
  EXPECT_EQ(host.ppdFile(), nullptr);
  ASSERT_NE(host.printSession(), nullptr);
  ASSERT_NE(host.printSession()->currentPrinter(), nullptr);
  EXPECT_EQ(host.printSession()->currentPrinter()->name(), "queue");
  EXPECT_EQ(host.printSession()->currentPrinter()->deviceURI(), std::nullopt);
  host.setDeviceURI("socket://printserver.example:9100");
  EXPECT_EQ(host.printSession()->currentPrinter()->deviceURI(), "socket://printserver.example:9100");

  std::string error;
  ASSERT_TRUE(host.openPrinterDescription(kTestPpd, &error)) << error;
  ASSERT_NE(host.ppdFile(), nullptr);
  EXPECT_EQ(host.ppdFile(), host.printerDescription()->handle());

  // A failed open keeps the description in use.
  ppd_file_t* before = host.ppdFile();
  EXPECT_FALSE(host.openPrinterDescription(folder_ / "absent.ppd", &error));
  EXPECT_EQ(host.ppdFile(), before);

  // A session whose printer was taken away: nothing to give an address to.
  host.printSession()->setCurrentPrinter(nullptr);
  EXPECT_EQ(host.printer(), nullptr);
  host.setDeviceURI("socket://other:9100");
  EXPECT_EQ(host.printSession()->currentPrinter(), nullptr);
}

TEST_F(MemoryPrintHostTest, MarksChoicesForPanelsEvenWhenTheyConflict) {
  MemoryPrintHost host;
  ASSERT_TRUE(host.openPrinterDescription(kTestPpd));
  ASSERT_TRUE(host.respondsToWillChangePPDOptionKeyValue());
  host.willChangePPDOptionKeyValue("StapleMode", "TopLeft");
  host.willChangePPDOptionKeyValue("Duplex", "DuplexTumble");
  EXPECT_EQ(host.printerDescription()->markedChoice("StapleMode"), "TopLeft");
  EXPECT_EQ(host.printerDescription()->markedChoice("Duplex"), "DuplexTumble");

  LogCapture log;
  host.willChangePPDOptionKeyValue("Duplex", "Booklet");
  EXPECT_EQ(host.printerDescription()->markedChoice("Duplex"), "DuplexTumble");
  EXPECT_TRUE(log.contains("Booklet"));
}

TEST_F(MemoryPrintHostTest, AHostWithoutWillChangeRaisesLikeAnUnknownMessage) {
  MemoryPrintHost host;
  ASSERT_TRUE(host.openPrinterDescription(kTestPpd));
  host.setAnswersWillChangePPDOptionKeyValue(false);
  EXPECT_FALSE(host.respondsToWillChangePPDOptionKeyValue());
  PDEPluginCallback& callback = host;
  EXPECT_THROW(callback.willChangePPDOptionKeyValue("Duplex", "DuplexTumble"), PlatformException);
  EXPECT_EQ(host.printerDescription()->markedChoice("Duplex"), "None");
}

TEST_F(MemoryPrintHostTest, TheTicketFileKeepsSettingsAndMarkedChoices) {
  const auto ticket = folder_ / "job.ticket";
  {
    MemoryPrintHost host;
    ASSERT_TRUE(host.openPrinterDescription(kTestPpd));
    host.printSettings()->setValue("jp.co.quillant.print.PrintSettingsTicket.JobName", "a%x2Cb");
    host.printSettings()->setDuplex(DuplexMode::Tumble);
    host.printSettings()->setCollate(false);
    host.willChangePPDOptionKeyValue("StapleMode", "DualLeft");
    std::string error;
    ASSERT_TRUE(host.saveTicketFile(ticket, false, &error)) << error;
  }
  // Loaded before the description is opened: the choices are marked when it is.
  MemoryPrintHost host;
  host.printSettings()->setValue("stale", 1);
  std::string error;
  ASSERT_EQ(host.loadTicketFile(ticket, &error), TicketFile::Status::Loaded) << error;
  EXPECT_EQ(host.printSettings()->values().keys(),
            (std::vector<std::string>{"jp.co.quillant.print.PrintSettingsTicket.JobName",
                                      std::string(PrintSettings::kDuplexKey),
                                      std::string(PrintSettings::kCollateKey)}));
  EXPECT_EQ(host.printSettings()->duplex(), DuplexMode::Tumble);
  EXPECT_FALSE(host.printSettings()->collate());
  ASSERT_TRUE(host.openPrinterDescription(kTestPpd));
  EXPECT_EQ(host.printerDescription()->markedChoice("StapleMode"), "DualLeft");
  EXPECT_EQ(host.printerDescription()->markedChoice("Duplex"), "None");

  // Loaded with the description open: earlier marking is undone first.
  host.willChangePPDOptionKeyValue("Duplex", "DuplexNoTumble");
  host.willChangePPDOptionKeyValue("StapleMode", "TopLeft");
  ASSERT_EQ(host.loadTicketFile(ticket), TicketFile::Status::Loaded);
  EXPECT_EQ(host.printerDescription()->markedChoice("StapleMode"), "DualLeft");
  EXPECT_EQ(host.printerDescription()->markedChoice("Duplex"), "None");
}

TEST_F(MemoryPrintHostTest, ADamagedTicketLeavesEmptySettingsAndIsKept) {
  const auto ticket = folder_ / "job.ticket";
  const std::string damaged = "<?xml version=\"1.0\"?><plist><dict><key>PrintSettings";
  std::ofstream(ticket, std::ios::binary) << damaged;

  MemoryPrintHost host;
  ASSERT_TRUE(host.openPrinterDescription(kTestPpd));
  host.willChangePPDOptionKeyValue("StapleMode", "TopLeft");
  host.printSettings()->setValue("JobName", "before");
  LogCapture log;
  std::string error;
  EXPECT_EQ(host.loadTicketFile(ticket, &error), TicketFile::Status::Damaged);
  EXPECT_NE(error.find("damaged"), std::string::npos) << error;
  EXPECT_TRUE(log.contains("job.ticket"));
  EXPECT_TRUE(host.printSettings()->values().empty());
  EXPECT_EQ(host.printerDescription()->markedChoice("StapleMode"), "None");

  host.printSettings()->setValue("JobName", "after");
  EXPECT_FALSE(host.saveTicketFile(ticket, false, &error));
  EXPECT_EQ(contents(ticket), damaged);
  ASSERT_TRUE(host.saveTicketFile(ticket, true, &error)) << error;
  ASSERT_EQ(host.loadTicketFile(ticket), TicketFile::Status::Loaded);
  EXPECT_EQ(*host.printSettings()->value("JobName"), Value("after"));
}

TEST_F(MemoryPrintHostTest, AMissingTicketIsAFreshJob) {
  MemoryPrintHost host;
  host.printSettings()->setValue("JobName", "before");
  std::string error;
  EXPECT_EQ(host.loadTicketFile(folder_ / "new.ticket", &error), TicketFile::Status::Missing);
  EXPECT_TRUE(error.empty());
  EXPECT_TRUE(host.printSettings()->values().empty());
}

TEST_F(MemoryPrintHostTest, ChangesMadeByTheDialogReachThePanelsThatListTheKey) {
  auto journal = std::make_shared<testing::Journal>();
  MemoryPrintHost host;
  ASSERT_TRUE(host.openPrinterDescription(kTestPpd));
  std::string error;
  ASSERT_TRUE(host.panels().loadPlugIn(
      std::make_unique<testing::RecordingPlugIn>(std::vector<std::string>{"Main"}, journal), nullptr, &error))
      << error;
  auto& panel = static_cast<testing::RecordingPanel&>(*host.panels().panels().front());
  EXPECT_EQ(panel.callback(), &host);
  panel.supportedKeys = Array{"Duplex"};
  journal->clear();

  EXPECT_TRUE(host.changePPDOption("Duplex", "DuplexNoTumble"));
  EXPECT_EQ(host.printerDescription()->markedChoice("Duplex"), "DuplexNoTumble");
  EXPECT_FALSE(host.changePPDOption("Duplex", "Booklet"));
  EXPECT_TRUE(host.changePPDOption("StapleMode", "TopLeft"));
  EXPECT_EQ(*journal, (testing::Journal{"Main.didChange Duplex=DuplexNoTumble"}));

  // The panels may hold the description's handle: it cannot change under them.
  ppd_file_t* handle = host.ppdFile();
  EXPECT_FALSE(host.openPrinterDescription(kTestPpd, &error));
  EXPECT_NE(error.find("panels"), std::string::npos) << error;
  EXPECT_EQ(host.ppdFile(), handle);
  host.panels().unloadPlugIn();
  EXPECT_TRUE(host.openPrinterDescription(kTestPpd, &error)) << error;
}

}  // namespace
}  // namespace orval
