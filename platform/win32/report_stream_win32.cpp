#include "platform/win32/report_stream_win32.h"

#include <cstdio>

namespace platform {

// A windowed program without a redirection has no valid standard output: the
// writes then fail, and that failure is meant to go unnoticed.
void Win32ReportStream::WriteLine(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace platform
