// The print option consistency check: before the detailed-settings window
// accepts a whole option set, every feature that is switched on and needs a
// name, file, text or number must have one. The check collects one message
// for every missing value, shows them together in one alert, and answers
// whether the set may be accepted. PanePlugInMgr answers
// isPrintOptionConsistencyCheck through it.
//
// Values are read as text: a value is set when it is present and its text is
// not empty; a key equals a text when it is set and its text is exactly that
// text (case-sensitive). The check keeps no state.
#pragma once

#include <string>
#include <vector>

#include "platform/foundation/value.h"

namespace orval {

// The message keys of the rules that fire for options ("Alert_SecurityPrintPassword"...), in
// the rules' order; empty when the set is consistent.
std::vector<std::string> printOptionConsistencyMessageKeys(const PrintOption& options);
// The alert's text: each key's localized message followed by a carriage return.
std::string printOptionConsistencyMessageText(const std::vector<std::string>& messageKeys);
// Checks options; when a rule fires, shows the one alert (title "Alert_ChkMsg", button "OK")
// through the application's operator and answers false once it is closed; true when none fires.
bool isPrintOptionConsistencyCheck(const PrintOption& options);
// The same for a set that may be missing: a missing set is consistent.
bool isPrintOptionConsistencyCheck(const PrintOption* options);

}  // namespace orval
