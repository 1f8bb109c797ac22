#include "panel/server_list_channel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "panel/server_list_test_support.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"

namespace orval {
namespace {

using namespace testing_support;

// A feeder list as a print server reports it, with enough variety in its
// paper names that it does not compress to almost nothing.
Value feederList(int trays) {
  Array list;
  unsigned seed = 12345;
  for (int tray = 1; tray <= trays; ++tray) {
    std::string paperName;
    for (int i = 0; i < 12; ++i) {
      seed = seed * 1103515245u + 12345u;
      paperName += static_cast<char>('a' + (seed >> 16) % 26);
    }
    list.push_back(Array{std::to_string(tray), "Tray" + std::to_string(tray), "A4", paperName,
                         static_cast<int>(64 + (seed >> 8) % 300), tray % 2 == 0});
  }
  return list;
}

std::string listPpd(const std::string& lines) { return panelFixture("base.ppd") + lines; }
// The base description with chunks (raw bytes) as list name.
std::string listPpd(const std::string& name, const std::vector<std::string>& chunks) {
  return listPpd(chunkLines(name, base64Each(chunks)));
}

TEST(ServerListChannelTest, ChunkNamesAndMissingArguments) {
  EXPECT_EQ(serverListChunkName("FeederInfoList", 0), "FeederInfoList0000");
  EXPECT_EQ(serverListChunkName("FeederInfoList", 0x1A), "FeederInfoList001A");
  EXPECT_EQ(serverListChunkName(std::string(36, 'N'), 0xFFFF), std::string(36, 'N') + "FFFF");
  EXPECT_EQ(serverListChunkName(std::string(37, 'N'), 0), std::nullopt);
  EXPECT_EQ(serverListChunkName("FeederInfoList", 0x10000), std::nullopt);

  PpdFromText ppd(listPpd("FeederInfoList", {zlibCompress(plistToBinary(feederList(2)))}));
  ASSERT_NE(ppd.get(), nullptr);
  EXPECT_EQ(ppdxReadData(nullptr, "FeederInfoList"), std::nullopt);
  EXPECT_EQ(ppdxReadData(ppd.get(), ""), std::nullopt);
  EXPECT_EQ(ppdxReadData(ppd.get(), std::string("FeederInfoList\0", 15)), std::nullopt);
  EXPECT_EQ(ppdxReadData(ppd.get(), std::string(37, 'F')), std::nullopt);
  EXPECT_EQ(readServerList(nullptr, "FeederInfoList"), std::nullopt);
}

TEST(ServerListChannelTest, ListsFromAnIndependentProducerReadBackEqual) {
  struct Case {
    const char* what;
    Value list;
    std::string serialized;
    std::size_t chunkBytes;
    std::size_t chunks;  // 0: many
  };
  const Value small = Array{Array{"true", "singleTop"}, Array{"false", "zFold"}};
  const Value medium = feederList(6);
  const Value large = feederList(40);
  const std::vector<Case> cases = {
      {"one chunk", small, plistToBinary(small), 159, 1},
      {"two chunks", medium, plistToBinary(medium), 0, 2},  // chunk size set below to split in two
      {"full chunks of 159 bytes", large, plistToXml(large), 159, 0},
      {"many small chunks", large, plistToXml(large), 7, 0},
  };
  for (Case c : cases) {
    SCOPED_TRACE(c.what);
    const std::string compressed = zlibCompress(c.serialized);
    if (c.chunkBytes == 0) c.chunkBytes = (compressed.size() + 1) / 2;
    ASSERT_LE(c.chunkBytes, 159u);
    const std::vector<std::string> chunks = splitBytes(compressed, c.chunkBytes);
    if (c.chunks == 0) {
      EXPECT_GT(chunks.size(), 2u);
    } else {
      EXPECT_EQ(chunks.size(), c.chunks);
    }
    PpdFromText ppd(listPpd("FeederInfoList", chunks));
    ASSERT_NE(ppd.get(), nullptr);
    EXPECT_EQ(ppdxReadData(ppd.get(), "FeederInfoList"), c.serialized);
    EXPECT_EQ(readServerList(ppd.get(), "FeederInfoList"), c.list);
    EXPECT_EQ(readServerList(ppd.get(), "StackerInfoList"), std::nullopt);
  }
}

TEST(ServerListChannelTest, ReadingStopsAtAChunkThatDoesNotDecode) {
  const std::string serialized = plistToXml(feederList(40));
  const std::string compressed = zlibCompress(serialized);
  ASSERT_GT(compressed.size(), 300u);
  std::vector<std::string> values = base64Each(splitBytes(compressed.substr(0, 400), 100));
  ASSERT_EQ(values.size(), 4u);
  values[2] = "****";  // no Base64 character at all
  PpdFromText ppd(listPpd(chunkLines("DeviceList", values)));
  ASSERT_NE(ppd.get(), nullptr);

  ::testing::internal::CaptureStderr();
  const std::optional<std::string> data = ppdxReadData(ppd.get(), "DeviceList");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  // Exactly what chunks 0000 and 0001 inflate to: the start of the list and nothing of chunk 0003.
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(*data, zlibInflate(compressed.substr(0, 200)));
  EXPECT_FALSE(data->empty());
  EXPECT_EQ(serialized.compare(0, data->size(), *data), 0);
  EXPECT_LT(data->size(), serialized.size());
  EXPECT_EQ(readServerList(ppd.get(), "DeviceList"), std::nullopt);
}

TEST(ServerListChannelTest, ChunksMustRunFromZeroWithoutGaps) {
  const Value list = feederList(3);
  const std::vector<std::string> values = base64Each(splitBytes(zlibCompress(plistToBinary(list)), 20));
  ASSERT_GE(values.size(), 3u);

  PpdFromText noChunkZero(listPpd(chunkLines("StackerInfoList", values, 1)));
  ASSERT_NE(noChunkZero.get(), nullptr);
  EXPECT_EQ(ppdxReadData(noChunkZero.get(), "StackerInfoList"), std::nullopt);
  EXPECT_EQ(readServerList(noChunkZero.get(), "StackerInfoList"), std::nullopt);

  // A gap ends the list: chunks after it are not read.
  const std::vector<std::string> afterGap(values.begin() + 2, values.end());
  PpdFromText gap(listPpd(chunkLines("StackerInfoList", {values[0]}) + chunkLines("StackerInfoList", afterGap, 2)));
  ASSERT_NE(gap.get(), nullptr);
  EXPECT_EQ(ppdxReadData(gap.get(), "StackerInfoList"), zlibInflate(decodeBase64(values[0])));
  EXPECT_EQ(readServerList(gap.get(), "StackerInfoList"), std::nullopt);
}

TEST(ServerListChannelTest, AnEmptyFirstChunkIsNoListWhateverChunksFollowIt) {
  // As cupsd leaves a queue's description after a "PPD: DeviceList0000=\"\"" line: chunk 0 replaced by an
  // empty value, the later chunks of the list published before it still there.
  const std::vector<std::string> values =
      base64Each(splitBytes(zlibCompress(plistToBinary(feederList(6))), 40));
  ASSERT_GE(values.size(), 2u);
  const std::vector<std::string> stale(values.begin() + 1, values.end());
  PpdFromText ppd(listPpd("*DeviceList0000: \n" + chunkLines("DeviceList", stale, 1)));
  ASSERT_NE(ppd.get(), nullptr);
  LogCapture log(LogCapture::Sinks::Silenced);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ppdxReadData(ppd.get(), "DeviceList"), "");
  EXPECT_EQ(readServerList(ppd.get(), "DeviceList"), std::nullopt);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(log.lines(), std::vector<std::string>{});
}

TEST(ServerListChannelTest, BytesAfterTheEndOfTheStreamAreIgnoredAndOnlyAListIsAList) {
  const Value list = feederList(5);
  const std::string serialized = plistToBinary(list);
  std::vector<std::string> chunks = splitBytes(zlibCompress(serialized) + "trailing junk", 50);
  chunks.push_back("\x01\x02 more junk after the stream \xff");
  PpdFromText ppd(listPpd("PrePostDevice", chunks));
  ASSERT_NE(ppd.get(), nullptr);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ppdxReadData(ppd.get(), "PrePostDevice"), serialized);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(readServerList(ppd.get(), "PrePostDevice"), list);

