// The password encoder: the process-wide wrapper around the external password
// encoding library, which turns the passwords of a job into their encoded
// form ("SecurityPrintPassword", "RscPassword", "AuthJobPassword") and back.
//
// The library is loaded from the bundle's resource folder when the pane
// plug-in manager starts and unloaded when it goes. There is one module state
// per process (the library handle, its four entry points and the message
// buffer of the self-test); it is used from the user-interface thread only.
//
// Callers pass output buffers of kEncDecBufferSize bytes cleared to zero; the
// result is always a zero-terminated string inside that buffer. The wrapper
// prints its diagnostics ("xxx ..." lines) on standard output.
//
// The bundle executable exports these functions under their plain C names
// (src/plugin/exported_functions.h); inside the system they are called here.
#pragma once

#include <cstddef>

namespace orval {

// The library's file name, appended to the resource folder. On the original
// platform it was "/libencryption.dylib"; on Linux it is a shared object.
inline constexpr const char* kEncDecLibraryName = "/libencryption.so";
// The largest library path, terminator included.
inline constexpr std::size_t kEncDecPathCapacity = 2048;
// The size of the output buffers callers pass to encode and decode.
inline constexpr std::size_t kEncDecBufferSize = 1024;

// Statuses of the wrapper itself; any other nonzero status is the library's.
inline constexpr int kEncDecNotLoaded = -1;    // encode/decode called while no complete library is loaded
inline constexpr int kEncDecTooLong = -2;      // the result would not fit in the output buffer
inline constexpr int kEncDecParamErr = -50;    // a missing text or output buffer

// Loads the library from directory; 0 on success (also when already loaded), -1 on failure.
int loadEncDec(const char* directory);
// Closes the library and clears the handle and the four entry points.
void unloadEncDec();
// Encodes the zero-terminated text into output (kEncDecBufferSize bytes); 0 or a failure status.
int encode(const char* text, char* output);
// Decodes the zero-terminated encoded text into output (kEncDecBufferSize bytes); 0 or a failure status.
int decode(const char* text, char* output);
// Self-test: load from directory, encode and decode clearText, compare; 0 or -1..-4.
// message, when given, receives the library path (it must hold kEncDecPathCapacity bytes).
int checkEncDec(const char* clearText, const char* directory, char* message);

// What the module state holds, for diagnostics and tests.
struct EncDecState {
  bool libraryOpen = false;  // a library handle is held
  int entryPoints = 0;       // how many of the four entry points are set
};
// The current module state.
EncDecState encDecState();

}  // namespace orval
