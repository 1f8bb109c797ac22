// The keyword-level steps of the internal <-> canonical conversion: joined
// keys, the punch and page order pairs, creases, graphics treatment and the
// "Magnification" key.
#include <array>
#include <string>
#include <vector>

#include "conversion/print_option_converter.h"
#include "conversion/print_option_values.h"
#include "conversion/unit_conversion.h"

namespace orval {
namespace {

// "Punch_PunchHoles" <-> "Punch" + "PunchHoles". There is no mixed-size multi-hole punch.
struct PunchChoice {
  std::string_view joined;
  std::string_view punch;
  std::string_view holes;
};

constexpr std::array kPunchTable{
    PunchChoice{"None", "None", "None"},
    PunchChoice{"LeftHoles2", "Left", "Holes2"},
    PunchChoice{"LeftHoles3", "Left", "Holes3"},
    PunchChoice{"LeftHoles4", "Left", "Holes4"},
    PunchChoice{"LeftHolesMulti", "Left", "HolesMulti"},
    PunchChoice{"RightHoles2", "Right", "Holes2"},
    PunchChoice{"RightHoles3", "Right", "Holes3"},
    PunchChoice{"RightHoles4", "Right", "Holes4"},
    PunchChoice{"RightHolesMulti", "Right", "HolesMulti"},
    PunchChoice{"TopHoles2", "Top", "Holes2"},
    PunchChoice{"TopHoles3", "Top", "Holes3"},
    PunchChoice{"TopHoles4", "Top", "Holes4"},
    PunchChoice{"TopHolesMulti", "Top", "HolesMulti"},
    PunchChoice{"BottomHoles2", "Bottom", "Holes2"},
    PunchChoice{"BottomHoles3", "Bottom", "Holes3"},
    PunchChoice{"BottomHoles4", "Bottom", "Holes4"},
    PunchChoice{"BottomHolesMulti", "Bottom", "HolesMulti"},
    PunchChoice{"MixSizeHoles2", "MixSize", "Holes2"},
    PunchChoice{"MixSizeHoles3", "MixSize", "Holes3"},
    PunchChoice{"MixSizeHoles4", "MixSize", "Holes4"},
};

// "PageOrder_new" <-> "PageOrder" + "OutputMode".
struct PageOrderChoice {
  std::string_view joined;
  std::string_view pageOrder;
  std::string_view outputMode;
};

constexpr std::array kPageOrderTable{
    PageOrderChoice{"FaceDown", "Normal", "FaceDown"},
    PageOrderChoice{"FaceUp", "Normal", "FaceUp"},
    PageOrderChoice{"FaceUpReverse", "Reverse", "FaceUp"},
    PageOrderChoice{"FaceDownReverse", "Reverse", "FaceDown"},
};

constexpr std::string_view kPunchJoined = "Punch_PunchHoles";
constexpr std::string_view kPageOrderJoined = "PageOrder_new";

// The key's parts (or a value's parts): the text between the "_" separators.
std::vector<std::string> splitAtUnderscores(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t separator = text.find('_', start);
    parts.emplace_back(text.substr(start, separator - start));
    if (separator == std::string_view::npos) return parts;
    start = separator + 1;
  }
}

// A part's value as the joined value writes it: a boolean as "True"/"False", a string as it is,
// a number in decimal; empty for a missing part.
std::string partText(const Value* value) {
  if (value == nullptr) return {};
  return value->text();
}

std::string creaseKey(std::string_view name, int number) { return std::string(name) + std::to_string(number); }

}  // namespace

void PrintOptionConverter::splitKeyword(PrintOption& options, std::string_view joinedMainKeyword) {
  if (!isOptionSet(options, joinedMainKeyword)) return;
  const std::vector<std::string> keys = splitAtUnderscores(joinedMainKeyword);
  const std::vector<std::string> values = splitAtUnderscores(optionText(options, joinedMainKeyword));
  if (keys.size() != values.size()) return;
  for (std::size_t i = 0; i < keys.size(); ++i) options.set(keys[i], values[i]);
  options.remove(joinedMainKeyword);
}

void PrintOptionConverter::joinKeyword(PrintOption& options, std::string_view joinedMainKeyword) {
  const std::vector<std::string> keys = splitAtUnderscores(joinedMainKeyword);
  std::string joined;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::string part = partText(options.find(keys[i]));
    if (part.empty()) return;
    if (i > 0) joined += '_';
    joined += part;
  }
  for (const std::string& key : keys) options.remove(key);
  options.set(joinedMainKeyword, joined);
}

void PrintOptionConverter::swapKeywordValue(PrintOption& options, std::string_view key1, std::string_view key2) {
  Value* first = options.find(key1);
  Value* second = options.find(key2);
  if (first == nullptr || second == nullptr) return;
  std::swap(*first, *second);
}

