/* The password encoding library's interface: four C entry points that turn a
 * password into its encoded form for the job and back.
 *
 * The library is loaded at run time by the password encoder wrapper
 * (conversion/password_encoder.h) and is meant to be reimplemented as easily
 * by the print server that reads the jobs. The encoded form is described in
 * encryption.cpp. Every entry point returns 0 on success or one of the
 * statuses below; on failure nothing is written to the output buffer.
 * This header is plain C so that it serves C and C++ alike. */
#ifndef ORVAL_ENCRYPTION_H
#define ORVAL_ENCRYPTION_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
  ENCRYPTION_OK = 0,
  ENCRYPTION_ERR_ARGUMENT = 1, /* a required pointer is null */
  ENCRYPTION_ERR_INPUT = 2,    /* clear text with a zero byte, or not an encoded form */
  ENCRYPTION_ERR_BUFFER = 3,   /* the output capacity is smaller than the result */
  ENCRYPTION_ERR_LENGTH = 4    /* the result's length would not fit in a size_t */
};

/* The number of bytes encoding input takes (no terminator counted). */
int encryption_encode_guess_count(const char* input, size_t input_length, size_t* output_length);
/* Encodes input into output; *output_length: in, the capacity; out, the bytes written. */
int encryption_encode(const char* input, size_t input_length, char* output, size_t* output_length);
/* The number of bytes decoding input gives; fails on input that is not an encoded form. */
int encryption_decode_guess_count(const char* input, size_t input_length, size_t* output_length);
/* Decodes input into output; *output_length: in, the capacity; out, the bytes written. */
int encryption_decode(const char* input, size_t input_length, char* output, size_t* output_length);

#ifdef __cplusplus
}
#endif

#endif /* ORVAL_ENCRYPTION_H */
