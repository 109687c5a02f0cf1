// jet-export FILE TABLE: a table as CSV; jet-export --tables FILE: the user tables.
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>

#include "database/jet/csv_export.h"
#include "database/jet/database.h"
#include "database/jet/text.h"

namespace {

int usage() {
  std::cerr << "usage: jet-export FILE TABLE\n       jet-export --tables FILE\n";
  return 2;
}

// Arguments arrive in UTF-8 here; the engine matches names as UCS-2.
std::u16string from_utf8(const std::string& text) {
  std::u16string out;
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const size_t length = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    char32_t c = length == 1 ? b : b & (0x3F >> (length - 1));
    for (size_t k = 1; k < length && i + k < text.size(); ++k)
      c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += length;
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc != 3) return usage();
  const std::string first = argv[1];
  try {
    if (first == "--tables") {
      const jet::Database db = jet::Database::open(argv[2]);
      for (const auto& name : db.table_names()) std::cout << jet::to_utf8(name) << '\n';
    } else {
      if (!first.empty() && first[0] == '-') return usage();
      const jet::Database db = jet::Database::open(first);
      jet::export_csv(db.table(from_utf8(argv[2])), std::cout);
    }
    std::cout.flush();
    if (!std::cout) {
      std::cerr << "jet-export: the output cannot be written\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "jet-export: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
