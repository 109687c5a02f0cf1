#pragma once
#include "platform/report_stream.h"

namespace platform {

// The C runtime's standard output (text mode: a line end is CR LF).
class Win32ReportStream final : public ReportStream {
 public:
  void WriteLine(std::string_view text) override;
};

}  // namespace platform
