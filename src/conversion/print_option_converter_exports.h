// The keyword conversions as plain functions, the form in which the bundle
// exports them for other modules (the favorite dialogs among them). Each
// reaches the shared PrintOptionConverter; a missing argument does nothing
// and gives nothing.
#pragma once

#include <optional>

#include "platform/foundation/value.h"

namespace orval {

// Converts options from the canonical to the internal form, in place.
void ConvertToInternalPpdKeyword(PrintOption* options);
// Converts options from the internal to the canonical form, in place, with the custom flag set.
void ConvertToCanonicalPpdKeyword(PrintOption* options);
// A new canonical set made from the InputMgr set options; none when options is missing.
std::optional<PrintOption> ToPpdKeywordFormat(const PrintOption* options);
// A new InputMgr set made from the canonical set options; none when options is missing.
std::optional<PrintOption> ToInputMgrFormat(const PrintOption* options);

}  // namespace orval