  // A payload that is no property list reads as data but gives no list.
  const std::string text = "FeederInfoList: tray 1, tray 2 (not a property list)";
  PpdFromText notAList(listPpd("ColorSubst", {zlibCompress(text)}));
  EXPECT_EQ(ppdxReadData(notAList.get(), "ColorSubst"), text);
  EXPECT_EQ(readServerList(notAList.get(), "ColorSubst"), std::nullopt);
}

TEST(ServerListChannelTest, AChunkThatFailsToInflateIsReportedAndTheNextOnesAreStillFed) {
  // Not a zlib stream: every chunk is fed, and inflate refuses each in turn.
  PpdFromText ppd(listPpd("CalibFile", {"this is not zlib data", "neither is this", "nor this"}));
  ASSERT_NE(ppd.get(), nullptr);
  ::testing::internal::CaptureStderr();
  const std::optional<std::string> data = ppdxReadData(ppd.get(), "CalibFile");
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(data, "");
  const std::string line = "ERROR: inflate returned -3 (incorrect header check)\n";
  EXPECT_EQ(errors, line + line + line);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(readServerList(ppd.get(), "CalibFile"), std::nullopt);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), line + line + line);
}

TEST(ServerListChannelTest, AStreamNeedingAPresetDictionaryEndsTheRead) {
  // A zlib header with the preset-dictionary flag and a dictionary id, then data.
  const std::string compressed = std::string("\x78\x20\x12\x34\x56\x78", 6) + zlibCompress("x").substr(2);
  PpdFromText ppd(listPpd("Font", {compressed}));
  ASSERT_NE(ppd.get(), nullptr);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(readServerList(ppd.get(), "Font"), std::nullopt);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("ERROR: inflate returned 2 "), std::string::npos);
}

