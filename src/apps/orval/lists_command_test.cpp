// `orval lists show` and `orval lists publish`, run in this process.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "apps/orval/cli_test_support.h"
#include "panel/server_list_channel.h"
#include "platform/foundation/file_manager.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/foundation/unreadable_files_test_support.h"
#include "platform/print/printer_description.h"

namespace orval::cli {
namespace {

namespace fs = std::filesystem;
using testing::runOrval;

class ListsCommandTest : public ::testing::Test {
 protected:
  fs::path writeList(const std::string& name, const Value& list) {
    const fs::path path = folder / (name + ".plist");
    EXPECT_TRUE(writePlistFile(path, list));
    return path;
  }

  const foundation_testing::TemporaryFolder scratch;
  const fs::path folder = scratch.path();
  const std::string source = (fs::path(ORVAL_BUNDLE_DIR) / "Contents/Resources/TZPrintServer.ppd").string();
};

TEST_F(ListsCommandTest, PublishThenShowGivesTheListsBack) {
  const Value fonts = Array{Value(Dict{{"name", "Ryumin-Light"}, {"type", "OpenType"}}),
                            Value(Dict{{"name", "Helvetica, Bold"}, {"type", "Type1"}})};
  const Value calibrations = Dict{{"Default", Array{Value("cal-1"), Value("cal-2")}}};
  const fs::path out = folder / "published.ppd";
  testing::RunResult result =
      runOrval({"lists", "publish", "--ppd", source, "--out", out.string(), "--json",
                "Font=" + writeList("fonts", fonts).string(),
                "CalibFile=" + writeList("calib", calibrations).string()});
  ASSERT_EQ(result.status, 0) << result.err;
  const nlohmann::json published = nlohmann::json::parse(result.out);
  EXPECT_EQ(published["lists"], nlohmann::json::array({"Font", "CalibFile"}));

  result = runOrval({"lists", "show", "Font", "--ppd", out.string()});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(plistFromBytes(result.out), fonts);
  result = runOrval({"lists", "show", "CalibFile", "--ppd", out.string(), "--json"});
  ASSERT_EQ(result.status, 0) << result.err;
  const nlohmann::json shown = nlohmann::json::parse(result.out);
  EXPECT_EQ(shown["name"], "CalibFile");
  EXPECT_EQ(shown["list"], nlohmann::json({{"Default", {"cal-1", "cal-2"}}}));

  // As an XML property list over the earlier one, told in words.
  const Value fewer = Array{Value(Dict{{"name", "Gothic"}})};
  const fs::path again = folder / "again.ppd";
  result = runOrval({"lists", "publish", "--xml", "--ppd", out.string(), "--out", again.string(),
                     "Font=" + writeList("fewer", fewer).string()});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "Published 1 list into " + again.string() + ": Font\n");
  const std::unique_ptr<PrinterDescription> description = PrinterDescription::open(again);
  ASSERT_NE(description, nullptr);
  EXPECT_EQ(ppdxReadData(description->handle(), "Font").value_or("").rfind("<?xml", 0), 0u);
}

TEST_F(ListsCommandTest, BadInputIsRefusedAndTheOutputLeftAlone) {
  const fs::path out = folder / "out.ppd";
  ASSERT_TRUE(files::writeFileAtomically(out, "keep me"));
  const std::string fonts = "Font=" + writeList("fonts", Array{Value("A")}).string();
  const auto refused = [&](std::vector<std::string> args, const std::string& message) {
    EXPECT_THAT(runOrval(std::move(args)), testing::RefusedWith(message));
    EXPECT_EQ(foundation_testing::fileContents(out), "keep me") << message;
  };
  refused({"lists", "publish", "--ppd", source, "--out", out.string(), "Font"}, "NAME=FILE, not \"Font\"");
  refused({"lists", "publish", "--ppd", source, "--out", out.string(), fonts, fonts}, "\"Font\" is given twice");
  refused({"lists", "publish", "--ppd", source, "--out", out.string(), "Font=" + source}, "not a property list");
  // Each file is read as its kind (the file manager's tests read every kind of file it refuses).
  const fs::path huge = foundation_testing::sparseFile(folder / "huge", (std::uintmax_t{64} << 20) + 1);
  refused({"lists", "publish", "--ppd", source, "--out", out.string(), "Font=" + huge.string()},
          "it is larger than 16 MiB, more than any server list holds");
  refused({"lists", "publish", "--ppd", huge.string(), "--out", out.string(), fonts},
          "it is larger than 64 MiB, more than any printer description holds");

  EXPECT_THAT(runOrval({"lists", "show", "MediaCatalog", "--ppd", source}),
              testing::RefusedWith("has no server list \"MediaCatalog\""));
}

}  // namespace
}  // namespace orval::cli
