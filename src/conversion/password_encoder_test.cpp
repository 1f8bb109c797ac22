#include "conversion/password_encoder.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "conversion/converter_test_support.h"
#include "platform/foundation/log.h"

namespace orval {
namespace {

using converter_testing::stdoutOf;
const std::string& kLibraryDir = converter_testing::kEncryptionLibraryDir;
const std::string kIncompleteDir = ORVAL_BINARY_DIR "/src/encryption/incomplete";

// The encoded form as a print server computes it from the library's format.
std::string referenceEncoding(std::string_view clear) {
  std::string out = "ENC1:";
  std::uint32_t s = 0x2C5A7E19u;
  for (const char c : clear) {
    s = s * 1103515245u + 12345u;
    const unsigned e = static_cast<unsigned char>(c) ^ ((s >> 16) & 0xFF);
    out += "0123456789ABCDEF"[e >> 4];
    out += "0123456789ABCDEF"[e & 0x0F];
  }
  return out;
}

// text with every printed address ("0x" and hexadecimal digits) replaced by "P".
std::string withoutAddresses(const std::string& text) {
  return std::regex_replace(text, std::regex("0x[0-9a-fA-F]+"), "P");
}

class PasswordEncoderTest : public testing::Test {
 protected:
  void TearDown() override { unloadEncDec(); }
};

TEST_F(PasswordEncoderTest, LoadAndUnloadStates) {
  char out[kEncDecBufferSize] = {};
  EXPECT_EQ(stdoutOf([&] { EXPECT_EQ(encode("abc", out), kEncDecNotLoaded); }), "xxx encode: library not loaded\n");
  // The directory is written without a line end; a second load does not reopen.
  EXPECT_EQ(stdoutOf([&] { EXPECT_EQ(loadEncDec(kLibraryDir.c_str()), 0); }), kLibraryDir);
  EXPECT_EQ(encDecState().entryPoints, 4);
  EXPECT_EQ(stdoutOf([&] { EXPECT_EQ(loadEncDec(kLibraryDir.c_str()), 0); }), kLibraryDir);
  unloadEncDec();
  EXPECT_EQ(encDecState().entryPoints, 0);
  // Opened once, closed once: the library is gone from the process.
  EXPECT_EQ(dlopen((kLibraryDir + kEncDecLibraryName).c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);

  const std::string dir = ORVAL_SOURCE_DIR "/src/conversion";  // a folder without the library
  LogCapture log;
  EXPECT_EQ(stdoutOf([&] { EXPECT_EQ(loadEncDec(dir.c_str()), -1); }),
            dir + "xxx dlopen(" + dir + "/libencryption.so) error 2\n");  // ENOENT
  EXPECT_TRUE(log.contains("###dlopen: ")) << testing::PrintToString(log.lines());
  EXPECT_FALSE(encDecState().libraryOpen);
  EXPECT_EQ(loadEncDec(nullptr), -1);
  const std::string tooLong(kEncDecPathCapacity, 'd');
  EXPECT_NE(stdoutOf([&] { EXPECT_EQ(loadEncDec(tooLong.c_str()), -1); }).find("xxx library path too long"),
            std::string::npos);
}

TEST_F(PasswordEncoderTest, IncompleteLibraryKeepsItsEntryPointsButIsNeverCalled) {
  const std::string printed = stdoutOf([&] { EXPECT_EQ(loadEncDec(kIncompleteDir.c_str()), -1); });
  EXPECT_EQ(withoutAddresses(printed), kIncompleteDir + "xxx incomplete status P, P, P, (nil), (nil)\n");
  EXPECT_FALSE(encDecState().libraryOpen);
  EXPECT_EQ(encDecState().entryPoints, 2);
  // The encode entry points point into a closed library: encode must not call them.
  char out[kEncDecBufferSize] = {};
  stdoutOf([&] { EXPECT_EQ(encode("abc", out), kEncDecNotLoaded); });
  // While any entry point is set, even a good library is not opened.
  const std::string again = stdoutOf([&] { EXPECT_EQ(loadEncDec(kLibraryDir.c_str()), -1); });
  EXPECT_EQ(withoutAddresses(again), kLibraryDir + "xxx incomplete status (nil), P, P, (nil), (nil)\n");
}

TEST_F(PasswordEncoderTest, RoundTripsWithinTheOutputBuffer) {
  stdoutOf([] { ASSERT_EQ(loadEncDec(kLibraryDir.c_str()), 0); });
  std::vector<char> out(kEncDecBufferSize + 64, '#');
  const std::string guard(64, '#');
  const auto blank = [&out] { std::fill_n(out.begin(), kEncDecBufferSize, '\0'); };  // a fresh output buffer
  // 509 bytes encode to 1023 bytes: the largest that fits with the terminator.
  for (const std::string& clear : std::vector<std::string>{"abc", "", "p\xC3\xA4sswort", std::string(509, 'x')}) {
    stdoutOf([&] { EXPECT_EQ(encode(clear.c_str(), out.data()), 0); });
    const std::string encoded = out.data();
    EXPECT_EQ(encoded, referenceEncoding(clear));
    stdoutOf([&] { EXPECT_EQ(decode(encoded.c_str(), out.data()), 0); });
    EXPECT_EQ(std::string(out.data()), clear);
  }
  blank();
  std::string printed = stdoutOf([&] { EXPECT_EQ(encode(std::string(510, 'x').c_str(), out.data()), kEncDecTooLong); });
  EXPECT_EQ(printed, "xxx encode: 1025 bytes do not fit in the output buffer\n");
  EXPECT_EQ(out[0], '\0');
  // A job may hold an encoded value of any length: 1024 decoded bytes do not fit, 1023 do.
  blank();
  stdoutOf([&] { EXPECT_EQ(decode(referenceEncoding(std::string(1024, 'y')).c_str(), out.data()), kEncDecTooLong); });
  EXPECT_EQ(out[0], '\0');
  stdoutOf([&] { EXPECT_EQ(decode(referenceEncoding(std::string(1023, 'y')).c_str(), out.data()), 0); });
  EXPECT_EQ(std::string(out.data()), std::string(1023, 'y'));
  EXPECT_EQ(std::string(out.data() + kEncDecBufferSize, 64), guard);
  // The library's own status comes back unchanged (2: not an encoded form).
  blank();
  EXPECT_EQ(stdoutOf([&] { EXPECT_EQ(decode("secret", out.data()), 2); }),
            "xxx encryption_decode_guess_count() error=2\n");
  EXPECT_EQ(out[0], '\0');
  EXPECT_EQ(encode(nullptr, out.data()), kEncDecParamErr);
  EXPECT_EQ(decode("ENC1:", nullptr), kEncDecParamErr);
}

TEST_F(PasswordEncoderTest, SelfTestNeverPrintsThePassword) {
  std::vector<char> message(kEncDecPathCapacity, '\0');
  const std::string printed = stdoutOf([&] { EXPECT_EQ(checkEncDec("abc", kLibraryDir.c_str(), message.data()), 0); });
  EXPECT_EQ(printed, kLibraryDir + "ENCODE:\n\"***\" -> \"ENC1:28C4AD\"\n" + "checkEncDec:encode ENC1:28C4AD\n" +
                         "DECODE:\n\"ENC1:28C4AD\" -> \"***\"\n" + "checkEncDec:decode abc\n" + "checkEncDec:OK\n");
  EXPECT_EQ(std::string(message.data()), kLibraryDir + "/libencryption.so");
  EXPECT_FALSE(encDecState().libraryOpen);
  // A text too long to encode fails the self-test and leaves the library loaded.
  const std::string failed =
      stdoutOf([&] { EXPECT_EQ(checkEncDec(std::string(600, 'z').c_str(), kLibraryDir.c_str(), nullptr), -2); });
  EXPECT_TRUE(failed.ends_with("checkEncDec:encode error\n")) << failed;
  EXPECT_TRUE(encDecState().libraryOpen);
}

}  // namespace
}  // namespace orval
