#include "platform/print/cups_job_options.h"

#include "platform/print/cups_connection.h"

#include <gtest/gtest.h>

namespace orval {
namespace {

const std::filesystem::path kTestPpd =
    std::filesystem::path(ORVAL_SOURCE_DIR) / "src/platform/print/testdata/test_printer.ppd";
const std::string kPrivate = "jp.co.quillant.print.PrintSettingsTicket.";

TEST(CupsJobOptionsTest, CarriesSettingsMarkedChoicesAndThePrintSystemsOwn) {
  std::unique_ptr<PrinterDescription> ppd = PrinterDescription::open(kTestPpd);
  ASSERT_TRUE(ppd);
  ASSERT_TRUE(ppd->markOption("StapleMode", "TopLeft"));
  PrintSettings settings;
  settings.setValue(kPrivate + "JobName", Value("a b%x2C \"q\" \t ü {x}"));
  settings.setValue(kPrivate + "Flag", Value(true));
  settings.setValue("StapleMode", Value("None"));  // the marked choice wins
  settings.setCopies(3);
  settings.setCollate(false);
  settings.setDuplex(DuplexMode::Tumble);

  const std::optional<CupsJobOptions> options = CupsJobOptions::make(settings, ppd.get());
  ASSERT_TRUE(options);
  EXPECT_EQ(options->list(), (std::vector<std::pair<std::string, std::string>>{
                                {"collate", "false"}, {"copies", "3"}, {"Duplex", "None"}, {kPrivate + "Flag", "True"},
                                {kPrivate + "JobName", "a b%x2C \"q\" \t ü {x}"}, {"PagePrintOnCenter", "False"},
                                {"PageSize", "A4"}, {"sides", "two-sided-short-edge"}, {"StapleMode", "TopLeft"}}));
  EXPECT_EQ(options->value("sides"), "two-sided-short-edge");
  EXPECT_FALSE(options->value(std::string(PrintSettings::kCopiesKey)));

  // In the request, values stay bytes: no boolean, number or collection is guessed from them.
  ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
  options->encode(request);
  for (const auto& [name, tag] : std::vector<std::pair<std::string, ipp_tag_t>>{
           {kPrivate + "Flag", IPP_TAG_STRING}, {"copies", IPP_TAG_INTEGER}, {"sides", IPP_TAG_KEYWORD}}) {
    ipp_attribute_t* attribute = ippFindAttribute(request, name.c_str(), IPP_TAG_ZERO);
    ASSERT_NE(attribute, nullptr) << name;
    EXPECT_EQ(ippGetValueTag(attribute), tag) << name;
  }
  ippDelete(request);
}

TEST(CupsJobOptionsTest, RefusesWhatCannotTravelUnchanged) {
  const std::string longest(kCupsOptionMaxValueBytes, 'A');
  struct Case {
    std::string key;
    Value value;
    std::string problem;  // empty: accepted
  } cases[] = {
      {kPrivate + "Password", Value("ENC1:" + longest.substr(5)), ""},
      {kPrivate + "Password", Value(longest + "A"), "1024 bytes long"},
      {kPrivate + "Note", Value("two\nlines\t\x01"), ""},
      {kPrivate + "Note", Value(std::string("a\0b", 3)), "zero byte"},
      {"Bad Key", Value("x"), "printable ASCII"},
      {"Key=x", Value("x"), "printable ASCII"},
      {kPrivate + "List", Value(Array{Value("x")}), "list or data"},
  };
  for (const Case& c : cases) {
    PrintSettings settings;
    settings.setValue(c.key, c.value);
    std::string error;
    const bool made = CupsJobOptions::make(settings, nullptr, &error).has_value();
    EXPECT_EQ(made, c.problem.empty()) << c.key;
    EXPECT_NE(error.find(c.problem), std::string::npos) << c.key << ": " << error;
  }
}

// A title the scheduler would refuse, with the job, becomes one it takes: libcups's own check
// (the scheduler's) passes on each.
TEST(CupsJobOptionsTest, JobTitlesAreCutAndMadeValidForTheScheduler) {
  std::string kana;
  for (int i = 0; i < 200; ++i) kana += "\xE3\x81\x82";
  const std::pair<std::string, std::string> rows[] = {
      {"Q3 report.pdf", "Q3 report.pdf"},
      {kana, kana.substr(0, 255)},                                        // 85 whole characters
      {std::string(254, 'a') + "\xE3\x81\x82", std::string(254, 'a')},    // not cut inside one
      {"caf\xE9.pdf", "caf\xEF\xBF\xBD.pdf"},                            // Latin-1 from another disk
      {"a\tb\x01", "a b "},
  };
  for (const auto& [title, sent] : rows) {
    EXPECT_EQ(cupsJobTitle(title), sent) << title;
    ipp_t* request = ippNew();
    ipp_attribute_t* name =
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, cupsJobTitle(title).c_str());
    EXPECT_TRUE(ippValidateAttribute(name)) << title << ": " << cupsLastErrorString();
    ippDelete(request);
  }
}

TEST(CupsConnectionTest, ParsesServerAddresses) {
  struct Case {
    std::string text;
    std::optional<CupsServerAddress> address;
  } cases[] = {
      {"print.example", CupsServerAddress{"print.example", 631}},
      {"[fe80::1]:632", CupsServerAddress{"[fe80::1]", 632}},
      {"fe80::1", CupsServerAddress{"fe80::1", 631}},
      {"/run/cups/cups.sock", CupsServerAddress{"/run/cups/cups.sock", 0}},
      {"print.example:99999", std::nullopt},
      {"[fe80::1", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(parseCupsServer(c.text, 631), c.address) << c.text;
}

}  // namespace
}  // namespace orval
