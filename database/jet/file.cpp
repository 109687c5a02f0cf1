#include "database/jet/file.h"

#include <algorithm>
#include <fstream>

#include "database/jet/error.h"

namespace jet {
namespace {

// The C++ library's file streams open without denying other programs reading or writing.
class StreamFile final : public File {
 public:
  explicit StreamFile(std::string path) : name_(std::move(path)) {
    stream_.open(name_, std::ios::binary | std::ios::in);
    if (!stream_) throw Error(name_, std::nullopt, "the file cannot be opened");
    stream_.seekg(0, std::ios::end);
    const std::streamoff end = stream_.tellg();
    if (!stream_ || end < 0) throw Error(name_, std::nullopt, "the size of the file cannot be read");
    size_ = static_cast<uint64_t>(end);
  }

  const std::string& name() const override { return name_; }
  uint64_t size() const override { return size_; }

  void read(uint64_t offset, std::span<uint8_t> into) const override {
    if (offset > size_ || into.size() > size_ - offset)
      throw Error(name_, std::nullopt, "a read past the end of the file was asked for");
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(offset));
    stream_.read(reinterpret_cast<char*>(into.data()), static_cast<std::streamsize>(into.size()));
    if (!stream_ || static_cast<size_t>(stream_.gcount()) != into.size())
      throw Error(name_, std::nullopt, "the file cannot be read at offset " + std::to_string(offset));
  }

 private:
  std::string name_;
  mutable std::ifstream stream_;
  uint64_t size_ = 0;
};

}  // namespace

std::unique_ptr<File> open_file_for_reading(const std::string& path) {
  return std::make_unique<StreamFile>(path);
}

MemoryFile::MemoryFile(std::string name, std::vector<uint8_t> bytes)
    : name_(std::move(name)), bytes_(std::move(bytes)) {}

void MemoryFile::read(uint64_t offset, std::span<uint8_t> into) const {
  if (offset > bytes_.size() || into.size() > bytes_.size() - offset)
    throw Error(name_, std::nullopt, "a read past the end of the file was asked for");
  std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
}

}  // namespace jet
