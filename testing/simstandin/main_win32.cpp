// simstandin.exe: plays FSUIPC for the link's tests and the demo. A hidden
// top-level window answers the registered request message by carrying out the
// batch it finds in the client's shared region.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "testing/simstandin/fsuipc_peer.h"
#include "testing/simstandin/standin_options.h"

namespace {

using simstandin::StandinOptions;

struct Standin {
  StandinOptions options;
  UINT request_message = 0;
  simstandin::OffsetMemory memory;
  FILE* log = nullptr;
};

Standin standin;

class MappedRegion {
 public:
  explicit MappedRegion(const char* name) : mapping_(OpenFileMappingA(FILE_MAP_WRITE, FALSE, name)) {
    if (mapping_) view_ = static_cast<std::uint8_t*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, 0));
    MEMORY_BASIC_INFORMATION info{};
    if (view_ && VirtualQuery(view_, &info, sizeof info) == sizeof info) size_ = info.RegionSize;
  }
  ~MappedRegion() {
    if (view_) UnmapViewOfFile(view_);
    if (mapping_) CloseHandle(mapping_);
  }
  MappedRegion(const MappedRegion&) = delete;
  MappedRegion& operator=(const MappedRegion&) = delete;
  std::uint8_t* View() const { return view_; }
  std::size_t Size() const { return size_; }

 private:
  HANDLE mapping_;
  std::uint8_t* view_ = nullptr;
  std::size_t size_ = 0;
};

void LogWrite(const simstandin::WriteRequest& write) {
  if (!standin.log) return;
  std::fprintf(standin.log, "%s\n", simstandin::WriteLogLine(write).c_str());
  std::fflush(standin.log);
}

LRESULT HandleBatch(WPARAM atom) {
  char name[256];
  if (GlobalGetAtomNameA(static_cast<ATOM>(atom), name, sizeof name) == 0) return 0;
  MappedRegion region(name);
  if (!region.View()) return 0;
  // The region is 32768 bytes; the view may be rounded up to a page.
  const std::size_t size = region.Size() < 0x8000 ? region.Size() : 0x8000;
  if (!simstandin::CarryOutBatch(region.View(), size, standin.memory, LogWrite)) return 0;
  return static_cast<LRESULT>(standin.options.reply);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == standin.request_message && message != 0) return HandleBatch(wparam);
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// Pumps messages until the window closes or the time is up; without replies,
// waits without pumping, so every send times out.
int Run(unsigned seconds, bool pump) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  for (;;) {
    DWORD wait = INFINITE;
    if (seconds != 0) {
      const ULONGLONG now = GetTickCount64();
      if (now >= end) return 0;
      wait = static_cast<DWORD>(end - now);
    }
    if (!pump) {
      Sleep(wait);
      continue;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::string error;
  const auto options = simstandin::ParseStandinOptions(std::vector<std::string>(__argv + 1, __argv + __argc), error);
  if (!options) {
    std::fprintf(stderr, "simstandin: %s\n", error.c_str());
    return 2;
  }
  standin.options = *options;
  standin.memory.SetU32(0x3304, standin.options.fsuipc_version);
  standin.memory.SetU32(0x3308, standin.options.simulator_version);
  if (!standin.options.log_path.empty()) {
    standin.log = std::fopen(standin.options.log_path.c_str(), "w");
    if (!standin.log) {
      std::fprintf(stderr, "simstandin: cannot write %s\n", standin.options.log_path.c_str());
      return 3;
    }
  }

  standin.request_message = RegisterWindowMessageA("FsasmLib:IPC");
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.lpszClassName = standin.options.window_class.c_str();
  if (standin.request_message == 0 || !RegisterClassA(&window_class) ||
      !CreateWindowExA(0, window_class.lpszClassName, "Simulator stand-in", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                       nullptr, nullptr, instance, nullptr)) {
    std::fprintf(stderr, "simstandin: cannot create the window (error %lu)\n", GetLastError());
    return 4;
  }
  const int code = Run(standin.options.seconds, !standin.options.no_reply);
  if (standin.log) std::fclose(standin.log);
  return code;
}
