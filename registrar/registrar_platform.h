#pragma once
// Everything of the system that Simlocate uses, handed to its functions.
#include "platform/file_attributes.h"
#include "platform/last_error.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/report_stream.h"
#include "platform/system_error_text.h"

namespace registrar {

struct RegistrarPlatform {
  platform::Registry& registry;
  platform::FileAttributes& files;
  platform::MessageBoxes& boxes;
  platform::ReportStream& report;
  platform::LastError& last_error;
  platform::SystemErrorText& error_text;
  platform::Process& process;
};

}  // namespace registrar
