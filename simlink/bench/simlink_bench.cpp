// Times the link against simstandin.exe (started here, beside this program):
// one exchange's round trip, 1,000 reads in one exchange against 1,000
// exchanges, and a whole fuel transfer beyond its mandated pauses.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/ipc_transport_win32.h"
#include "simlink/FPCuser.h"
#include "simlink/fuel_transfer.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Forwards to the real calls and adds up the time spent in the pauses and in the
// sends (the peer's share).
class PauseTimingTransport final : public platform::IpcTransport {
 public:
  platform::WindowHandle FindTopWindow(const char* c) override { return real_.FindTopWindow(c); }
  std::uint32_t RegisterMessage(const char* n) override { return real_.RegisterMessage(n); }
  std::uint32_t CurrentProcessId() override { return real_.CurrentProcessId(); }
  std::uint16_t AddNameAtom(const char* n) override { return real_.AddNameAtom(n); }
  void DeleteNameAtom(std::uint16_t a) override { real_.DeleteNameAtom(a); }
  platform::ObjectHandle CreateMapping(std::uint32_t s, const char* n) override { return real_.CreateMapping(s, n); }
  void* MapView(platform::ObjectHandle m) override { return real_.MapView(m); }
  void UnmapView(void* v) override { real_.UnmapView(v); }
  void CloseObject(platform::ObjectHandle h) override { real_.CloseObject(h); }
  bool SendMessageWithTimeout(platform::WindowHandle w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp,
                              std::uint32_t t, std::uintptr_t& r) override {
    const auto start = Clock::now();
    const bool sent = real_.SendMessageWithTimeout(w, m, wp, lp, t, r);
    sending_ += Clock::now() - start;
    return sent;
  }
  void Sleep(std::uint32_t ms) override {
    const auto start = Clock::now();
    real_.Sleep(ms);
    paused_ += Clock::now() - start;
    ++pauses_;
  }
  std::uint32_t LastError() override { return real_.LastError(); }

  Clock::duration paused_{};
  Clock::duration sending_{};
  int pauses_ = 0;

 private:
  platform::Win32IpcTransport real_;
};

class SilentView final : public simlink::TransferView {
 public:
  void SetStatusText(const std::string&) override {}
  void ShowInformation(const std::string& text) override {
    std::fprintf(stderr, "transfer failed: %s\n", text.c_str());
  }
  void ShowMessage(const std::string&, const std::string&) override {}
};

// result by reference: read after the call that set it.
bool Check(bool ok, const std::uint32_t& result, const char* what) {
  if (!ok) std::fprintf(stderr, "%s failed: %s\n", what, simlink::LinkResultText[result]);
  return ok;
}

struct Standin {
  PROCESS_INFORMATION info{};
  Standin() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path, n);
    std::string line = "\"";
    line.append(program, 0, program.find_last_of("\\/"));
    line += "\\simstandin.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) return;
    for (int i = 0; i < 200 && !FindWindowExA(nullptr, nullptr, "UIPCMAIN", nullptr); ++i) Sleep(50);
  }
  ~Standin() {
    if (!info.hProcess) return;
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
};

}  // namespace

int main() {
  Standin standin;
  PauseTimingTransport transport;
  simlink::SetLinkTransport(&transport);
  std::uint32_t result = 0;
  if (!Check(simlink::OpenLink(0, result), result, "open")) return 1;

  // Round trip of one exchange carrying one four-byte read.
  std::uint32_t value = 0;
  std::vector<double> trips;
  for (int i = 0; i < 2000; ++i) {
    const auto start = Clock::now();
    simlink::QueueRead(0x3304, 4, &value, result);
    if (!Check(simlink::ProcessRequests(result), result, "exchange")) return 1;
    trips.push_back(Milliseconds(Clock::now() - start));
  }
  std::sort(trips.begin(), trips.end());
  std::printf("round trip, one 4-byte read: median %.3f ms, 95th percentile %.3f ms (2000 exchanges)\n",
              trips[trips.size() / 2], trips[trips.size() * 95 / 100]);

  // 1,000 reads: one batch against one exchange each.
  std::vector<std::uint32_t> targets(1000);
  const int batches = 50;
  auto start = Clock::now();
  for (int b = 0; b < batches; ++b) {
    for (auto& target : targets) simlink::QueueRead(0x0B7C, 4, &target, result);
    if (!Check(simlink::ProcessRequests(result), result, "batch")) return 1;
  }
  const double one_batch = Milliseconds(Clock::now() - start) / batches;
  const int rounds = 5;
  start = Clock::now();
  for (int r = 0; r < rounds; ++r) {
    for (auto& target : targets) {
      simlink::QueueRead(0x0B7C, 4, &target, result);
      if (!Check(simlink::ProcessRequests(result), result, "exchange")) return 1;
    }
  }
  const double many_exchanges = Milliseconds(Clock::now() - start) / rounds;
  std::printf("1,000 four-byte reads: %.3f ms in one exchange, %.1f ms in 1,000 exchanges (%.0fx)\n", one_batch,
              many_exchanges, many_exchanges / one_batch);
  simlink::CloseLink();

  // Whole transfers, with the time spent in the mandated pauses taken out.
  SilentView view;
  const simlink::TankGauges gauges{{3193, 3914}, {204, 13064}, {3193, 3914}};
  const int transfers = 20;
  transport.paused_ = {};
  transport.pauses_ = 0;
  transport.sending_ = {};
  std::vector<double> beyond;
  for (int t = 0; t < transfers; ++t) {
    const auto paused_before = transport.paused_;
    start = Clock::now();
    if (simlink::SendFuelToSimulator(gauges, "C:\\FS9", view) != simlink::LINK_OK) return 1;
    beyond.push_back(Milliseconds(Clock::now() - start - (transport.paused_ - paused_before)));
  }
  std::sort(beyond.begin(), beyond.end());
  std::printf(
      "fuel transfer: %.1f pauses of 100 ms each; beyond them median %.3f ms, worst %.3f ms (%d transfers);\n"
      "  of that, on average %.3f ms waiting in the four sends\n",
      static_cast<double>(transport.pauses_) / transfers, beyond[beyond.size() / 2], beyond.back(), transfers,
      Milliseconds(transport.sending_) / transfers);
  return 0;
}
