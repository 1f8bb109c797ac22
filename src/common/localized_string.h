// Localized text: every visible string is a key looked up in a registered bundle.
//
// Two registrations feed the lookup: the bundle set by
// SetNSBundleForLocalizedString, which is preferred, and the bundle set by
// SetCFBundleRefForLocalizedString. The bundle answers from its string tables
// in the user's preferred languages; a key without an entry is answered as it
// stands. With neither bundle registered there is no text (an empty string).
#pragma once

#include <memory>
#include <string>

#include "platform/foundation/bundle.h"

namespace orval {

// The name of the string table that holds the texts of the UI description.
inline constexpr const char* kUIStringTable = "UI";

// Registers the preferred bundle of localized strings (nullptr forgets it).
void SetNSBundleForLocalizedString(std::shared_ptr<Bundle> bundle);
// Registers the fallback bundle of localized strings (nullptr forgets it).
void SetCFBundleRefForLocalizedString(std::shared_ptr<Bundle> bundle);
// The bundle lookups go to: the preferred one, else the fallback, else nullptr.
std::shared_ptr<Bundle> localizedStringBundle();

// key localized from the default string table; empty with no bundle registered.
std::string BSLocalizedString(const std::string& key);
// key localized from table (the default table when empty); empty with no bundle registered.
std::string BSLocalizedStringFromTable(const std::string& key, const std::string& table);

// Test-only: forgets both registrations.
void resetLocalizedStringBundlesForTesting();

}  // namespace orval
