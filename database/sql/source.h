#pragma once
// Where things are in a script: byte offsets, and the line and column people read.
#include <cstddef>
#include <string_view>

namespace sql {

// Byte offsets into the parsed text, end exclusive.
struct SourceRange {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool operator==(const SourceRange&) const = default;
};

// Line and column count from 1; a column counts bytes (texts are single-byte).
struct Position {
  std::size_t offset = 0;
  int line = 1;
  int column = 1;
  bool operator==(const Position&) const = default;
};

// The position of target, counting onwards from a known position `from` whose
// offset is that of text[0]. target must lie within from.offset .. from.offset + text.size().
Position Advance(Position from, std::string_view text, std::size_t target);

}  // namespace sql
