#include "platform/print/printer.h"

#include <gtest/gtest.h>

#include "platform/print/ticket.h"

namespace orval {
namespace {

TEST(PrinterTest, CommandsAreRecordedAndHandled) {
  Printer printer("queue", "socket://192.0.2.1:9100");
  std::vector<std::string> delivered;
  printer.setCommandHandler([&](const PrinterCommand& c) {
    delivered.push_back(c.command + "/" + c.jobTitle);
    if (c.jobTitle == "first") printer.sendCommand("Follow", "up");  // a handler may send on
    return c.jobTitle == "bad" ? -1 : 0;
  });
  EXPECT_EQ(printer.sendCommand("ReportLevels", "first"), 0);
  EXPECT_EQ(printer.sendCommand("ReportLevels", "bad"), -1);
  EXPECT_EQ(delivered, (std::vector<std::string>{"ReportLevels/first", "Follow/up", "ReportLevels/bad"}));
  EXPECT_EQ(printer.sentCommands(), (std::vector<PrinterCommand>{{"ReportLevels", "first"}, {"Follow", "up"},
                                                                 {"ReportLevels", "bad"}}));
}

TEST(TicketTest, StringsAndIntegersAreKeptApart) {
  Ticket ticket;
  ticket.setString("JobName", "report", "org.orval.panel");
  ticket.setSInt32("Copies", 3);
  EXPECT_EQ(std::tuple(ticket.getSInt32("Copies"), ticket.getSInt32("JobName"), ticket.getString("Copies")),
            std::tuple(3, std::nullopt, std::nullopt));
  ticket.setString("JobName", "other", "org.orval.second");
  EXPECT_EQ(ticket.getString("JobName"), "other");
  EXPECT_EQ(ticket.clientOf("JobName"), "org.orval.second");
}

}  // namespace
}  // namespace orval
