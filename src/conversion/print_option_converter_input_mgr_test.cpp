#include <gtest/gtest.h>

#include <string>

#include "common/common_reset.h"
#include "common/principal_bundle.h"
#include "conversion/print_option_converter.h"
#include "conversion/print_option_converter_exports.h"
#include "platform/foundation/log.h"
#include "platform/foundation/plist.h"
#include "platform/foundation/temporary_folder_test_support.h"

namespace orval {
namespace {

using foundation_testing::TemporaryFolder;

// Writes value as an XML property list at path (parents created).
void writePlist(const std::filesystem::path& path, const Value& value) {
  std::filesystem::create_directories(path.parent_path());
  ASSERT_TRUE(writePlistFile(path, value)) << path;
}

// One item of a table entry.
Value item(const char* optionKeyword, long long tagValue) {
  return Dict{{"optionKeyword", optionKeyword}, {"tagValue", tagValue}};
}

// A converter reading a table from a scratch file.
class InputMgrConversionTest : public ::testing::Test {
 protected:
  void useTable(const Dict& table) {
    writePlist(tablePath_, table);
    converter_.setConvertTableSource(std::make_unique<FileConvertTableSource>(tablePath_));
  }
  PrintOption toPpd(const PrintOption& options) const { return converter_.toPpdKeywordFormat(options); }
  PrintOption toInputMgr(const PrintOption& options) const { return converter_.toInputMgrFormat(options); }

