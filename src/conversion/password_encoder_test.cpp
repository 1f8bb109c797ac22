#include "conversion/password_encoder.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "platform/foundation/log.h"

namespace orval {
namespace {

const std::string kLibraryDir = ORVAL_BINARY_DIR "/src/encryption";
const std::string kIncompleteDir = ORVAL_BINARY_DIR "/src/encryption/incomplete";

// The encoded form as a print server computes it from the library's format.
std::string referenceEncoding(std::string_view clear) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out = "ENC1:";
  std::uint32_t s = 0x2C5A7E19u;
  for (const char c : clear) {
    s = s * 1103515245u + 12345u;
    const unsigned e = static_cast<unsigned char>(c) ^ ((s >> 16) & 0xFF);
    out += digits[e >> 4];
    out += digits[e & 0x0F];
  }
  return out;
}

template <typename Action>
std::string stdoutOf(Action action) {
  testing::internal::CaptureStdout();
  action();
  return testing::internal::GetCapturedStdout();
}

int loadQuietly(const std::string& dir) {
  int status = 0;
  stdoutOf([&] { status = loadEncDec(dir.c_str()); });
  return status;
}

// text with every printed address ("0x" and hexadecimal digits) replaced by "P".
std::string withoutAddresses(const std::string& text) {
  return std::regex_replace(text, std::regex("0x[0-9a-fA-F]+"), "P");
}

class PasswordEncoderTest : public testing::Test {
 protected:
  void SetUp() override {
    emptyDir_ = std::filesystem::path(testing::TempDir()) / "orval-no-encryption-library";
    std::filesystem::create_directories(emptyDir_);
  }
  void TearDown() override {
    unloadEncDec();
    std::filesystem::remove_all(emptyDir_);
  }

  // Encodes (or decodes) into a fresh 1024-byte buffer; the status goes to *status.
  static std::string run(int (*convert)(const char*, char*), const std::string& text, int* status) {
    std::vector<char> out(kEncDecBufferSize, '\0');
    testing::internal::CaptureStdout();
    *status = convert(text.c_str(), out.data());
    testing::internal::GetCapturedStdout();
    return std::string(out.data());
  }

