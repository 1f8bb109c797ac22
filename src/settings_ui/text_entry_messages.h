// The messages of text entry validation: their localized texts, the title a
// field is named by, and the sheet that tells the person what to correct.
#pragma once

#include <string>

#include "platform/toolkit/control.h"
#include "platform/toolkit/window.h"

namespace orval {

// key localized through the registered string bundles; the key itself when
// no bundle is registered, so that a message is never shown blank.
std::string localizedMessage(const std::string& key);
// The field's title: the "title" entry of the dictionary its cell represents, or "--".
std::string fieldTitle(const tk::Control& field);
// Shows message with a localized "OK" button as a sheet on window (modally
// when there is no window) and waits for the person's answer.
void showFieldSheet(tk::Window* window, const std::string& message);

}  // namespace orval
