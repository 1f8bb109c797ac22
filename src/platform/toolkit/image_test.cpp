#include "platform/toolkit/image.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/foundation/temporary_folder_test_support.h"

namespace orval::tk {
namespace {

namespace fs = std::filesystem;

// A complete 3 x 2 RGB PNG (header, image data, end).
const unsigned char kPng3x2[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00,
    0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0x12, 0x16, 0xf1, 0x4d, 0x00,
    0x00, 0x00, 0x10, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0xf8, 0xcf, 0xc0, 0x00, 0x41, 0x0c, 0x70,
    0x16, 0x00, 0x41, 0xd2, 0x05, 0xfb, 0x87, 0xf0, 0xb9, 0x48, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e,
    0x44, 0xae, 0x42, 0x60, 0x82};

class ImageTest : public ::testing::Test {
 protected:
  static std::string png() { return std::string(reinterpret_cast<const char*>(kPng3x2), sizeof kPng3x2); }
  foundation_testing::TemporaryFolder folder;
  const fs::path dir_ = folder.path();
};

TEST_F(ImageTest, ReadsTheSizeOfARealPng) {
  std::optional<Image> image = Image::fromFile(folder.write("group_icon.png", png()).string());
  ASSERT_TRUE(image);
  EXPECT_EQ(std::tuple(image->size(), image->name(), image->scaledTo({16, 16}).size()),
            std::tuple(Size{3, 2}, "group_icon", Size{16, 16}));
}

TEST_F(ImageTest, MissingOrMalformedFilesGiveNoImage) {
  EXPECT_FALSE(Image::fromFile((dir_ / "absent.png").string()));
  EXPECT_FALSE(Image::fromFile(dir_.string()));  // a folder
  EXPECT_FALSE(Image::fromFile(folder.write("text.png", "not an image at all, just some text").string()));
  EXPECT_FALSE(Image::fromFile(folder.write("short.png", png().substr(0, 20)).string()));
  std::string corrupt = png();
  corrupt[19] = 0x04;  // width changed, checksum no longer matches
  EXPECT_FALSE(Image::fromFile(folder.write("corrupt.png", corrupt).string()));
  EXPECT_TRUE(pngSizeOfBytes(png().substr(0, 33)));  // the header chunk is enough
}

}  // namespace
}  // namespace orval::tk
