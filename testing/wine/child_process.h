#pragma once
// A program started by a Windows-side test: its standard output and error go to
// a scratch file, so a chatty child can never block on a full pipe.
#include <windows.h>

#include <string>

namespace wine_testing {

class ChildProcess {
 public:
  // command_line as CreateProcessA takes it; working_dir empty: the test's own.
  explicit ChildProcess(const std::string& command_line, const std::string& working_dir = "");
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // True when the program has ended within the time.
  bool Wait(unsigned timeout_ms);
  // Valid after Wait returned true; STILL_ACTIVE before.
  unsigned long ExitCode() const;
  // Everything written so far.
  std::string Output() const;
  unsigned long ProcessId() const { return info_.dwProcessId; }
  void Kill();

 private:
  PROCESS_INFORMATION info_{};
  std::string output_path_;
};

// The folder of the running test program: every program of the build sits there.
std::string ProgramDir();

// A fresh, empty folder under the test's folder (removed with everything in it
// when the object goes).
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& name);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace wine_testing
