#include "conversion/password_encoder.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "platform/foundation/log.h"

namespace orval {
namespace {

// The entry points' types, as the library is called.
using GuessCountFunction = int (*)(const char* input, std::size_t inputLength, std::size_t* outputLength);
using CodeFunction = int (*)(const char* input, std::size_t inputLength, char* output, std::size_t* outputLength);

struct LibraryCloser {
  void operator()(void* handle) const { dlclose(handle); }
};

// The module state: one per process.
struct EncoderModule {
  std::unique_ptr<void, LibraryCloser> library;
  GuessCountFunction encodeGuessCount = nullptr;
  CodeFunction encodeBytes = nullptr;
  GuessCountFunction decodeGuessCount = nullptr;
  CodeFunction decodeBytes = nullptr;
  char* messageBuffer = nullptr;

  bool anyEntryPoint() const { return encodeGuessCount || encodeBytes || decodeGuessCount || decodeBytes; }
  bool allEntryPoints() const { return encodeGuessCount && encodeBytes && decodeGuessCount && decodeBytes; }
  // Entry points are called only through a library that is still open: an
  // incomplete load keeps what it found, but those addresses belong to a
  // library that has been closed again.
  bool loaded() const { return library && allEntryPoints(); }
};

EncoderModule& module() {
  static EncoderModule state;
  return state;
}

template <typename Function>
Function lookUp(void* library, const char* name) {
  return reinterpret_cast<Function>(dlsym(library, name));
}

// The system error number of a library file that failed to open: the dynamic
// loader leaves errno alone, so ask the file system (0 when the file is
// readable and the failure lies in its contents; the loader's reason is logged).
int fileErrorNumber(const std::string& path) {
  errno = 0;
  return access(path.c_str(), R_OK) == 0 ? 0 : errno;
}

void* address(auto function) { return reinterpret_cast<void*>(function); }

// One direction of the conversion: the entry points and the words of its messages.
struct Direction {
  GuessCountFunction guessCount;
  CodeFunction code;
  const char* guessCountName;  // "encryption_encode_guess_count"
  const char* codeName;        // "encryption_encode"
  const char* operation;       // "encode"
  const char* banner;          // "ENCODE:"
  bool outputIsClear;          // the output, not the input, is the password
};

// The password's bytes shown as asterisks: the diagnostics never carry a password in clear.
std::string masked(const char* text) { return std::string(std::strlen(text), '*'); }

int convert(const Direction& direction, const char* text, char* output) {
  if (text == nullptr || output == nullptr) return kEncDecParamErr;
  if (!module().loaded()) {
    std::printf("xxx %s: library not loaded\n", direction.operation);
    return kEncDecNotLoaded;
  }
  const std::size_t length = std::strlen(text);
  std::size_t count = 0;
  if (const int status = direction.guessCount(text, length, &count); status != 0) {
    std::printf("xxx %s() error=%d\n", direction.guessCountName, status);
    return status;
  }
  if (count >= kEncDecBufferSize) {
    std::printf("xxx %s: %zu bytes do not fit in the output buffer\n", direction.operation, count);
    return kEncDecTooLong;
  }
  const std::size_t capacity = count;
  if (const int status = direction.code(text, length, output, &count); status != 0) {
    std::printf("xxx %s() error=%d\n", direction.codeName, status);
    return status;
  }
  if (count > capacity) {
    std::printf("xxx %s: %zu bytes do not fit in the output buffer\n", direction.operation, count);
    return kEncDecTooLong;
  }
  output[count] = '\0';
  std::printf("%s\n", direction.banner);
  if (direction.outputIsClear) {
    std::printf("\"%s\" -> \"%s\"\n", text, masked(output).c_str());
  } else {
    std::printf("\"%s\" -> \"%s\"\n", masked(text).c_str(), output);
  }
  return 0;
}

}  // namespace

int loadEncDec(const char* directory) {
  if (directory == nullptr) return -1;
  EncoderModule& state = module();
  std::printf("%s", directory);
  const std::string path = std::string(directory) + kEncDecLibraryName;
  if (path.size() >= kEncDecPathCapacity) {
    std::printf("xxx library path too long (%zu bytes)\n", path.size());
    return -1;
  }
  if (state.messageBuffer != nullptr) std::memcpy(state.messageBuffer, path.c_str(), path.size() + 1);

  if (!state.library && !state.anyEntryPoint()) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      const char* error = dlerror();
      const std::string reason = error != nullptr ? error : "unknown error";
      std::printf("xxx dlopen(%s) error %d\n", path.c_str(), fileErrorNumber(path));
      logMessage("###dlopen: " + reason);
      return -1;
    }
    state.library.reset(handle);
    state.encodeGuessCount = lookUp<GuessCountFunction>(handle, "encryption_encode_guess_count");
    state.encodeBytes = lookUp<CodeFunction>(handle, "encryption_encode");
    state.decodeGuessCount = lookUp<GuessCountFunction>(handle, "encryption_decode_guess_count");
    state.decodeBytes = lookUp<CodeFunction>(handle, "encryption_decode");
  }
  if (state.loaded()) return 0;

  std::printf("xxx incomplete status %p, %p, %p, %p, %p\n", state.library.get(), address(state.encodeGuessCount),
              address(state.encodeBytes), address(state.decodeGuessCount), address(state.decodeBytes));
  state.library.reset();
  return -1;
}

void unloadEncDec() {
  EncoderModule& state = module();
  state.library.reset();
  state.encodeGuessCount = nullptr;
  state.encodeBytes = nullptr;
  state.decodeGuessCount = nullptr;
  state.decodeBytes = nullptr;
}

int encode(const char* text, char* output) {
  const EncoderModule& state = module();
  return convert({state.encodeGuessCount, state.encodeBytes, "encryption_encode_guess_count", "encryption_encode",
                  "encode", "ENCODE:", false},
                 text, output);
}

int decode(const char* text, char* output) {
  const EncoderModule& state = module();
  return convert({state.decodeGuessCount, state.decodeBytes, "encryption_decode_guess_count", "encryption_decode",
                  "decode", "DECODE:", true},
                 text, output);
}

int checkEncDec(const char* clearText, const char* directory, char* message) {
  EncoderModule& state = module();
  // The message buffer is the caller's and lives only for this call.
  state.messageBuffer = message;
  struct ForgetMessageBuffer {
    EncoderModule& state;
    ~ForgetMessageBuffer() { state.messageBuffer = nullptr; }
  } forget{state};

  if (loadEncDec(directory) != 0) {
    std::printf("checkEncDec:loadEncDec error\n");
    return -1;
  }
  char encoded[kEncDecBufferSize] = {};
  if (encode(clearText, encoded) != 0) {
    std::printf("checkEncDec:encode error\n");
    return -2;
  }
  std::printf("checkEncDec:encode %s\n", encoded);
  char decoded[kEncDecBufferSize] = {};
  if (decode(encoded, decoded) != 0) {
    std::printf("checkEncDec:decode error\n");
    return -3;
  }
  std::printf("checkEncDec:decode %s\n", decoded);
  const bool same = std::strcmp(decoded, clearText) == 0;
  std::printf(same ? "checkEncDec:OK\n" : "checkEncDec:NG\n");
  unloadEncDec();
  return same ? 0 : -4;
}

EncDecState encDecState() {
  const EncoderModule& state = module();
  const int entryPoints = (state.encodeGuessCount != nullptr) + (state.encodeBytes != nullptr) +
                          (state.decodeGuessCount != nullptr) + (state.decodeBytes != nullptr);
  return {state.library != nullptr, entryPoints};
}

}  // namespace orval
