// The common alerts: an informational message, and the alert that shows a
// caught exception of the platform's exception class ("Exception: %@").
//
// Both are shown modally through the application's operator with one
// localized "OK" button, and answer the code of the button pressed (1000).
// With no operator to answer them they throw tk::OperatorError, as every
// modal dialog of the toolkit does.
#pragma once

#include <string>

#include "platform/foundation/platform_exception.h"

namespace orval {

// Shows an informational alert with message (and informativeText, when not
// empty) and the localized "OK" button; answers the pressed button's code.
int showInformationalAlert(const std::string& message, const std::string& informativeText = {});
// Shows the localized "Exception: %@" filled with the exception's reason as
// an informational alert; answers the pressed button's code.
int showExceptionAlert(const PlatformException& exception);

}  // namespace orval
