#pragma once
// The maker's notice, in the banner and in the help block.
#include "platform/report_stream.h"

namespace registrar {

inline void WriteNoticeLines(platform::ReportStream& report) {
  report.WriteLine("Copyright (C) Aerolune. Freeware, provided as is, without any warranty.");
  report.WriteLine("Copy this program into your flight simulator folder and run it from there.");
}

}  // namespace registrar
