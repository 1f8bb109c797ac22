// Image: a named picture with a size; no pixels are kept.
//
// Images come from PNG files (the size is read from the file's header
// chunk), from the system's icons, or from scaling another image.
#pragma once

#include <optional>
#include <string>

#include "platform/toolkit/geometry.h"

namespace orval::tk {

enum class SystemIcon { GenericDocument, Folder, UnknownFileSystemObject, AlertNote, Caution };

class Image {
 public:
  Image(std::string name, Size size, std::string path = {});

  // The PNG image at path (named by the file's name without its extension);
  // nullopt when the file is missing, unreadable or not a well-formed PNG.
  static std::optional<Image> fromFile(const std::string& path);
  // A system icon at 32 by 32 points.
  static Image systemIcon(SystemIcon icon);

  const std::string& name() const { return name_; }
  // The size in points at which the image is shown.
  Size size() const { return size_; }
  void setSize(Size size) { size_ = size; }
  // The file the image was read from, or empty.
  const std::string& path() const { return path_; }
  // A copy drawn into size.
  Image scaledTo(Size size) const;

  friend bool operator==(const Image&, const Image&) = default;

 private:
  std::string name_;
  Size size_;
  std::string path_;
};

// The pixel size of a PNG held in bytes; nullopt unless the bytes begin with
// the PNG signature and a well-formed header chunk (length 13, matching
// checksum, non-zero width and height).
std::optional<Size> pngSizeOfBytes(const std::string& bytes);

}  // namespace orval::tk
