#pragma once
// Keeps the lines written.
#include <string>
#include <vector>

#include "platform/report_stream.h"

namespace fakes {

class FakeReportStream final : public platform::ReportStream {
 public:
  std::vector<std::string> lines;

  void WriteLine(std::string_view text) override { lines.emplace_back(text); }
};

}  // namespace fakes
