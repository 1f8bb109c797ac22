// The plain C functions the OrvalPDE bundle exports for other modules.
//
// Each is a thin wrapper over the system's own function in liborval; the
// bundle's executable defines them itself, so a module that loads the bundle
// finds them in it by name (dlsym on the bundle's handle).
//
// Strings are zero-terminated UTF-8. A missing (null) argument does nothing
// and answers the failure value given below.
#pragma once

#include <cstddef>

#include "platform/foundation/value.h"

// Marks a function the bundle exports (the bundle's executable hides everything else).
#define ORVAL_PLUGIN_EXPORT __attribute__((visibility("default")))

extern "C" {

// Password encoder ------------------------------------------------------------------------------

// Loads the password encoding library from directory; 0 on success, -1 on failure.
ORVAL_PLUGIN_EXPORT int loadEncDec(const char* directory);
// Unloads the password encoding library.
ORVAL_PLUGIN_EXPORT void unloadEncDec(void);
// Encodes text into output (1024 bytes, cleared by the caller); 0 or a failure status.
ORVAL_PLUGIN_EXPORT int encode(const char* text, char* output);
// Decodes text into output (1024 bytes, cleared by the caller); 0 or a failure status.
ORVAL_PLUGIN_EXPORT int decode(const char* text, char* output);
// Self-test of the library in directory with clearText; 0, or -1 to -4 (message receives the library path).
ORVAL_PLUGIN_EXPORT int checkEncDec(const char* clearText, const char* directory, char* message);

// Field scrambler -----------------------------------------------------------------------------

// The scrambled form of clear with key, in a buffer the caller frees with free(); null for a
// missing argument or when memory runs out.
ORVAL_PLUGIN_EXPORT char* encryptString(const char* key, const char* clear);
// The clear text of scrambled with key ("" when it does not unscramble), in a buffer the caller
// frees with free(); null for a missing argument or when memory runs out.
ORVAL_PLUGIN_EXPORT char* decryptString(const char* key, const char* scrambled);
// Scrambles clear with key into out (outSize bytes, at least encryptionBufLen(clear)); 1 on
// success, 0 when refused (out then holds "").
ORVAL_PLUGIN_EXPORT int Encryption(const char* key, const char* clear, char* out, size_t outSize);
// Unscrambles scrambled with key into out (outSize bytes); 1 on success, 0 when refused.
ORVAL_PLUGIN_EXPORT int Decryption(const char* key, const char* scrambled, char* out, size_t outSize);
// The byte length of text in the default byte encoding x 2 + 3 (0 for a missing text).
ORVAL_PLUGIN_EXPORT int encryptionBufLen(const char* text);

// Keyword conversion ------------------------------------------------------------------------------

// Converts options from the canonical to the internal form, in place.
ORVAL_PLUGIN_EXPORT void ConvertToInternalPpdKeyword(orval::PrintOption* options);
// Converts options from the internal to the canonical form, in place (passwords encoded).
ORVAL_PLUGIN_EXPORT void ConvertToCanonicalPpdKeyword(orval::PrintOption* options);
// *result := the canonical set made from the InputMgr set options; 0 (result untouched) when
// either is missing, else 1.
ORVAL_PLUGIN_EXPORT int ToPpdKeywordFormat(const orval::PrintOption* options, orval::PrintOption* result);
// *result := the InputMgr set made from the canonical set options; 0 (result untouched) when
// either is missing, else 1.
ORVAL_PLUGIN_EXPORT int ToInputMgrFormat(const orval::PrintOption* options, orval::PrintOption* result);

// Favorite store -------------------------------------------------------------------------------

// name + " (Classic)", in a buffer the caller frees with free(); null for a missing argument or
// when memory runs out.
ORVAL_PLUGIN_EXPORT char* FavoriteNameAppendingClassic(const char* name);
// The favorite name of the file at path (its last component without the extension), in a buffer
// the caller frees with free(); null for a missing argument or when memory runs out.
ORVAL_PLUGIN_EXPORT char* FavoriteNameWithPath(const char* path);
// The comment of the favorite file at path, in a buffer the caller frees with free(); null when
// the file has none or does not read as a favorite.
ORVAL_PLUGIN_EXPORT char* FavoriteCommentWithContentsOfFile(const char* path);
// *result := the settings of the favorite file at path (every value a string); 0 (result
// untouched) when either is missing or the file does not read as a favorite, else 1.
ORVAL_PLUGIN_EXPORT int FavoriteDictionaryWithContentsOfFile(const char* path, orval::PrintOption* result);

// Favorite dialogs ------------------------------------------------------------------------------
//
// In/out strings are malloc'd buffers the caller owns (null for none): on OK the
// function frees each given output's previous buffer and stores a new one, which
// the caller frees with free(); on Cancel every output is left as it was.

// Runs the favorite manager on profilePath (may be null) and options (the current
// settings, may be null); 1 when it ended with OK (the edited list is then applied), else 0.
ORVAL_PLUGIN_EXPORT int ShowFavoriteModalDialog(const char* profilePath, const orval::PrintOption* options);
// Runs the save-favorite dialog showing *name and *comment; 1 on Save, with both replaced
// by the fields' texts; 0 on Cancel or when either pointer is missing.
ORVAL_PLUGIN_EXPORT int ShowSaveFavoriteModalDialog(char** name, char** comment);
// Restores the job name dialog from *mode ("Auto" or "Input") and *jobName and runs it;
// 1 on OK, with *mode, *jobName and (when escapedName is given) *escapedName replaced by
// the chosen mode, the typed name and its stored (escaped) form; 0 on Cancel or when mode
// or jobName is missing.
ORVAL_PLUGIN_EXPORT int ShowJobNameModalDialog(char** mode, char** escapedName, char** jobName);

}  // extern "C"
