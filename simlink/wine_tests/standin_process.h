#pragma once
// simstandin.exe started for one test, its window up before the test goes on,
// and gone again afterwards.
#include <windows.h>

#include <string>

#include "testing/wine/child_process.h"

class StandinProcess {
 public:
  explicit StandinProcess(const std::string& options, const char* window_class = "UIPCMAIN")
      : window_class_(window_class), process_("\"" + wine_testing::ProgramDir() + "\\simstandin.exe\" " + options) {
    for (int i = 0; i < 200 && !FindWindowExA(nullptr, nullptr, window_class_, nullptr); ++i) Sleep(50);
  }
  ~StandinProcess() {
    process_.Kill();
    for (int i = 0; i < 100 && FindWindowExA(nullptr, nullptr, window_class_, nullptr); ++i) Sleep(50);
  }
  StandinProcess(const StandinProcess&) = delete;
  StandinProcess& operator=(const StandinProcess&) = delete;

  bool WindowUp() const { return FindWindowExA(nullptr, nullptr, window_class_, nullptr) != nullptr; }
  void Stop() { process_.Kill(); }

 private:
  const char* window_class_;
  wine_testing::ChildProcess process_;
};
