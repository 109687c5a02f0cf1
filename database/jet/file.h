#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace jet {

// Random-access reading and writing of the database file.
class File {
 public:
  virtual ~File() = default;
  virtual const std::string& name() const = 0;
  virtual uint64_t size() const = 0;
  // Fills `into` from `offset`; throws Error when the bytes cannot be read in full.
  virtual void read(uint64_t offset, std::span<uint8_t> into) const = 0;
  virtual bool writable() const { return false; }
  // Writes `bytes` at `offset`, extending the file when it reaches past the end; throws Error.
  virtual void write(uint64_t offset, std::span<const uint8_t> bytes);
  // Makes the writes so far reach the file; throws Error.
  virtual void flush() {}
};

// Opens an existing file shared: other programs may keep it open and write to it.
std::unique_ptr<File> open_file_for_reading(const std::string& path);
std::unique_ptr<File> open_file_for_writing(const std::string& path);
// Creates a file that must not exist yet, open for writing.
std::unique_ptr<File> create_file(const std::string& path);

// A file held in memory (tests, the fuzzer).
class MemoryFile final : public File {
 public:
  MemoryFile(std::string name, std::vector<uint8_t> bytes);
  const std::string& name() const override { return name_; }
  uint64_t size() const override { return bytes_.size(); }
  void read(uint64_t offset, std::span<uint8_t> into) const override;
  bool writable() const override { return true; }
  void write(uint64_t offset, std::span<const uint8_t> bytes) override;
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::string name_;
  std::vector<uint8_t> bytes_;
};

}  // namespace jet