void PrintOptionConverter::swapCreaseKeyword(PrintOption& options) {
  if (!isOptionSet(options, "CreaseNum")) return;
  const std::int64_t count = integerValueOfString(optionText(options, "CreaseNum"));
  if (count >= 2 && count <= 5) {
    const int last = static_cast<int>(count);
    for (const std::string_view name : {"CreasePosition", "CreaseDirection", "CreasePressureLevel"}) {
      swapKeywordValue(options, creaseKey(name, 1), creaseKey(name, last));
      if (last >= 4) swapKeywordValue(options, creaseKey(name, 2), creaseKey(name, last - 1));
    }
  }
  if (!isOptionSet(options, "ChgPrintPaperSizeLength")) return;
  const std::string length = optionText(options, "ChgPrintPaperSizeLength");
  for (int crease = 1; crease <= 5; ++crease) {
    const std::string key = creaseKey("CreasePosition", crease);
    if (isOptionSet(options, key)) options.set(key, mirroredPosition(length, optionText(options, key)));
  }
}

void PrintOptionConverter::_convertToCanonicalPunch(PrintOption& options) {
  if (!isOptionSet(options, kPunchJoined)) return;
  const std::string joined = optionText(options, kPunchJoined);
  std::string_view punch = "None";
  std::string_view holes = "None";
  for (const PunchChoice& choice : kPunchTable) {
    if (choice.joined == joined) {
      punch = choice.punch;
      holes = choice.holes;
      break;
    }
  }
  options.set("Punch", punch);
  options.set("PunchHoles", holes);
  options.remove(kPunchJoined);
}

void PrintOptionConverter::_convertToInternalPunch(PrintOption& options) {
  if (!isOptionSet(options, "Punch") || !isOptionSet(options, "PunchHoles")) return;
  const std::string punch = optionText(options, "Punch");
  const std::string holes = optionText(options, "PunchHoles");
  std::string_view joined = "None";
  for (const PunchChoice& choice : kPunchTable) {
    if (choice.punch == punch && choice.holes == holes) {
      joined = choice.joined;
      break;
    }
  }
  options.set(kPunchJoined, joined);
  options.remove("Punch");
  options.remove("PunchHoles");
}

void PrintOptionConverter::_convertToCanonicalPageOrder(PrintOption& options) {
  if (!isOptionSet(options, kPageOrderJoined)) return;
  const std::string joined = optionText(options, kPageOrderJoined);
  std::string_view pageOrder = "Normal";
  std::string_view outputMode = "FaceUp";
  for (const PageOrderChoice& choice : kPageOrderTable) {
    if (choice.joined == joined) {
      pageOrder = choice.pageOrder;
      outputMode = choice.outputMode;
      break;
    }
  }
  options.set("PageOrder", pageOrder);
  options.set("OutputMode", outputMode);
  options.remove(kPageOrderJoined);
}

void PrintOptionConverter::_convertToInternalPageOrder(PrintOption& options) {
  if (!isOptionSet(options, "PageOrder") || !isOptionSet(options, "OutputMode")) return;
  const std::string pageOrder = optionText(options, "PageOrder");
  const std::string outputMode = optionText(options, "OutputMode");
  std::string_view joined = "FaceDown";
  for (const PageOrderChoice& choice : kPageOrderTable) {
    if (choice.pageOrder == pageOrder && choice.outputMode == outputMode) {
      joined = choice.joined;
      break;
    }
  }
  options.set(kPageOrderJoined, joined);
  options.remove("PageOrder");
  options.remove("OutputMode");
}

void PrintOptionConverter::convertToCanonicalGraphicsTreatmentEx(PrintOption& options) {
  if (!isOptionSet(options, "GraphicsTreatmentEx")) return;
  const std::string treatment = optionText(options, "GraphicsTreatmentEx");
  if (treatment == "JobImage") {
    options.set("GraphicsTreatmentBase", "Job");
    options.set("GraphicsTreatmentMode", "Image");
  } else if (treatment == "JobText") {
    options.set("GraphicsTreatmentBase", "Job");
    options.set("GraphicsTreatmentMode", "Text");
  } else {
    options.set("GraphicsTreatmentBase", "System");
    options.set("GraphicsTreatmentMode", "Image");
  }
}

void PrintOptionConverter::convertToInternalGraphicsTreatmentEx(PrintOption& options) {
  if (!isOptionSet(options, "GraphicsTreatmentBase") || !isOptionSet(options, "GraphicsTreatmentMode")) return;
  if (optionText(options, "GraphicsTreatmentBase") == "System") {
    options.set("GraphicsTreatmentEx", "System");
  } else if (optionText(options, "GraphicsTreatmentMode") == "Text") {
    options.set("GraphicsTreatmentEx", "JobText");
  } else {
    options.set("GraphicsTreatmentEx", "JobImage");
  }
}

void PrintOptionConverter::convertToCanonicalMagnification(PrintOption& options) {
  if (!isOptionSet(options, "Magnification")) return;
  options.set("Magnification", decimalToScaledInteger(optionText(options, "Magnification"), 1));
}

void PrintOptionConverter::convertToInternalMagnification(PrintOption& options) {
  if (!isOptionSet(options, "Magnification")) return;
  options.set("Magnification", scaledIntegerToDecimal(optionText(options, "Magnification"), 1));
}

}  // namespace orval
