// The bundle's exported C functions, each forwarding to liborval.
//
// exported_functions.h comes first: its declarations, which carry the export
// attribute, must be the first ones the compiler sees.
#include "plugin/exported_functions.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <string>

#include "conversion/field_scrambler.h"
#include "conversion/password_encoder.h"
#include "conversion/print_option_converter_exports.h"
#include "favorite_dialogs/favorite_window_controller.h"
#include "favorite_dialogs/job_name_win_controller.h"
#include "favorite_dialogs/save_favorite_window_controller.h"
#include "favorites/favorite_exports.h"
#include "platform/toolkit/modal_response.h"

namespace {

// A malloc'd copy of text (freed by the caller with free()), or null when memory runs out.
char* mallocCopy(const std::string& text) {
  auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
  if (copy != nullptr) std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

// A malloc'd copy of text, or null when there is none.
char* mallocCopy(const std::optional<std::string>& text) { return text ? mallocCopy(*text) : nullptr; }

// The text of an in/out string, or none.
std::optional<std::string> textOf(char* const* slot) {
  if (slot == nullptr || *slot == nullptr) return std::nullopt;
  return std::string(*slot);
}

// Frees the previous buffer of an in/out string and stores a copy of text.
void replaceText(char** slot, const std::string& text) {
  if (slot == nullptr) return;
  std::free(*slot);
  *slot = mallocCopy(text);
}

}  // namespace

extern "C" {

int loadEncDec(const char* directory) { return orval::loadEncDec(directory); }

void unloadEncDec(void) { orval::unloadEncDec(); }

int encode(const char* text, char* output) { return orval::encode(text, output); }

int decode(const char* text, char* output) { return orval::decode(text, output); }

int checkEncDec(const char* clearText, const char* directory, char* message) {
  return orval::checkEncDec(clearText, directory, message);
}

char* encryptString(const char* key, const char* clear) {
  if (key == nullptr || clear == nullptr) return nullptr;
  return mallocCopy(orval::encryptString(key, clear));
}

char* decryptString(const char* key, const char* scrambled) {
  if (key == nullptr || scrambled == nullptr) return nullptr;
  return mallocCopy(orval::decryptString(key, scrambled));
}

int Encryption(const char* key, const char* clear, char* out, size_t outSize) {
  if (key == nullptr || clear == nullptr || out == nullptr || outSize == 0) return 0;
  return orval::Encryption(key, clear, std::span<char>(out, outSize)) ? 1 : 0;
}

int Decryption(const char* key, const char* scrambled, char* out, size_t outSize) {
  if (key == nullptr || scrambled == nullptr || out == nullptr || outSize == 0) return 0;
  return orval::Decryption(key, scrambled, std::span<char>(out, outSize)) ? 1 : 0;
}

int encryptionBufLen(const char* text) { return text != nullptr ? orval::encryptionBufLen(text) : 0; }

void ConvertToInternalPpdKeyword(orval::PrintOption* options) { orval::ConvertToInternalPpdKeyword(options); }

void ConvertToCanonicalPpdKeyword(orval::PrintOption* options) { orval::ConvertToCanonicalPpdKeyword(options); }

int ToPpdKeywordFormat(const orval::PrintOption* options, orval::PrintOption* result) {
  if (result == nullptr) return 0;
  std::optional<orval::PrintOption> converted = orval::ToPpdKeywordFormat(options);
  if (!converted) return 0;
  *result = std::move(*converted);
  return 1;
}

int ToInputMgrFormat(const orval::PrintOption* options, orval::PrintOption* result) {
  if (result == nullptr) return 0;
  std::optional<orval::PrintOption> converted = orval::ToInputMgrFormat(options);
  if (!converted) return 0;
  *result = std::move(*converted);
  return 1;
}

char* FavoriteNameAppendingClassic(const char* name) { return mallocCopy(orval::FavoriteNameAppendingClassic(name)); }

char* FavoriteNameWithPath(const char* path) { return mallocCopy(orval::FavoriteNameWithPath(path)); }

char* FavoriteCommentWithContentsOfFile(const char* path) {
  return mallocCopy(orval::FavoriteCommentWithContentsOfFile(path));
}

int FavoriteDictionaryWithContentsOfFile(const char* path, orval::PrintOption* result) {
  if (result == nullptr) return 0;
  std::optional<orval::PrintOption> options = orval::FavoriteDictionaryWithContentsOfFile(path);
  if (!options) return 0;
  *result = std::move(*options);
  return 1;
}

int ShowFavoriteModalDialog(const char* profilePath, const orval::PrintOption* options) {
  const std::optional<std::string> path = profilePath != nullptr ? std::optional<std::string>(profilePath) : std::nullopt;
  const std::optional<orval::PrintOption> current = options != nullptr ? std::optional(*options) : std::nullopt;
  return orval::FavoriteWindowController::sharedInstance().showAsModalDialog(path, current) ==
                 orval::tk::ModalResponse::OK
             ? 1
             : 0;
}

int ShowSaveFavoriteModalDialog(char** name, char** comment) {
  if (name == nullptr || comment == nullptr) return 0;
  orval::SaveFavoriteWindowController& dialog = orval::SaveFavoriteWindowController::sharedInstance();
  if (dialog.showAsModalDialog(textOf(name), textOf(comment)) != orval::tk::ModalResponse::OK) return 0;
  replaceText(name, dialog.name());
  replaceText(comment, dialog.comment());
  return 1;
}

int ShowJobNameModalDialog(char** mode, char** escapedName, char** jobName) {
  if (mode == nullptr || jobName == nullptr) return 0;
  orval::JobNameWinController& dialog = orval::JobNameWinController::sharedInstance();
  dialog.restoreValues(textOf(mode), textOf(jobName));
  if (dialog.showAsModalDialog() != orval::tk::ModalResponse::OK) return 0;
  replaceText(mode, dialog.specificJobName());
  if (escapedName != nullptr) replaceText(escapedName, dialog.escapedJobName());
  replaceText(jobName, dialog.jobName());
  return 1;
}

}  // extern "C"
