#include "platform/toolkit/image.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace orval::tk {

namespace {

// CRC-32 as PNG chunks use it (polynomial 0xEDB88320).
std::uint32_t crc32(const unsigned char* bytes, std::size_t length) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < length; ++i) c = table[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t bigEndian32(const unsigned char* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | std::uint32_t(p[3]);
}

// Signature (8) + length (4) + "IHDR" (4) + header data (13) + CRC (4).
constexpr std::size_t kHeaderBytes = 33;

}  // namespace

Image::Image(std::string name, Size size, std::string path)
    : name_(std::move(name)), size_(size), path_(std::move(path)) {}

std::optional<Size> pngSizeOfBytes(const std::string& bytes) {
  static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < kHeaderBytes) return std::nullopt;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  for (int i = 0; i < 8; ++i)
    if (p[i] != signature[i]) return std::nullopt;
  if (bigEndian32(p + 8) != 13) return std::nullopt;
  if (p[12] != 'I' || p[13] != 'H' || p[14] != 'D' || p[15] != 'R') return std::nullopt;
  // The checksum covers the chunk type and data.
  if (crc32(p + 12, 4 + 13) != bigEndian32(p + 29)) return std::nullopt;
  const std::uint32_t width = bigEndian32(p + 16);
  const std::uint32_t height = bigEndian32(p + 20);
  if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) return std::nullopt;
  return Size{static_cast<double>(width), static_cast<double>(height)};
}

std::optional<Image> Image::fromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string header(kHeaderBytes, '\0');
  in.read(header.data(), static_cast<std::streamsize>(header.size()));
  header.resize(static_cast<std::size_t>(in.gcount()));
  const std::optional<Size> size = pngSizeOfBytes(header);
  if (!size) return std::nullopt;
  return Image(std::filesystem::path(path).stem().string(), *size, path);
}

Image Image::systemIcon(SystemIcon icon) {
  const char* name = "";
  switch (icon) {
    case SystemIcon::GenericDocument:
      name = "GenericDocumentIcon";
      break;
    case SystemIcon::Folder:
      name = "GenericFolderIcon";
      break;
    case SystemIcon::UnknownFileSystemObject:
      name = "UnknownFSObjectIcon";
      break;
    case SystemIcon::AlertNote:
      name = "AlertNoteIcon";
      break;
    case SystemIcon::Caution:
      name = "AlertCautionIcon";
      break;
  }
  return Image(name, {32, 32});
}

Image Image::scaledTo(Size size) const {
  Image copy = *this;
  copy.size_ = size;
  return copy;
}

}  // namespace orval::tk
