// The strict reader of the XML property-list form. libplist 2.2's own XML
// reader accepts missing end tags and unreadable numbers, dates and data,
// answering partial or invented values, so the XML form is read here: one
// well-formed document whose root <plist> holds exactly one value, every
// element known, every scalar's text valid.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/value.h"

namespace orval::detail {

// The value of an XML property list (UTF-8 text); nullopt and a reason naming the byte otherwise.
std::optional<Value> readXmlPlist(std::string_view text, std::string& error);

}  // namespace orval::detail