  TemporaryFolder folder_;
  std::filesystem::path tablePath_ = folder_.path() / "ConvertTable.plist";
  PrintOptionConverter converter_;
};

const std::string kYen = "\xC2\xA5";

TEST_F(InputMgrConversionTest, ChoicesBothWays) {
  useTable(Dict{{"QZInputSlot", Dict{{"tagKey", "PA_TRAY"},
                                     {"items", Array{item("AutoSelect", 0), item("TrayStock", 2), item("Tray%d", 10),
                                                     item("Manual", 1)}}}},
                {"CreaseNum", Dict{{"tagKey", "FN_CRSNUM"}, {"items", Array{item("%d", 0)}}}},
                {"Fitting", Dict{{"tagKey", "LY_FIT"}, {"items", Array{item("False", 0), item("True", 1)}}}}});
  const PrintOption inputMgr = toInputMgr({{"QZInputSlot", "TrayStock"}, {"CreaseNum", "3"}, {"Fitting", true}});
  EXPECT_EQ(inputMgr, (PrintOption{{"PA_TRAY", 2}, {"FN_CRSNUM", 3}, {"LY_FIT", 1}}));  // a boolean meets "True"
  EXPECT_EQ(converter_.inputMgrTagValue("QZInputSlot", Value("Manual")), Value(1));  // listed after the family
  EXPECT_EQ(converter_.inputMgrTagValue("QZInputSlot", Value("Bypass")), std::nullopt);
  // The number runs from the first digit to the end of the value.
  EXPECT_EQ(converter_.inputMgrTagValue("QZInputSlot", Value("Tray15dpi")), Value(25));
  // Back, an exact choice listed before the family wins, matched as an integer; the family takes any other number.
  for (const auto& [tray, name] : {std::pair{Value(0), "AutoSelect"}, std::pair{Value("2"), "TrayStock"},
                                   std::pair{Value(1), "Tray-9"}, std::pair{Value(12), "Tray2"}})
    EXPECT_EQ(toPpd({{"PA_TRAY", tray}}), (PrintOption{{"QZInputSlot", name}}));
  EXPECT_TRUE(toPpd({{"LY_FIT", 5}}).empty());
}

TEST_F(InputMgrConversionTest, BooleanEntries) {
  useTable(Dict{{"SecurityPrint", Dict{{"tagKey", "JB_SECPRT"}, {"tagValueType", "Boolean"}}}});
  EXPECT_EQ(toInputMgr({{"SecurityPrint", "true"}}), (PrintOption{{"JB_SECPRT", true}}));  // the reading's truth
  for (const auto& [inputMgr, expected] : {std::pair{Value(1), true}, std::pair{Value(2), false},
                                           std::pair{Value("1"), true}, std::pair{Value("True"), false}})
    EXPECT_EQ(toPpd({{"JB_SECPRT", inputMgr}}), (PrintOption{{"SecurityPrint", expected}})) << inputMgr.text();
  // A number without a type converts by its truth as well.
  useTable(Dict{{"CopyCount", Dict{{"tagKey", "JB_COPIES"}}}});
  EXPECT_EQ(toInputMgr({{"CopyCount", 3}}), (PrintOption{{"JB_COPIES", true}}));
}

TEST_F(InputMgrConversionTest, MagnificationsFormatsAndYenSigns) {
  useTable(Dict{{"Magnification", Dict{{"tagKey", "LY_MAG"}, {"magnification", 0.1}, {"format", "0"}}},
                {"HairLineWarningPoint", Dict{{"tagKey", "PR_HLWARN"}, {"magnification", 0.001}, {"format", "0"}}},
                {"Ratio", Dict{{"tagKey", "CL_RATIO"}, {"magnification", 2}}},
                {"Zero", Dict{{"tagKey", "CL_ZERO"}, {"magnification", 0}}},
                {"Count", Dict{{"tagKey", "JB_COUNT"}, {"format", "00000"}}},
                {"Half", Dict{{"tagKey", "JB_HALF"}, {"magnification", 10}, {"format", "0"}}},
                {"Broken", Dict{{"tagKey", "JB_BROKEN"}, {"format", "0'"}}},
                {"Price", Dict{{"tagKey", "SP_PRICE"}, {"format", kYen + "0"}}},
                {"FormName", Dict{{"tagKey", "SP_FORMNM"}}},
                {"Folder", Dict{{"tagKey", "SP_FOLDER"}, {"items", Array{item((kYen + "share").c_str(), 1)}}}}});
  // Magnifications are exact decimals; without a format the quotient is written in full.
  EXPECT_EQ(toPpd({{"LY_MAG", "100.5"}, {"PR_HLWARN", 0.25}, {"CL_RATIO", 7}}),
            (PrintOption{{"Magnification", "1005"}, {"HairLineWarningPoint", "250"}, {"Ratio", "3.5"}}));
  // Values that are not numbers, and a zero factor, do not convert.
  EXPECT_TRUE(toInputMgr({{"Ratio", "wide"}}).empty());
  EXPECT_TRUE(toPpd({{"CL_ZERO", 5}}).empty());
  EXPECT_EQ(toInputMgr({{"Zero", "5"}}), (PrintOption{{"CL_ZERO", "0"}}));
  // Formats apply to the magnified value (patterns: number_pattern_test); an invalid pattern drops its key.
  EXPECT_EQ(toPpd({{"JB_COUNT", "12"}, {"JB_HALF", 25}}), (PrintOption{{"Count", "00012"}, {"Half", "2"}}));
  EXPECT_EQ(toPpd({{"JB_BROKEN", 1}, {"JB_COUNT", 7}}), (PrintOption{{"Count", "00007"}}));
  // Yen signs come back as backslashes; the way out keeps them.
  EXPECT_EQ(toPpd({{"SP_PRICE", 12}, {"SP_FORMNM", kYen + kYen + "server" + kYen + "forms"}, {"SP_FOLDER", 1}}),
            (PrintOption{{"Price", "\\12"}, {"FormName", "\\\\server\\forms"}, {"Folder", "\\share"}}));
  EXPECT_EQ(toInputMgr({{"FormName", kYen + "a"}}), (PrintOption{{"SP_FORMNM", kYen + "a"}}));
}

TEST_F(InputMgrConversionTest, RgbColorCorrectionAndSaveFileRules) {
  useTable(Dict{{"QZSRGBAuto", Dict{{"tagKey", "CL_SRGBAT"}, {"tagValueType", "Boolean"}}},
                {"QZSRGBAutoType", Dict{{"tagKey", "CL_SRGBTP"}}},
                {"QZSaveFile", Dict{{"tagKey", "SP_SAVEFT"}, {"items", Array{item("TIFF600dpi", 1)}}}}});
  // The number names the correction (each name: the catalogue's round trip) and replaces the sRGB keys.
  EXPECT_EQ(toPpd({{"CL_RGBMD", 8}, {"CL_SRGBAT", 1}}), PrintOption{});
  EXPECT_EQ(toPpd({{"CL_SRGBAT", 1}}), (PrintOption{{"QZSRGBAuto", true}}));  // without "CL_RGBMD" the keys stay
  for (const auto& [inputMgr, expected] :
       {std::pair{PrintOption{{"SP_SAVEFT", 0}}, "None"},
        std::pair{PrintOption{{"SP_SAVEFT", "1"}, {"SP_TFDPI", "0"}}, "TIFF600dpi"},
        std::pair{PrintOption{{"SP_SAVEFT", 2}}, "PDF600dpi"},
        std::pair{PrintOption{{"SP_SAVEFT", "2"}, {"SP_TFDPI", 1}}, "PDF1dpi"}})
    EXPECT_EQ(toPpd(inputMgr), (PrintOption{{"QZSaveFile", expected}})) << expected;
  EXPECT_TRUE(toPpd({{"SP_SAVEFT", 3}}).empty());
}

TEST_F(InputMgrConversionTest, KeysOutsideTheTableAreDropped) {
  useTable(Dict{{"Fold", Dict{{"tagKey", "FN_FOLD"}, {"items", Array{item("None", 0)}}}},
                {"NoTag", Dict{{"items", Array{item("None", 0)}}}},
                {"NotAnEntry", "FN_TEXT"}});
  EXPECT_EQ(toInputMgr({{"Fold", "None"}, {"NoTag", "None"}, {"NotAnEntry", "x"}, {"Unknown", "y"}}),
            (PrintOption{{"FN_FOLD", 0}}));
  EXPECT_EQ(toPpd({{"FN_FOLD", 0}, {"FN_TEXT", 1}, {"XX", 2}}), (PrintOption{{"Fold", "None"}}));
  useTable(Dict{{"Staple", Dict{{"tagKey", "FN_STAPLE"}, {"items", Array{item("Corner", 1)}}}},
                {"StapleMode", Dict{{"tagKey", "FN_STAPLE"}, {"items", Array{item("TopLeftCorner", 1)}}}}});
  EXPECT_EQ(toPpd({{"FN_STAPLE", 1}}), (PrintOption{{"Staple", "Corner"}}));  // the first entry of a tag key wins
}

TEST_F(InputMgrConversionTest, MissingTableOrInputGivesAnEmptySet) {
  converter_.setConvertTableSource(std::make_unique<FileConvertTableSource>(folder_.path() / "absent.plist"));
  EXPECT_EQ(converter_.convertTable(), nullptr);
  EXPECT_TRUE(toPpd({{"SP_SAVEFT", 0}}).empty());
  useTable(Dict{{"Fold", Dict{{"tagKey", "FN_FOLD"}, {"items", Array{item("None", 0)}}}}});
  EXPECT_TRUE(converter_.toPpdKeywordFormat(nullptr).empty());
  EXPECT_TRUE(converter_.toInputMgrFormat(nullptr).empty());
  writePlist(tablePath_, Array{Value("Fold")});  // a table that is not a dictionary is no table
  EXPECT_TRUE(toInputMgr({{"Fold", "None"}}).empty());
  // The table is read again on every conversion.
  writePlist(tablePath_, Dict{{"Fold", Dict{{"tagKey", "FN_FOLD2"}, {"items", Array{item("None", 9)}}}}});
  EXPECT_EQ(toInputMgr({{"Fold", "None"}}), (PrintOption{{"FN_FOLD2", 9}}));
}

// The shared converter reads the table the principal bundle's information dictionary names.
class SharedConverterTest : public ::testing::Test {
 protected:
  void SetUp() override { reset(); }
  void TearDown() override { reset(); }
  static void reset() {
    resetCommonStateForTesting();
    PrintOptionConverter::resetSharedForTesting();
  }

