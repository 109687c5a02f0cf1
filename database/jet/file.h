#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace jet {

// Random-access reading of the database file; the writer adds locked writes behind the same seam.
class File {
 public:
  virtual ~File() = default;
  virtual const std::string& name() const = 0;
  virtual uint64_t size() const = 0;
  // Fills `into` from `offset`; throws Error when the bytes cannot be read in full.
  virtual void read(uint64_t offset, std::span<uint8_t> into) const = 0;
};

// Opens an existing file read-only, shared: other programs may keep it open and write to it.
std::unique_ptr<File> open_file_for_reading(const std::string& path);

// A file held in memory (tests, the fuzzer).
class MemoryFile final : public File {
 public:
  MemoryFile(std::string name, std::vector<uint8_t> bytes);
  const std::string& name() const override { return name_; }
  uint64_t size() const override { return bytes_.size(); }
  void read(uint64_t offset, std::span<uint8_t> into) const override;

 private:
  std::string name_;
  std::vector<uint8_t> bytes_;
};

}  // namespace jet
