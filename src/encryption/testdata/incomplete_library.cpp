// A password library without its decode entry points: the loader must refuse it and never call what it found.
#include <stddef.h>
#define EXPORT __attribute__((visibility("default")))
extern "C" {
EXPORT int encryption_encode_guess_count(const char*, size_t, size_t* length) { return *length = 0; }
EXPORT int encryption_encode(const char*, size_t, char*, size_t* length) { return *length = 0; }
}
