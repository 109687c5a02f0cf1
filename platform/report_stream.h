#pragma once
// The process's standard output, where a windowed program's lines go when the
// starter redirects it; without a redirection they are lost, silently.
#include <string_view>

namespace platform {

class ReportStream {
 public:
  virtual ~ReportStream() = default;

  // Writes the text and a line end, then flushes.
  virtual void WriteLine(std::string_view text) = 0;
};

}  // namespace platform
