// Simlocate: a windowed program with no window of its own.
#include <windows.h>

#include <cstdlib>

#include "platform/win32/file_attributes_win32.h"
#include "platform/win32/last_error_win32.h"
#include "platform/win32/message_box_win32.h"
#include "platform/win32/process_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/report_stream_win32.h"
#include "platform/win32/system_error_text_win32.h"
#include "registrar/run_registrar.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::Win32Registry registry;
  platform::Win32FileAttributes files;
  platform::Win32MessageBoxes boxes;
  platform::Win32ReportStream report;
  platform::Win32LastError last_error;
  platform::Win32SystemErrorText error_text;
  platform::Win32Process process;
  const registrar::RegistrarPlatform system{registry, files, boxes, report, last_error, error_text, process};
  registrar::RegistrarMain(system, __argc, __argv);
  return 0;
}
