#include "panel/server_list_channel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/server_list_test_support.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"

namespace orval {
namespace {

using namespace testing_support;

// A list of trays whose numbers vary enough that it does not compress to almost nothing.
Value feederList(int trays) {
  Array list;
  unsigned seed = 12345;
  for (int tray = 1; tray <= trays; ++tray) {
    seed = seed * 1103515245u + 12345u;
    list.push_back(Array{"Tray" + std::to_string(tray), std::to_string(seed)});
  }
  return list;
}

std::string listPpd(const std::string& lines) { return panelFixture("base.ppd") + lines; }
// The base description with chunks (raw bytes) as list name.
std::string listPpd(const std::string& name, const std::vector<std::string>& chunks) {
  return listPpd(chunkLines(name, base64Each(chunks)));
}

TEST(ServerListChannelTest, ChunkNamesAndAMissingDescription) {
  const std::string longest(36, 'N');  // with its four digits, the 40 characters of an attribute name
  EXPECT_EQ(serverListChunkName(longest, 0xFFFF), longest + "FFFF");
  EXPECT_EQ(serverListChunkName(longest + "N", 0), std::nullopt);
  EXPECT_EQ(serverListChunkName("FeederInfoList", 0x10000), std::nullopt);
  EXPECT_EQ(readServerList(nullptr, "FeederInfoList"), std::nullopt);
}

// Chunks that are not one whole stream: what each read gives, and what goes to stderr and into the log.
TEST(ServerListChannelTest, ChunksThatAreNotOneWholeStreamReadAsFarAsTheyGo) {
  const Value list = feederList(40);
  const std::string serialized = plistToXml(list);
  const std::string compressed = zlibCompress(serialized);
  ASSERT_GT(compressed.size(), 400u);
  const std::vector<std::string> values = base64Each(splitBytes(compressed, 100));
  std::vector<std::string> undecodable(values.begin(), values.begin() + 4);
  undecodable[2] = "****";  // no Base64 character at all
  std::vector<std::string> junk = splitBytes(compressed + "trailing junk", 100);
  junk.push_back("\x01\x02 more junk after the stream \xff");
  // 160 bytes in chunk 0000: cutting it to 159 would corrupt the stream silently.
  std::vector<std::string> oversized = {compressed.substr(0, 160)};
  for (const std::string& rest : splitBytes(compressed.substr(160), 159)) oversized.push_back(rest);
  // A zlib header with the preset-dictionary flag and a dictionary id, then data.
  const std::string needsDictionary = std::string("\x78\x20\x12\x34\x56\x78", 6) + zlibCompress("x").substr(2);
  const std::string text = "FeederInfoList: tray 1, tray 2 (not a property list)";
  const std::string notZlib = "ERROR: inflate returned -3 (incorrect header check)\n";
  const std::string noDictionary = "ERROR: inflate returned 2 ((null))\n";
  const auto lines = [](const std::vector<std::string>& chunks, unsigned first = 0) {
    return chunkLines("DeviceList", chunks, first);
  };
  struct Row {
    const char* what;
    std::string lines;
    std::optional<std::string> data;
    std::optional<Value> list;
    std::string errors;            // written to stderr by both reads
    const char* logged = nullptr;  // nullptr: nothing is logged
  };
  const Row rows[] = {
      {"an undecodable chunk ends the read", lines(undecodable), zlibInflate(compressed.substr(0, 200)), {}, "",
       "cannot read property list"},
      {"no chunk 0", lines(values, 1), std::nullopt, {}, ""},
      {"a gap ends the list", lines({values[0]}) + lines({values.begin() + 2, values.end()}, 2),
       zlibInflate(compressed.substr(0, 100)), {}, "", "cannot read property list"},
      // As cupsd leaves a queue's description after a "PPD: DeviceList0000=\"\"" line: chunk 0 replaced by an
      // empty value, the later chunks of the list published before it still there.
      {"an empty chunk 0", "*DeviceList0000: \n" + lines({values.begin() + 1, values.end()}, 1), "", {}, ""},
      {"bytes after the end of the stream", lines(base64Each(junk)), serialized, list, ""},
      {"no property list", lines(base64Each({zlibCompress(text)})), text, {}, "", "cannot read property list"},
      {"no zlib stream: every chunk is fed and refused",
       lines(base64Each({"this is not zlib data", "neither is this", "nor this"})), "", {},
       notZlib + notZlib + notZlib + notZlib + notZlib + notZlib},
      {"a preset dictionary ends the read", lines(base64Each({needsDictionary})), "", {}, noDictionary + noDictionary},
      {"a chunk larger than the channel allows", lines(base64Each(oversized)), "", {}, "", "DeviceList0000"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    PpdFromText ppd(listPpd(row.lines));
    ASSERT_NE(ppd.get(), nullptr);
    LogCapture log(LogCapture::Sinks::Silenced);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ppdxReadData(ppd.get(), "DeviceList"), row.data);
    EXPECT_EQ(readServerList(ppd.get(), "DeviceList"), row.list);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), row.errors);
    if (row.logged != nullptr) {
      EXPECT_TRUE(log.contains(row.logged));
    } else {
      EXPECT_EQ(log.lines(), std::vector<std::string>{});
    }
  }
}

TEST(ServerListChannelTest, ADecompressionBombStopsAtTheCap) {
  // About 32 KiB of chunks that inflate to 32 MiB: reading keeps the first 16 MiB and stops.
  const std::string zeros(2 * kServerListMaxBytes, '\0');
  const std::string compressed = zlibCompress(zeros, Z_BEST_COMPRESSION);
  ASSERT_LT(compressed.size(), 64u * 1024);
  PpdFromText ppd(listPpd("JobFolder", splitBytes(compressed, 159)));
  ASSERT_NE(ppd.get(), nullptr);
  const std::optional<std::string> data = ppdxReadData(ppd.get(), "JobFolder");
  // Not EXPECT_EQ: a failure would print 16 MiB.
  EXPECT_TRUE(data == std::string(kServerListMaxBytes, '\0')) << data.value_or("(nothing)").size() << " bytes read";
  EXPECT_EQ(readServerList(ppd.get(), "JobFolder"), std::nullopt);
}

}  // namespace
}  // namespace orval
