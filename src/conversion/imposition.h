// Imposition conversion: the panes' few imposition controls (mode, pages per
// sheet, binding side, creep, fitting) to the full imposition description the
// printer description and the print server want (layout repeats, sheet
// direction, finished and sheet sizes in cep, layout base file, creep and
// back margin), and back. PrintOptionConverter runs these steps inside its
// internal <-> canonical conversion; each works in place on one PrintOption.
//
// Internal keys: "ImpositionMode_ImpositionCustomMode" ("Off", "Template",
// "Nup", "Booklet"), "ImpositionNup_NumOfPages" ("2up" ... "32up"),
// "ImpositionBooklet_LayoutBaseFile" ("Left"/"Right"),
// "ImpositionBooklet_CreepTotalOffset" (mm), "ImpositionNup_Fitting",
// "ImpositionBooklet_Fitting", read together with "DocumentOrientation" and
// "ChgPrintPaperSizeType"/"ChgPrintPaperSizeLength"/"ChgPrintPaperSizeWidth"
// (the custom size already in cep when the canonical step runs).
//
// A key holding an empty string counts as absent. Values the panes never
// produce are handled so that the canonical form stays complete and valid:
//  - an unknown imposition mode is converted as "Off" (a diagnostic is logged);
//  - an unknown or missing pages-per-sheet value is converted as "2up", the
//    value the way back gives any unknown layout;
//  - a missing paper size choice counts as "NoChange": no sheet size keys, the
//    orientation follows "Portrait", the finished sizes are 0;
//  - in booklet mode a document orientation other than "Portrait" or
//    "Landscape" leaves "RotationAngle" as it was;
//  - a negative custom length or width counts as 0 (an unknown size), instead
//    of turning into a huge unsigned size.
#pragma once

#include <string_view>

#include "platform/foundation/value.h"

namespace orval {

// Sets "Fitting" from the fitting switch of the current imposition mode, else "False".
void saveScaleToFitValue(PrintOption& options);
// Copies "Fitting" into the fitting switch of the current imposition mode; "Fitting" stays.
void setupScaleToFitValue(PrintOption& options);
// Sets the sheet size keys ("FixedForm", "SheetSizeName", "SheetSizeHeight", "SheetSizeWidth")
// from the paper size choice "ChgPrintPaperSizeType"; nothing for "NoChange".
void convertImpositionSheetSize(PrintOption& options);
// Sets the fixed companion values of imposition mode "Nup" or "Booklet"; other modes set nothing.
void restoreDefaultSettigImposition(PrintOption& options, std::string_view impositionMode);
// Internal imposition keys -> canonical imposition description.
void convertToCanonicalImpositionKeyword(PrintOption& options);
// Canonical imposition description -> internal imposition keys.
void convertToInternalImpositionKeyword(PrintOption& options);

}  // namespace orval
