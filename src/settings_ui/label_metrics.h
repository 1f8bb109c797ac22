// Label metrics: the width of a label's text in the bold sans-serif face
// that the slider's end labels are measured in ("Helvetica Neue Bold").
//
// There is no font renderer in the headless toolkit, so the width comes from
// the face's advance widths: the Latin printable characters carry their own
// widths (in thousandths of the point size), wide East Asian characters one
// em, and any other character the face's average.
#pragma once

#include <string_view>

namespace orval {

// The name of the face the slider's end labels are measured in.
inline constexpr const char* kSliderEndLabelFontName = "Helvetica Neue Bold";
// Its size in points.
inline constexpr double kSliderEndLabelFontSize = 15;

// The width in points of text (UTF-8) set in the bold face at pointSize.
double boldLabelTextWidth(std::string_view text, double pointSize);

}  // namespace orval
