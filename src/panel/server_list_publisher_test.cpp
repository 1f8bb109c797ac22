#include "panel/server_list_publisher.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "panel/server_list_test_support.h"
#include "platform/foundation/plist.h"

namespace orval {
namespace {

using namespace testing_support;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

const std::string kBase = panelFixture("base.ppd");
const Value kDeviceList = Array{Array{"true", "singleTop"}, Array{"true", "doubleStitch"},
                                Array{"false", "quadPunch"}, Array{"true", "offset"}};

Value stackerList(int stackers) {
  Array list;
  for (int i = 0; i < stackers; ++i)
    list.push_back(Array{std::to_string(3 + i % 14), "Stacker " + std::to_string(i), i * 37 % 101});
  return list;
}

// The chunk lines of list name in text, in order.
std::vector<std::string> chunkLinesOf(const std::string& text, const std::string& name) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.starts_with("*" + name) && line.size() > name.size() + 5 && line[name.size() + 5] == ':')
      lines.push_back(line);
  return lines;
}

// The decoded bytes of each chunk line (the quoted Base64 value).
std::vector<std::string> decodedChunks(const std::vector<std::string>& lines) {
  std::vector<std::string> chunks;
  for (const std::string& line : lines) {
    const std::size_t open = line.find('"');
    chunks.push_back(decodeBase64(line.substr(open + 1, line.rfind('"') - open - 1)));
  }
  return chunks;
}

// List name as read back from a printer description text; nothing when the text does not open.
std::optional<Value> readBack(const std::string& text, std::string_view name) {
  PpdFromText ppd(text);
  return ppd.get() ? readServerList(ppd.get(), name) : std::nullopt;
}

// Why publishing lists into text is refused, or "(published)".
std::string refusal(std::string_view text, const Dict& lists, const ServerListPublishOptions& options = {}) {
  std::string error;
  return publishServerLists(text, lists, options, &error) ? "(published)" : error;
}

TEST(ServerListPublisherTest, ListsAreWrittenInChunksOfTheRequestedSizeOnLinesWithinTheLimit) {
  const Value stackers = stackerList(60);
  struct Case {
    std::string name;
    ServerListFormat format;
    std::size_t chunkBytes;
    std::size_t fullChunkBytes;  // fewer than asked for when the line would pass 255 characters
  };
  const std::string longName(kServerListMaxNameLength, 'L');
  for (const Case& c : {Case{"StackerInfoList", ServerListFormat::Binary, 159, 159},
                        Case{"StackerInfoList", ServerListFormat::Xml, 1, 1},
                        Case{longName, ServerListFormat::Binary, 159, 156}}) {
    SCOPED_TRACE(c.chunkBytes);
    std::string error;
    const std::optional<std::string> text = publishServerLists(
        kBase, Dict{{c.name, stackers}, {"DeviceList", kDeviceList}}, {c.format, c.chunkBytes}, &error);
    ASSERT_TRUE(text.has_value()) << error;

    // Read back independently: every chunk but the last full.
    const std::vector<std::string> lines = chunkLinesOf(*text, c.name);
    ASSERT_GT(lines.size(), 1u);
    const std::vector<std::string> chunks = decodedChunks(lines);
    std::string stream;
    for (std::size_t i = 0; i < chunks.size(); ++i) {
      EXPECT_TRUE(i + 1 == chunks.size() ? chunks[i].size() <= c.fullChunkBytes
                                         : chunks[i].size() == c.fullChunkBytes)
          << "chunk " << i << " has " << chunks[i].size() << " bytes";
      stream += chunks[i];
    }
    const std::string serialized = zlibInflate(stream);
    EXPECT_EQ(serialized.rfind(c.format == ServerListFormat::Binary ? "bplist00" : "<?xml", 0), 0u);
    EXPECT_EQ(plistFromBytes(serialized), stackers);
  }
}

TEST(ServerListPublisherTest, PublishingAgainReplacesTheEarlierChunks) {
  const std::optional<std::string> first = publishServerLists(
      kBase, Dict{{"FeederInfoList", stackerList(20)}, {"DeviceList", kDeviceList}}, {ServerListFormat::Xml, 5});
  ASSERT_TRUE(first.has_value());
  const std::vector<std::string> deviceLines = chunkLinesOf(*first, "DeviceList");

  const Value replacement = Array{Array{"1", "Tray1"}};
  std::string error;
  const std::optional<std::string> second =
      publishServerLists(*first, Dict{{"FeederInfoList", replacement}}, {}, &error);
  ASSERT_TRUE(second.has_value()) << error;
  // The new list takes the old one's place, before the untouched DeviceList.
  EXPECT_EQ(chunkLinesOf(*second, "DeviceList"), deviceLines);
  EXPECT_LT(second->find("*FeederInfoList0000"), second->find("*DeviceList0000"));
  EXPECT_EQ(second->compare(0, kBase.size(), kBase), 0);
}