TEST(ServerListChannelTest, ADecompressionBombStopsAtTheCap) {
  // About 32 KiB of chunks that inflate to 32 MiB: reading keeps the first 16 MiB and stops.
  const std::string zeros(2 * kServerListMaxBytes, '\0');
  const std::string compressed = zlibCompress(zeros, Z_BEST_COMPRESSION);
  ASSERT_LT(compressed.size(), 64u * 1024);
  PpdFromText ppd(listPpd("JobFolder", splitBytes(compressed, 159)));
  ASSERT_NE(ppd.get(), nullptr);
  const std::optional<std::string> data = ppdxReadData(ppd.get(), "JobFolder");
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(data->size(), kServerListMaxBytes);
  EXPECT_EQ(std::count(data->begin(), data->end(), '\0'), static_cast<std::ptrdiff_t>(kServerListMaxBytes));
  EXPECT_EQ(readServerList(ppd.get(), "JobFolder"), std::nullopt);
}

TEST(ServerListChannelTest, AChunkLargerThanTheChannelAllowsIsRefused) {
  const std::string compressed = zlibCompress(plistToXml(feederList(40)));
  ASSERT_GT(compressed.size(), 2 * 160u);
  // 160 bytes in chunk 0000: cutting it to 159 would corrupt the stream silently.
  std::vector<std::string> chunks = {compressed.substr(0, 160)};
  for (const std::string& rest : splitBytes(compressed.substr(160), 159)) chunks.push_back(rest);
  PpdFromText ppd(listPpd("DeviceList", chunks));
  ASSERT_NE(ppd.get(), nullptr);
  LogCapture log;
  EXPECT_EQ(ppdxReadData(ppd.get(), "DeviceList"), "");
  EXPECT_TRUE(log.contains("DeviceList0000"));
  EXPECT_EQ(readServerList(ppd.get(), "DeviceList"), std::nullopt);
}

}  // namespace
}  // namespace orval
