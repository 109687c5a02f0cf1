#include "database/jet/file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "database/jet/error.h"

namespace jet {
namespace {

// The C++ library's file streams open without denying other programs reading or writing.
class StreamFile final : public File {
 public:
  StreamFile(std::string path, std::ios::openmode mode) : name_(std::move(path)), writable_((mode & std::ios::out) != 0) {
    stream_.open(name_, std::ios::binary | mode);
    if (!stream_) throw Error(name_, std::nullopt, "the file cannot be opened");
    stream_.seekg(0, std::ios::end);
    const std::streamoff end = stream_.tellg();
    if (!stream_ || end < 0) throw Error(name_, std::nullopt, "the size of the file cannot be read");
    size_ = static_cast<uint64_t>(end);
  }

  const std::string& name() const override { return name_; }
  uint64_t size() const override { return size_; }
  bool writable() const override { return writable_; }

  void read(uint64_t offset, std::span<uint8_t> into) const override {
    if (offset > size_ || into.size() > size_ - offset)
      throw Error(name_, std::nullopt, "a read past the end of the file was asked for");
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(offset));
    stream_.read(reinterpret_cast<char*>(into.data()), static_cast<std::streamsize>(into.size()));
    if (!stream_ || static_cast<size_t>(stream_.gcount()) != into.size())
      throw Error(name_, std::nullopt, "the file cannot be read at offset " + std::to_string(offset));
  }

  void write(uint64_t offset, std::span<const uint8_t> bytes) override {
    if (!writable_) File::write(offset, bytes);
    stream_.clear();
    stream_.seekp(static_cast<std::streamoff>(offset));
    stream_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!stream_) throw Error(name_, std::nullopt, "the file cannot be written at offset " + std::to_string(offset));
    size_ = std::max<uint64_t>(size_, offset + bytes.size());
  }

  void flush() override {
    stream_.flush();
    if (!stream_) throw Error(name_, std::nullopt, "the file cannot be written");
  }

 private:
  std::string name_;
  bool writable_;
  mutable std::fstream stream_;
  uint64_t size_ = 0;
};

}  // namespace

void File::write(uint64_t, std::span<const uint8_t>) {
  throw Error(name(), std::nullopt, "the database is open for reading only");
}

std::unique_ptr<File> open_file_for_reading(const std::string& path) {
  return std::make_unique<StreamFile>(path, std::ios::in);
}

std::unique_ptr<File> open_file_for_writing(const std::string& path) {
  return std::make_unique<StreamFile>(path, std::ios::in | std::ios::out);
}

std::unique_ptr<File> create_file(const std::string& path) {
  std::error_code ignored;
  if (std::filesystem::exists(std::filesystem::path(path), ignored))
    throw Error(path, std::nullopt, "the file already exists");
  {
    std::ofstream make(std::filesystem::path(path), std::ios::binary);
    if (!make) throw Error(path, std::nullopt, "the file cannot be created");
  }
  return open_file_for_writing(path);
}

MemoryFile::MemoryFile(std::string name, std::vector<uint8_t> bytes)
    : name_(std::move(name)), bytes_(std::move(bytes)) {}

void MemoryFile::read(uint64_t offset, std::span<uint8_t> into) const {
  if (offset > bytes_.size() || into.size() > bytes_.size() - offset)
    throw Error(name_, std::nullopt, "a read past the end of the file was asked for");
  std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), into.size(), into.begin());
}

void MemoryFile::write(uint64_t offset, std::span<const uint8_t> bytes) {
  if (offset + bytes.size() > bytes_.size()) bytes_.resize(offset + bytes.size());
  std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace jet
