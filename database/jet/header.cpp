#include "database/jet/header.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "database/jet/error.h"
#include "database/jet/page.h"
#include "database/jet/rc4.h"

namespace jet {
namespace {

constexpr size_t masked_begin = 0x18;
constexpr size_t masked_length = 128;
constexpr size_t header_length = masked_begin + masked_length;
constexpr std::array<uint8_t, 4> mask_key = {0xC7, 0xDA, 0x39, 0x6B};
constexpr uint8_t jet4_version = 1;

std::string format_name(uint8_t version) {
  switch (version) {
    case 0: return "an Access 97 (Jet 3) database";
    case 2: return "an Access 2007 (ACE 12) database";
    case 3: return "an Access 2010 (ACE 14) database";
    case 4: return "an Access 2013 (ACE 15) database";
    case 5: return "an Access 2016 (ACE 16) database";
    default: return "an Access database of unknown version " + std::to_string(version);
  }
}

}  // namespace

DatabaseHeader read_header(const File& file) {
  const auto fail = [&](const std::string& problem) -> Error {
    return Error(file.name(), std::nullopt, problem);
  };
  if (file.size() == 0) throw fail("the file is empty");
  std::vector<uint8_t> bytes(std::min<uint64_t>(file.size(), header_length));
  file.read(0, bytes);
  static constexpr char jet_signature[] = "\x00\x01\x00\x00Standard Jet DB";
  static constexpr char ace_signature[] = "\x00\x01\x00\x00Standard ACE DB";
  const auto matches = [&](const char* signature) {
    return bytes.size() >= 20 && std::memcmp(bytes.data(), signature, 20) == 0;
  };
  const bool ace = matches(ace_signature);
  if (!matches(jet_signature) && !ace) throw fail("the file is not an Access database");
  if (bytes.size() < header_length) throw fail("the file is too short to be an Access database");
  const uint8_t version = bytes[0x14];
  if (version != jet4_version || ace)
    throw fail("the file is " + format_name(version) +
               "; only Access 2000-2003 (Jet 4) databases can be read");
  if (file.size() < 3ull * DatabaseHeader::page_size)
    throw fail("the file is too short to hold a database (" + std::to_string(file.size()) +
               " bytes)");

  rc4_apply(mask_key, std::span(bytes).subspan(masked_begin, masked_length));
  DatabaseHeader header;
  header.code_page = le16(&bytes[0x3C]);
  header.database_key = le32(&bytes[0x3E]);
  header.collation = le32(&bytes[0x6E]);
  std::memcpy(&header.creation_date, &bytes[0x72], sizeof header.creation_date);
  return header;
}

void set_creation_date(std::vector<uint8_t>& page0, double days) {
  const auto masked = std::span(page0).subspan(masked_begin, masked_length);
  rc4_apply(mask_key, masked);
  std::memcpy(&page0[0x72], &days, sizeof days);
  rc4_apply(mask_key, masked);
}

}  // namespace jet
