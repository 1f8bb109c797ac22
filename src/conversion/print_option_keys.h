// The print option keys that the internal -> canonical conversion and its way
// back both name: passwords, joined keys, lengths and scaled values.
#pragma once

#include <array>
#include <string_view>

namespace orval::print_option_keys {

// Passwords: encoded in the canonical form.
inline constexpr std::array<std::string_view, 3> kPasswords{"SecurityPrintPassword", "RscPassword",
                                                            "AuthJobPassword"};

// Joined paper type keys.
inline constexpr std::string_view kPaperTypeTabbed = "PaperType_MediaTypeTabbed";
inline constexpr std::string_view kPaperType =
    "PaperType_MediaTypeTabbed_MediaTypeCoatingMaterial_MediaTypePreprinted_MediaTypeDrilled_PaperTypeCustomNumber";
inline constexpr std::string_view kPaperTypeBypass =
    "PaperTypeBypass_MediaTypeTabbedBypass_MediaTypeCoatingMaterialBypass_MediaTypePreprintedBypass_"
    "MediaTypeDrilledBypass_PaperTypeCustomNumberBypass";
// Present when the printer takes paper weights: the paper type then joins only its tab part.
inline constexpr std::string_view kMediaTypeWeightValue = "MediaTypeWeightValue";

// Joined special toner keys.
inline constexpr std::array<std::string_view, 2> kSpecialToners{"SpTonerSpecifyColorFront_SpTonerColorFront",
                                                                "SpTonerSpecifyColorBack_SpTonerColorBack"};

// The custom sheet size (cep in the canonical form).
inline constexpr std::array<std::string_view, 2> kPaperSizeLengths{"ChgPrintPaperSizeLength",
                                                                   "ChgPrintPaperSizeWidth"};
// Form positions (cep in the canonical form).
inline constexpr std::array<std::string_view, 4> kFormPositions{
    "ImpositionFormPositionWidth", "ImpositionFormPositionLength", "FormPositionWidth", "FormPositionLength"};
// Crease positions and trimming sizes (cep in the canonical form).
inline constexpr std::array<std::string_view, 10> kFinishingLengths{
    "CreasePosition1",           "CreasePosition2",          "CreasePosition3",
    "CreasePosition4",           "CreasePosition5",          "TopAndTailTrimFinishSize",
    "TopAndTailTrimRearCutSize", "TopAndTailTrimFrontCutSize", "TrimmerFinishedSize",
    "TrimmerCutSize"};
// Print positions (cep in the canonical form).
inline constexpr std::array<std::string_view, 4> kPrintPositions{"PrintPositionFrontWidth", "PrintPositionFrontLength",
                                                                 "PrintPositionBackWidth", "PrintPositionBackLength"};
// Print position magnifications (percent internally, KORA integers canonically).
inline constexpr std::array<std::string_view, 4> kPrintPositionMagnifications{
    "PrintPositionFrontWidthMag", "PrintPositionFrontLengthMag", "PrintPositionBackWidthMag",
    "PrintPositionBackLengthMag"};

// Line widths (thousandths in the canonical form).
inline constexpr std::array<std::string_view, 2> kLineWidths{"HairLineWarningPoint", "MinimumLineWidthValue"};
// Special toner replacement ratios (hundredths in the canonical form).
inline constexpr std::array<std::string_view, 8> kTonerReplacements{
    "SpTonerColorReplaceCyanFront", "SpTonerColorReplaceMagentaFront", "SpTonerColorReplaceYellowFront",
    "SpTonerColorReplaceBlackFront", "SpTonerColorReplaceCyanBack",   "SpTonerColorReplaceMagentaBack",
    "SpTonerColorReplaceYellowBack", "SpTonerColorReplaceBlackBack"};

}  // namespace orval::print_option_keys
