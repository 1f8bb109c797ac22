#include "platform/print/printer.h"

#include <gtest/gtest.h>

#include "platform/print/print_session.h"
#include "platform/print/ticket.h"

namespace orval {
namespace {

TEST(PrinterTest, SendCommandRecordsEveryCommandInOrder) {
  Printer printer("queue", "socket://192.0.2.1:9100");
  EXPECT_EQ(printer.sendCommand("ReportLevels", "TrayList"), 0);
  EXPECT_EQ(printer.sendCommand("ReportLevels", "ProfileList"), 0);
  EXPECT_EQ(printer.sentCommands(),
            (std::vector<PrinterCommand>{{"ReportLevels", "TrayList"}, {"ReportLevels", "ProfileList"}}));
  printer.clearSentCommands();
  EXPECT_TRUE(printer.sentCommands().empty());
}

TEST(PrinterTest, TheCommandHandlerActsOnEachCommandAndGivesTheStatus) {
  Printer printer("queue");
  std::vector<std::string> delivered;
  printer.setCommandHandler([&](const PrinterCommand& c) {
    delivered.push_back(c.command + "/" + c.jobTitle);
    // A handler may send on; the first command stays intact.
    if (c.jobTitle == "first") printer.sendCommand("Follow", "up");
    return c.jobTitle == "bad" ? -1 : 0;
  });
  EXPECT_EQ(printer.sendCommand("ReportLevels", "first"), 0);
  EXPECT_EQ(printer.sendCommand("ReportLevels", "bad"), -1);
  EXPECT_EQ(delivered, (std::vector<std::string>{"ReportLevels/first", "Follow/up", "ReportLevels/bad"}));
  EXPECT_EQ(printer.sentCommands().size(), 3u);

  printer.setCommandHandler({});
  EXPECT_EQ(printer.sendCommand("ReportLevels", "bad"), 0);
  EXPECT_EQ(delivered.size(), 3u);
}

TEST(PrinterTest, DeviceAddressAndSessionPrinter) {
  PrintSession session;
  EXPECT_EQ(session.currentPrinter(), nullptr);
  session.setCurrentPrinter(std::make_unique<Printer>("queue"));
  ASSERT_NE(session.currentPrinter(), nullptr);
  Printer& printer = *session.currentPrinter();
  EXPECT_EQ(printer.name(), "queue");
  EXPECT_EQ(printer.deviceURI(), std::nullopt);
  printer.setDeviceURI("lpd://v1.fe80::1+en0/queue");
  EXPECT_EQ(printer.deviceURI(), "lpd://v1.fe80::1+en0/queue");
  printer.setDeviceURI(std::nullopt);
  EXPECT_EQ(printer.deviceURI(), std::nullopt);
}

TEST(TicketTest, StringsAndIntegersAreKeptApart) {
  Ticket ticket;
  ticket.setString("JobName", "report", "org.orval.panel");
  ticket.setSInt32("Copies", 3);
  EXPECT_EQ(ticket.getString("JobName"), "report");
  EXPECT_EQ(ticket.getSInt32("Copies"), 3);
  EXPECT_EQ(ticket.getSInt32("JobName"), std::nullopt);
  EXPECT_EQ(ticket.getString("Copies"), std::nullopt);
  EXPECT_EQ(ticket.getString("absent"), std::nullopt);
  EXPECT_EQ(ticket.clientOf("JobName"), "org.orval.panel");
  ticket.setString("JobName", "other", "org.orval.second");
  EXPECT_EQ(ticket.getString("JobName"), "other");
  EXPECT_EQ(ticket.clientOf("JobName"), "org.orval.second");
}

}  // namespace
}  // namespace orval
