#include "platform/foundation/plist.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/foundation/log.h"
#include "platform/foundation/temporary_folder_test_support.h"
#include "platform/foundation/unreadable_files_test_support.h"

namespace orval {
namespace {

namespace fs = std::filesystem;
using foundation_testing::fileContents;
using foundation_testing::TemporaryFolder;

constexpr std::string_view kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n";

std::string xmlDocument(std::string_view body) {
  std::string document(kHeader);
  document.append("<plist version=\"1.0\">").append(body).append("</plist>\n");
  return document;
}

// A value with every kind of content, keys deliberately out of sorted order.
Value richValue() {
  Dict nested{{"zeta", Value(Array{1, "two", 3.5})}, {"alpha", Value(Dict{})}};
  return Dict{
      {"Name", "TZ Print Server"},
      {"Big", Value(static_cast<long long>(std::numeric_limits<std::int64_t>::max()))},
      {"Small", Value(static_cast<long long>(std::numeric_limits<std::int64_t>::min()))},
      {"Ratio", 0.1},
      {"Duplex", true},
      {"Collate", false},
      {"Created", Date{599529600}},
      {"Blob", Data{0, 1, 2, 0xFF}},
      {"Empty", Data{}},
      {"Japanese", "日本語 — «ok» & <tag> \"q\" 'a'"},
      {"Emoji", "😀"},
      {"Nested", Value(nested)},
      {"List", Value(Array{Value(Array{}), Value(Dict{{"b", 1}, {"a", 2}}), ""})},
  };
}

// Reads bytes that must be refused: no value, a reason, a "###" log line.
void expectRefused(std::string_view bytes, const std::string& what) {
  LogCapture log;
  std::string error;
  const std::optional<Value> value = plistFromBytes(bytes, &error);
  EXPECT_FALSE(value.has_value()) << what;
  EXPECT_FALSE(error.empty()) << what;
  EXPECT_TRUE(log.contains("###")) << what;
}

std::string bigEndian(std::uint64_t v, int n) {
  std::string out;
  for (int i = n - 1; i >= 0; --i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

// A binary property list of encoded objects (object 0 at the top), with
// four-byte offsets and references of refSize bytes.
std::string binaryPlist(const std::vector<std::string>& objects, int refSize = 1) {
  std::string out = "bplist00";
  std::vector<std::uint64_t> offsets;
  for (const std::string& object : objects) {
    offsets.push_back(out.size());
    out += object;
  }
  const std::uint64_t table = out.size();
  for (const std::uint64_t offset : offsets) out += bigEndian(offset, 4);
  out += std::string(6, '\0') + static_cast<char>(4) + static_cast<char>(refSize);
  return out + bigEndian(objects.size(), 8) + bigEndian(0, 8) + bigEndian(table, 8);
}

std::string asciiObject(std::string_view s) { return static_cast<char>(0x50 | s.size()) + std::string(s); }

TEST(PlistTest, ReadsEveryKindOfXmlValueInFileOrder) {
  const std::string xml = xmlDocument(
      "<dict>\n"
      "  <key>zebra</key><true/>\n"
      "  <!-- a comment between entries -->\n"
      "  <key>apple</key><false></false>\n"
      "  <key>neg</key><integer> -42 </integer>\n"
      "  <key>octal?</key><integer>010</integer>\n"
      "  <key>hex</key><integer>0x1F</integer>\n"
      "  <key>real</key><real>+infinity</real>\n"
      "  <key>when</key><date>2020-01-01T00:00:00Z</date>\n"
      "  <key>early</key><date>1850-06-01T12:34:56Z</date>\n"
      "  <key>bytes</key><data>\n\tAAEC\n\t/w==\n</data>\n"
      "  <key>text</key><string>a&amp;b &lt;&#x1F600;&#233;<![CDATA[<raw>]]></string>\n"
      "  <key></key><string/>\n"
      "  <key>list</key><array><dict/><array/><string>x</string></array>\n"
      "</dict>");
  std::string error;
  const std::optional<Value> value = plistFromBytes(xml, &error);
  ASSERT_TRUE(value) << error;
  const Dict& d = *value->asDict();
  EXPECT_EQ(d.keys(), (std::vector<std::string>{"zebra", "apple", "neg", "octal?", "hex", "real",
                                                "when", "early", "bytes", "text", "", "list"}));
  EXPECT_EQ(d, (Dict{{"zebra", true}, {"apple", false}, {"neg", -42}, {"octal?", 10} /* decimal, as the format says */,
                     {"hex", 31}, {"real", std::numeric_limits<double>::infinity()}, {"when", Date{599529600}},
                     {"early", Date{-4752041104.0}}, {"bytes", Data{0, 1, 2, 0xFF}}, {"text", "a&b <😀é<raw>"},
                     {"", ""}, {"list", Array{Value(Dict{}), Value(Array{}), "x"}}}));
}

TEST(PlistTest, RoundTripsThroughXmlAndBinaryKeepingOrder) {
  const Value original = richValue();
  for (const bool binary : {false, true}) {
    const std::string bytes = binary ? plistToBinary(original) : plistToXml(original);
    std::string error;
    const std::optional<Value> back = plistFromBytes(bytes, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, original) << (binary ? "binary" : "XML");
    // Dict equality ignores order; nested dictionaries are read and written by the same code.
    EXPECT_EQ(back->asDict()->keys(), original.asDict()->keys()) << (binary ? "binary" : "XML");
  }
}

TEST(PlistTest, ScalarRootsSpecialRealsAndDatesRoundTrip) {
  for (const Value& v : {Value("just a string"), Value(HUGE_VAL), Value(-HUGE_VAL)}) {
    EXPECT_EQ(plistFromBytes(plistToXml(v)), v);
    EXPECT_EQ(plistFromBytes(plistToBinary(v)), v);
  }
  EXPECT_TRUE(std::isnan(*plistFromBytes(plistToBinary(std::nan("")))->asReal()));
  // A byte-order mark before the XML is allowed.
  EXPECT_EQ(plistFromBytes("\xEF\xBB\xBF" + plistToXml(Value(3))), Value(3));
  // Dates: the binary form keeps fractions, on both sides of the reference date.
  for (const double seconds : {-0.5, 0.75})
    EXPECT_EQ(plistFromBytes(plistToBinary(Date{seconds})), Value(Date{seconds})) << seconds;
}

TEST(PlistTest, RefusesMalformedXml) {
  std::string deep;
  for (int i = 0; i < 600; ++i) deep = "<array>" + deep + "</array>";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"garbage", "plain text"}, {"<dict><key>a</key><true/></dict>", "no <plist> root"},
      {xmlDocument(""), "empty plist"}, {xmlDocument("<dict/>") + "<dict/>", "content after </plist>"},
      {xmlDocument("<dict><key>a</key></dict>"), "key without value"},
      {xmlDocument("<dict><string>x</string></dict>"), "value without key"},
      {xmlDocument("<dict><key>a</key><true/><key>a</key><false/></dict>"), "duplicate key"},
      {xmlDocument("<array><key>a</key></array>"), "key in array"},
      {xmlDocument("<array><true/></dict>"), "mismatched end tag"},
      {xmlDocument("<array><foo/></array>"), "unknown element"},
      {xmlDocument("<string>a<b/>c</string>"), "element inside string"},
      {xmlDocument("<integer>abc</integer>"), "integer text"}, {xmlDocument("<integer></integer>"), "empty integer"},
      {xmlDocument("<integer>9223372036854775808</integer>"), "integer too large"},
      {xmlDocument("<real>1,5</real>"), "real with comma"}, {xmlDocument("<true>yes</true>"), "boolean with text"},
      {xmlDocument("<date>garbage</date>"), "date text"},
      {xmlDocument("<date>2021-02-29T00:00:00Z</date>"), "no such day"},
      {xmlDocument("<data>@@@@</data>"), "data alphabet"}, {xmlDocument("<data>AAE</data>"), "data length"},
      {xmlDocument("<string>a & b</string>"), "bare ampersand"},
      {xmlDocument("<string>&#0;</string>"), "NUL reference"},
      {xmlDocument("<string>&#xD800;</string>"), "surrogate reference"},
      {xmlDocument("<string>\xFF\xFE</string>"), "bytes that are not UTF-8"},
      {xmlDocument(std::string("<string>a") + '\0' + "b</string>"), "raw NUL"},
      {xmlDocument("<!-- unterminated <true/>"), "unterminated comment"},
      {"<!DOCTYPE plist [<!ENTITY e \"x\">]><plist><string>&e;</string></plist>", "internal DTD subset"},
      {xmlDocument(deep), "nested too deeply"},
  };
  for (const auto& [bytes, what] : cases) expectRefused(bytes, what);
}

TEST(PlistTest, RefusesXmlAndBinaryTruncatedAnywhere) {
  const std::string xml = plistToXml(richValue());
  const std::size_t closed = xml.rfind("</plist>") + std::string_view("</plist>").size();
  for (std::size_t cut = 0; cut < closed; ++cut)
    ASSERT_FALSE(plistFromBytes(std::string_view(xml).substr(0, cut))) << "cut at " << cut;
  const std::string binary = plistToBinary(richValue());
  for (std::size_t cut = 0; cut < binary.size(); ++cut)
    ASSERT_FALSE(plistFromBytes(std::string_view(binary).substr(0, cut))) << "cut at " << cut;
}

TEST(PlistTest, ChecksBinaryHeaderAndStructureBeforeReading) {
  expectRefused("bplist00", "lone binary header");
  expectRefused("bplist01" + plistToBinary(Value(1)).substr(8), "unknown binary version");
  // A well-formed file made here reads, so the refusals below are for their flaw.
  EXPECT_EQ(plistFromBytes(binaryPlist({"\xD1\x01\x02", asciiObject("k"), asciiObject("v")})),
            Value(Dict{{"k", "v"}}));

  // Nesting deep enough to exhaust a recursive reader's stack.
  std::vector<std::string> deep;
  for (int i = 0; i < 100000; ++i) deep.push_back("\xA1" + bigEndian(i + 1, 4));
  deep.push_back("\xA0");
  expectRefused(binaryPlist(deep, 4), "deep nesting");
  expectRefused(binaryPlist({std::string("\xA1\x00", 2)}), "array containing itself");
  expectRefused(binaryPlist({"\xA1\x05"}), "reference out of range");
  expectRefused(binaryPlist({"\xD1\x01\x02", "\x10\x05", asciiObject("v")}), "integer key");
  expectRefused(binaryPlist({"\xD2\x01\x01\x02\x03", asciiObject("k"), asciiObject("a"), asciiObject("b")}),
                "duplicate key");
  expectRefused(binaryPlist({std::string("\x53" "a\0b", 4)}), "string with NUL");
  expectRefused(binaryPlist({std::string("\x61\xD8\x00", 3)}), "unpaired surrogate");
  expectRefused(binaryPlist({"\x14" + bigEndian(1, 8) + bigEndian(0, 8)}), "128-bit integer");
  expectRefused(binaryPlist({"\x33" + bigEndian(0x7FF0000000000000ull, 8)}), "infinite date");
  // Many references to one long string: a small file that would expand past the byte budget.
  const auto sharedString = [](int references) {
    std::string refs;
    for (int i = 0; i < references; ++i) refs += bigEndian(1, 2);
    return binaryPlist({"\xAF\x11" + bigEndian(references, 2) + refs,
                        "\x5F\x12" + bigEndian(100000, 4) + std::string(100000, 'a')}, 2);
  };
  expectRefused(sharedString(1000), "100 MB from one shared string");
  EXPECT_EQ(plistFromBytes(sharedString(100)).value_or(Value(Array{})).asArray()->size(), 100u);

  // 128-bit integers that fit 64 signed bits read as themselves.
  EXPECT_EQ(plistFromBytes(binaryPlist({"\x14" + bigEndian(0, 8) + bigEndian(5, 8)})), Value(5));
  EXPECT_EQ(plistFromBytes(binaryPlist({"\x14" + bigEndian(~0ull, 8) + bigEndian(~0ull, 8)})), Value(-1));
  // One string object may serve as a key and as a value.
  EXPECT_EQ(plistFromBytes(binaryPlist({"\xD1\x01\x01", asciiObject("k")})), Value(Dict{{"k", "k"}}));
  // A keyed-archive reference reads as its XML form.
  EXPECT_EQ(plistFromBytes(binaryPlist({"\x80\x07"})), Value(Dict{{"CF$UID", 7}}));
}

TEST(PlistTest, RefusesToWriteWhatHasNoPropertyListForm) {
  LogCapture log;
  EXPECT_EQ(plistToXml(Value(std::string("a\0b", 3))), "");
  EXPECT_EQ(plistToXml(Value("\xFF")), "");
  EXPECT_EQ(plistToBinary(Date{1e10}), "");
  EXPECT_TRUE(log.contains("###"));
}

TEST(PlistTest, ReadsAndWritesFilesAndKeepsTheOldFileOnAFailedWrite) {
  TemporaryFolder folder;
  const fs::path file = folder.path() / "Favorites.plist";
  std::string error;
  // A file larger than any list is refused unread (as are pipes and devices, by the same reader).
  EXPECT_FALSE(plistFromFile(foundation_testing::sparseFile(folder.path() / "huge.plist", std::uintmax_t{65} << 20),
                             &error));
  EXPECT_NE(error.find("larger than 64 MiB"), std::string::npos) << error;

  ASSERT_TRUE(writePlistFile(file, richValue(), &error)) << error;
  EXPECT_EQ(dictFromFile(file), *richValue().asDict());
  ASSERT_TRUE(writePlistFile(file, Array{1, 2}));
  EXPECT_FALSE(dictFromFile(file, &error));
  EXPECT_NE(error.find("dictionary"), std::string::npos);

  // A value without a property list form leaves the old file whole.
  const std::string before = fileContents(file);
  error.clear();
  EXPECT_FALSE(writePlistFile(file, Dict{{"broken", Value()}}, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(fileContents(file), before);
  EXPECT_FALSE(writePlistFile(folder.path() / "missing" / "x.plist", Dict{}, &error));
}

}  // namespace
}  // namespace orval
