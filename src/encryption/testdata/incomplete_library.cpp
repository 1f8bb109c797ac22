// A password library that lacks its decode entry points: the loader must
// refuse it, report the incomplete status, and never call what it found.
#include <stddef.h>

extern "C" {

__attribute__((visibility("default"))) int encryption_encode_guess_count(const char*, size_t, size_t* length) {
  *length = 0;
  return 0;
}

__attribute__((visibility("default"))) int encryption_encode(const char*, size_t, char*, size_t* length) {
  *length = 0;
  return 0;
}

}  // extern "C"
