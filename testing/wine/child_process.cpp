#include "testing/wine/child_process.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace wine_testing {

namespace {

std::string UniqueOutputPath() {
  static unsigned counter = 0;
  std::ostringstream name;
  name << ProgramDir() << "\\child-" << GetCurrentProcessId() << "-" << ++counter << ".out";
  return name.str();
}

}  // namespace

ChildProcess::ChildProcess(const std::string& command_line, const std::string& working_dir)
    : output_path_(UniqueOutputPath()) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE output = CreateFileA(output_path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (output == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + output_path_);

  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = output;
  startup.hStdError = output;
  std::string line = command_line;  // CreateProcessA may write into it
  BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                working_dir.empty() ? nullptr : working_dir.c_str(), &startup, &info_);
  DWORD error = GetLastError();
  CloseHandle(output);
  if (!started) {
    throw std::runtime_error("cannot start " + command_line + " (error " + std::to_string(error) + ")");
  }
}

ChildProcess::~ChildProcess() {
  if (info_.hProcess) {
    if (!Wait(0)) Kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  DeleteFileA(output_path_.c_str());
}

bool ChildProcess::Wait(unsigned timeout_ms) {
  return WaitForSingleObject(info_.hProcess, timeout_ms) == WAIT_OBJECT_0;
}

unsigned long ChildProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

std::string ChildProcess::Output() const {
  std::ifstream in(output_path_, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void ChildProcess::Kill() {
  TerminateProcess(info_.hProcess, 0xDEAD);
  WaitForSingleObject(info_.hProcess, 5000);
}

std::string ProgramDir() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path, n);
  return text.substr(0, text.find_last_of("\\/"));
}

ScratchFolder::ScratchFolder(const std::string& name) : path_(ProgramDir() + "\\" + name) {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace wine_testing
