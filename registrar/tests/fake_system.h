#pragma once
// All fakes of Simlocate's platform in one place, and the texts tests expect.
#include <string>

#include "registrar/registrar_platform.h"
#include "testing/fakes/fake_file_attributes.h"
#include "testing/fakes/fake_last_error.h"
#include "testing/fakes/fake_message_box.h"
#include "testing/fakes/fake_process.h"
#include "testing/fakes/fake_registry.h"
#include "testing/fakes/fake_report_stream.h"
#include "testing/fakes/fake_system_error_text.h"

namespace registrar {

inline const std::string kFs2004Key = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\9.0";
inline const std::string kFs2002Key = "SOFTWARE\\Microsoft\\Microsoft Games\\Flight Simulator\\8.0";

struct FakeSystem {
  fakes::FakeRegistry registry;
  fakes::FakeFileAttributes files;
  fakes::FakeMessageBoxes boxes;
  fakes::FakeReportStream report;
  fakes::FakeLastError last_error;
  fakes::FakeSystemErrorText error_text;
  fakes::FakeProcess process;
  RegistrarPlatform platform{registry, files, boxes, report, last_error, error_text, process};

  // The "EXE Path" stored under the FS2004 key, without its terminator; "<none>" when absent.
  std::string StoredPath() {
    const auto key = registry.keys.find(kFs2004Key);
    if (key == registry.keys.end() || !key->second.contains("EXE Path")) return "<none>";
    const std::string& data = key->second.at("EXE Path").data;
    return data.substr(0, data.find('\0'));
  }
};

}  // namespace registrar
