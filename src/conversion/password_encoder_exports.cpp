// The password encoder under its plain C names, the form in which the bundle
// exports it to other modules.
#include "conversion/password_encoder.h"

extern "C" {

int loadEncDec(const char* directory) { return orval::loadEncDec(directory); }
void unloadEncDec(void) { orval::unloadEncDec(); }
int encode(const char* text, char* output) { return orval::encode(text, output); }
int decode(const char* text, char* output) { return orval::decode(text, output); }
int checkEncDec(const char* clearText, const char* directory, char* message) {
  return orval::checkEncDec(clearText, directory, message);
}

}  // extern "C"