  std::filesystem::path emptyDir_;
};

TEST_F(PasswordEncoderTest, LoadAndUnloadStates) {
  char out[kEncDecBufferSize] = {};
  EXPECT_EQ(stdoutOf([&] { EXPECT_EQ(encode("abc", out), kEncDecNotLoaded); }), "xxx encode: library not loaded\n");
  EXPECT_EQ(out[0], '\0');

  // The directory is written without a line end; a second load does not reopen.
  EXPECT_EQ(stdoutOf([&] { EXPECT_EQ(loadEncDec(kLibraryDir.c_str()), 0); }), kLibraryDir);
  EXPECT_EQ(encDecState().entryPoints, 4);
  EXPECT_EQ(stdoutOf([&] { EXPECT_EQ(loadEncDec(kLibraryDir.c_str()), 0); }), kLibraryDir);

  unloadEncDec();
  EXPECT_EQ(encDecState().entryPoints, 0);
  // Opened once, closed once: the library is gone from the process.
  const std::string path = kLibraryDir + kEncDecLibraryName;
  EXPECT_EQ(dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST_F(PasswordEncoderTest, FolderWithoutTheLibraryAnswersMinusOne) {
  const std::string dir = emptyDir_.string();
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
  unloadEncDec();
  stdoutOf([&] { EXPECT_EQ(loadEncDec(kLibraryDir.c_str()), 0); });
}

TEST_F(PasswordEncoderTest, EncodeAndDecodeRoundTrip) {
  ASSERT_EQ(loadQuietly(kLibraryDir), 0);
  for (const std::string& clear : std::vector<std::string>{"abc", "", "p\xC3\xA4sswort", "\xE3\x83\x91\xE3\x82\xB9\xE3\x83\xAF\xE3\x83\xBC\xE3\x83\x89",
                                  std::string(509, 'x')}) {
    int status = -99;
    const std::string encoded = run(encode, clear, &status);
    EXPECT_EQ(status, 0);
    // The whole encoded form precedes the first zero byte.
    EXPECT_EQ(encoded, referenceEncoding(clear));
    const std::string decoded = run(decode, encoded, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(decoded, clear);
  }
}

TEST_F(PasswordEncoderTest, NeverWritesPastTheOutputBuffer) {
  ASSERT_EQ(loadQuietly(kLibraryDir), 0);
  // 509 bytes encode to 1023 bytes: the largest that fits with the terminator.
  std::vector<char> exact(kEncDecBufferSize, '\0');
  stdoutOf([&] { EXPECT_EQ(encode(std::string(509, 'x').c_str(), exact.data()), 0); });
  EXPECT_EQ(std::strlen(exact.data()), kEncDecBufferSize - 1);

  constexpr std::size_t kGuard = 64;
  std::vector<char> out(kEncDecBufferSize + kGuard, '\0');
  std::fill(out.begin() + kEncDecBufferSize, out.end(), '#');
  const std::string guard(kGuard, '#');
  std::string printed = stdoutOf([&] { EXPECT_EQ(encode(std::string(510, 'x').c_str(), out.data()), kEncDecTooLong); });
  EXPECT_EQ(printed, "xxx encode: 1025 bytes do not fit in the output buffer\n");
  EXPECT_EQ(out[0], '\0');
  EXPECT_EQ(std::string(out.data() + kEncDecBufferSize, kGuard), guard);

  // A job may hold an encoded value of any length: 1024 decoded bytes do not fit, 1023 do.
  stdoutOf([&] { EXPECT_EQ(decode(referenceEncoding(std::string(1024, 'y')).c_str(), out.data()), kEncDecTooLong); });
  EXPECT_EQ(out[0], '\0');
  EXPECT_EQ(std::string(out.data() + kEncDecBufferSize, kGuard), guard);
  stdoutOf([&] { EXPECT_EQ(decode(referenceEncoding(std::string(1023, 'y')).c_str(), out.data()), 0); });
  EXPECT_EQ(std::string(out.data()), std::string(1023, 'y'));
  EXPECT_EQ(std::string(out.data() + kEncDecBufferSize, kGuard), guard);
}

TEST_F(PasswordEncoderTest, ReportsFailuresAndNeverPrintsThePassword) {
  ASSERT_EQ(loadQuietly(kLibraryDir), 0);
  char out[kEncDecBufferSize] = {};
  // The library's own status comes back unchanged (2: not an encoded form).
  EXPECT_EQ(stdoutOf([&] { EXPECT_EQ(decode("secret", out), 2); }), "xxx encryption_decode_guess_count() error=2\n");
  EXPECT_EQ(out[0], '\0');
  EXPECT_EQ(encode(nullptr, out), kEncDecParamErr);
  EXPECT_EQ(decode("ENC1:", nullptr), kEncDecParamErr);
  EXPECT_EQ(stdoutOf([&] { EXPECT_EQ(encode("secret", out), 0); }),
            "ENCODE:\n\"******\" -> \"" + referenceEncoding("secret") + "\"\n");
}

TEST_F(PasswordEncoderTest, SelfTest) {
  std::vector<char> message(kEncDecPathCapacity, '\0');
  const std::string printed = stdoutOf([&] { EXPECT_EQ(checkEncDec("abc", kLibraryDir.c_str(), message.data()), 0); });
  EXPECT_EQ(printed, kLibraryDir + "ENCODE:\n\"***\" -> \"ENC1:28C4AD\"\n" + "checkEncDec:encode ENC1:28C4AD\n" +
                         "DECODE:\n\"ENC1:28C4AD\" -> \"***\"\n" + "checkEncDec:decode abc\n" + "checkEncDec:OK\n");
  EXPECT_EQ(std::string(message.data()), kLibraryDir + "/libencryption.so");
  EXPECT_FALSE(encDecState().libraryOpen);

  // A text too long to encode fails the self-test and leaves the library loaded.
  const std::string failed = stdoutOf([&] { EXPECT_EQ(checkEncDec(std::string(600, 'z').c_str(), kLibraryDir.c_str(), nullptr), -2); });
  EXPECT_TRUE(failed.ends_with("checkEncDec:encode error\n")) << failed;
  EXPECT_TRUE(encDecState().libraryOpen);
}

}  // namespace
}  // namespace orval