TEST(ServerListPublisherTest, ForeignChunksOfTheSameListAreRemovedToo) {
  // Chunks left by another producer: lower-case digits, a value over two
  // lines, and an attribute with an option part. Other attributes stay.
  const std::string foreign =
      "*DeviceList0000: \"QUJD\nREVG\"\n"
      "*devicelist000a: \"QUJD\"\n"
      "*DeviceList0001 Extra/Extra: \"QUJD\"\n"
      "*DeviceListing: \"kept\"\n"
      "*DeviceList00001: \"kept too\"\n";
  std::string error;
  const std::optional<std::string> text =
      publishServerLists(kBase + foreign, Dict{{"DeviceList", kDeviceList}}, {}, &error);
  ASSERT_TRUE(text.has_value()) << error;
  EXPECT_EQ(text->find("QUJD"), std::string::npos);
  EXPECT_EQ(text->find("REVG"), std::string::npos);
  EXPECT_NE(text->find("*DeviceListing: \"kept\"\n"), std::string::npos);
  EXPECT_NE(text->find("*DeviceList00001: \"kept too\"\n"), std::string::npos);
  EXPECT_EQ(readBack(*text, "DeviceList"), kDeviceList);
}

TEST(ServerListPublisherTest, LineEndingsOfTheDescriptionAreKept) {
  std::string crlf;
  for (const char c : kBase) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  const std::optional<std::string> text = publishServerLists(crlf, Dict{{"DeviceList", kDeviceList}});
  ASSERT_TRUE(text.has_value());
  for (std::size_t i = text->find('\n'); i != std::string::npos; i = text->find('\n', i + 1))
    ASSERT_EQ((*text)[i - 1], '\r') << "bare line feed at " << i;

  // A description whose last line is unterminated gets a line end before the lists.
  std::string unterminated = kBase;
  unterminated.pop_back();
  const std::optional<std::string> ended = publishServerLists(unterminated, Dict{{"DeviceList", kDeviceList}});
  ASSERT_TRUE(ended.has_value());
  EXPECT_NE(ended->find("printer description.\n*DeviceList0000: \""), std::string::npos);
}

TEST(ServerListPublisherTest, WhatCannotBePublishedIsRefusedWithAReason) {
  for (const std::string& name : {std::string(), std::string("Two Words"), std::string("Colon:"),
                                  std::string("Slash/"), std::string("Caf\xc3\xa9"),
                                  std::string(kServerListMaxNameLength + 1, 'N')})
    EXPECT_THAT(refusal(kBase, Dict{{name, kDeviceList}}), HasSubstr("name")) << name;
  EXPECT_THAT(refusal(kBase, Dict{{"DeviceList", Value()}}), HasSubstr("DeviceList"));
  for (const std::size_t chunkBytes : {std::size_t{0}, kServerListChunkBytes + 1})
    EXPECT_THAT(refusal(kBase, Dict{{"DeviceList", kDeviceList}}, {ServerListFormat::Binary, chunkBytes}),
                HasSubstr("chunk size"));
  EXPECT_THAT(refusal("not a printer description\n", Dict{{"DeviceList", kDeviceList}}), HasSubstr("does not open"));
}

TEST(ServerListPublisherTest, FilesAreWrittenToTheDestinationOnly) {
  const foundation_testing::TemporaryFolder scratch;
  const fs::path& folder = scratch.path();
  const fs::path source = scratch.write("queue.ppd", kBase);
  const fs::path destination = folder / "published.ppd";

  std::string error;
  ASSERT_TRUE(publishServerListsToFile(source, destination, Dict{{"DeviceList", kDeviceList}}, {}, &error))
      << error;
  EXPECT_EQ(fileContents(source), kBase);
  const std::string published = fileContents(destination);
  EXPECT_EQ(readBack(published, "DeviceList"), kDeviceList);

  // Writing over the source is refused, also through another spelling of its path.
  error.clear();
  EXPECT_FALSE(publishServerListsToFile(source, folder / "." / "queue.ppd", Dict{{"DeviceList", kDeviceList}},
                                        {}, &error));
  EXPECT_NE(error.find("source"), std::string::npos);
  EXPECT_EQ(fileContents(source), kBase);

  // A failed publication leaves an existing destination as it was.
  EXPECT_FALSE(publishServerListsToFile(source, destination, Dict{{"Bad Name", kDeviceList}}, {}, &error));
  EXPECT_EQ(fileContents(destination), published);
}

}  // namespace
}  // namespace orval
