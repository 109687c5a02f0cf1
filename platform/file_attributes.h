#pragma once
// File and folder attributes (GetFileAttributesA).

namespace platform {

inline constexpr unsigned long kInvalidFileAttributes = 0xFFFFFFFF;
inline constexpr unsigned long kFileAttributeDirectory = 0x10;

class FileAttributes {
 public:
  virtual ~FileAttributes() = default;

  // The attributes of an existing file or folder, kInvalidFileAttributes otherwise.
  virtual unsigned long Get(const char* path) = 0;
};

}  // namespace platform