  // A bundle named "TZPrintServer" whose information dictionary names the table "Keywords".
  std::shared_ptr<Bundle> makeBundle(const Value& informations) {
    const std::filesystem::path contents = folder_.path() / "Orval.plugin/Contents";
    writePlist(contents / "Info.plist", Dict{{"CFBundleName", "TZPrintServer"}});
    writePlist(contents / "Resources/miscellaneous.plist", informations);
    writePlist(contents / "Resources/Keywords.plist",
               Dict{{"Fold", Dict{{"tagKey", "FN_FOLD"}, {"items", Array{item("Bifold", 3)}}}}});
    return Bundle::bundleWithPath(folder_.path() / "Orval.plugin");
  }

  TemporaryFolder folder_;
};

TEST_F(SharedConverterTest, TableFromThePrincipalBundleOrALoggedFailure) {
  EXPECT_EQ(PrintOptionConverter::sharedInstance().convertTable(), nullptr);
  SetBSPrincipalBundle(makeBundle(Dict{{"OtherApp", Dict{{"convertTableFileName", "Keywords"}}}}));
  LogCapture log;
  EXPECT_TRUE(PrintOptionConverter::sharedInstance().toInputMgrFormat(PrintOption{{"Fold", "Bifold"}}).empty());
  EXPECT_TRUE(log.contains("##### fail to retrieve infomations dictionary"));
  SetBSPrincipalBundle(makeBundle(Dict{{"TZPrintServer", Dict{{"convertTableFileName", "Keywords"}}}}));
  EXPECT_EQ(PrintOptionConverter::sharedInstance().toInputMgrFormat(PrintOption{{"Fold", "Bifold"}}),
            (PrintOption{{"FN_FOLD", 3}}));
  EXPECT_EQ(ToInputMgrFormat(nullptr), std::nullopt);
  EXPECT_EQ(ToPpdKeywordFormat(nullptr), std::nullopt);
}

}  // namespace
}  // namespace orval
