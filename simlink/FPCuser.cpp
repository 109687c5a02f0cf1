#include "simlink/FPCuser.h"

#include <cstdio>
#include <cstring>

namespace simlink {

const char* const LinkResultText[16] = {
    "Okay",
    "O arquivo FSUIPC já está aberto",
    "Não é possível conectar com FSUIPC. Verifique se o FS está sendo executado.",
    "Failed to Register common message with Windows",
    "Failed to create Atom for mapping filename",
    "Failed to create a file mapping object",
    "Failed to open a view to the file map",
    "Incorrect version of FSUIPC, or not FSUIPC",
    "Sim is not version requested",
    "Call cannot execute, link not Open",
    "Call cannot execute: no requests accumulated",
    "IPC timed out all retries",
    "IPC sendmessage failed all retries",
    "IPC request contains bad data",
    "Maybe running on WideClient, but FS not running on Server, or wrong FSUIPC",
    "Read or Write request cannot be added, memory for Process is full",
};

namespace {

constexpr char kMessageName[] = "FsasmLib:IPC";
constexpr std::uint32_t kReadKind = 1;
constexpr std::uint32_t kWriteKind = 2;
constexpr std::uint32_t kReadHeader = 16;
constexpr std::uint32_t kWriteHeader = 12;
constexpr std::uint32_t kTerminator = 4;
constexpr std::uint32_t kMaxReads = (kUsableBytes - kTerminator) / kReadHeader;
constexpr int kHandshakePasses = 5;
constexpr int kSends = 10;
constexpr std::uint32_t kSendTimeoutMs = 2000;
constexpr std::uint32_t kPauseMs = 100;
constexpr std::uint32_t kLowestFsuipcVersion = 0x19980005;
constexpr std::uint32_t kSimulatorTag = 0xFADE;

// A queued read's destination. The record's 4-byte target field holds the
// position in this list plus one, so wide addresses never travel in the region.
struct PendingRead {
  void* target;
  std::uint32_t size;
};

// Everything the unit keeps between calls.
struct UnitState {
  LinkState link{0, 0, 1004, nullptr, 0, 0, nullptr, nullptr, nullptr};
  PendingRead reads[kMaxReads];
  std::uint32_t read_count = 0;
  platform::IpcTransport* transport = nullptr;
};

UnitState state;

void StoreU32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t LoadU32(const std::uint8_t* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

bool Report(std::uint32_t& result, std::uint32_t code) {
  result = code;
  return code == LINK_OK;
}

bool ReportClosed(std::uint32_t& result, std::uint32_t code) {
  CloseLink();
  return Report(result, code);
}

// Room check in 64 bits, so no size can wrap the sum.
bool HasRoom(std::uint32_t header, std::uint32_t size) {
  const std::uint64_t queued = static_cast<std::uint64_t>(state.link.Next - state.link.View);
  return queued + header + size + kTerminator <= kUsableBytes;
}

// Checks the records the peer left in the region and, with copy, hands read data
// to the targets. False at anything this client cannot have sent.
bool WalkReplies(std::uint32_t reads, bool copy) {
  const std::uint8_t* region = state.link.View;
  std::uint32_t at = 0;
  for (;;) {
    if (at > kRegionSize - kTerminator) return false;
    const std::uint32_t kind = LoadU32(region + at);
    if ((kind & 0xFF) == 0) return true;
    const std::uint32_t header = kind == kReadKind ? kReadHeader : kWriteHeader;
    if ((kind != kReadKind && kind != kWriteKind) || at > kRegionSize - header) return false;
    const std::uint32_t size = LoadU32(region + at + 8);
    if (size > kRegionSize - at - header) return false;
    if (kind == kReadKind) {
      const std::uint32_t index = LoadU32(region + at + 12);
      if (index != 0) {
        if (index > reads || state.reads[index - 1].size != size) return false;
        if (copy && size != 0) std::memcpy(state.reads[index - 1].target, region + at + header, size);
      }
    }
    at += header + size;
  }
}

bool Handshake(std::uint32_t& result) {
  LinkState& link = state.link;
  const std::uint8_t client_version[2] = {static_cast<std::uint8_t>(link.ClientVersion),
                                          static_cast<std::uint8_t>(link.ClientVersion >> 8)};
  for (int pass = 1; pass <= kHandshakePasses && (link.FsuipcVersion == 0 || link.SimulatorVersion == 0); ++pass) {
    if (!QueueRead(0x3304, 4, &link.FsuipcVersion, result) || !QueueRead(0x3308, 4, &link.SimulatorVersion, result) ||
        (pass == 1 && !QueueWrite(0x330A, 2, client_version, result)) || !ProcessRequests(result)) {
      return false;
    }
    state.transport->Sleep(kPauseMs);
  }
  return true;
}

}  // namespace

void SetLinkTransport(platform::IpcTransport* transport) { state.transport = transport; }

const LinkState& CurrentLink() { return state.link; }

bool OpenLink(std::uint32_t requested_simulator, std::uint32_t& result) {
  LinkState& link = state.link;
  platform::IpcTransport& system = *state.transport;
  if (link.View) return Report(result, LINK_ALREADY_OPEN);
  link.FsuipcVersion = 0;
  link.SimulatorVersion = 0;

  bool second_class = false;
  link.ServerWindow = system.FindTopWindow("UIPCMAIN");
  if (!link.ServerWindow) {
    link.ServerWindow = system.FindTopWindow("FS98MAIN");
    second_class = true;
  }
  if (!link.ServerWindow) return Report(result, LINK_NO_SIMULATOR);

  link.MessageId = system.RegisterMessage(kMessageName);
  if (link.MessageId == 0) return ReportClosed(result, LINK_REGISTER_FAILED);

  unsigned attempt = 0;
  ++attempt;
  char name[64];
  std::snprintf(name, sizeof name, "%s:%X:%X", kMessageName, static_cast<unsigned>(system.CurrentProcessId()), attempt);
  link.NameAtom = system.AddNameAtom(name);
  if (link.NameAtom == 0) return ReportClosed(result, LINK_ATOM_FAILED);

  link.Mapping = system.CreateMapping(kRegionSize, name);
  if (!link.Mapping || system.LastError() == platform::kErrorAlreadyExists) {
    return ReportClosed(result, LINK_MAPPING_FAILED);
  }
  link.View = static_cast<std::uint8_t*>(system.MapView(link.Mapping));
  if (!link.View) return ReportClosed(result, LINK_VIEW_FAILED);
  link.Next = link.View;
  state.read_count = 0;

  if (!Handshake(result)) {
    CloseLink();
    return false;
  }
  if (link.FsuipcVersion < kLowestFsuipcVersion || (link.SimulatorVersion >> 16) != kSimulatorTag) {
    return ReportClosed(result, second_class ? LINK_REMOTE_NOT_RUNNING : LINK_BAD_VERSION);
  }
  link.SimulatorVersion &= 0xFFFF;
  if (requested_simulator != 0 && requested_simulator != link.SimulatorVersion) {
    return ReportClosed(result, LINK_WRONG_SIMULATOR);
  }
  return Report(result, LINK_OK);
}

void CloseLink() {
  LinkState& link = state.link;
  link.ServerWindow = nullptr;
  link.MessageId = 0;
  link.Next = nullptr;
  state.read_count = 0;
  if (link.NameAtom) {
    state.transport->DeleteNameAtom(link.NameAtom);
    link.NameAtom = 0;
  }
  if (link.View) {
    state.transport->UnmapView(link.View);
    link.View = nullptr;
  }
  if (link.Mapping) {
    state.transport->CloseObject(link.Mapping);
    link.Mapping = nullptr;
  }
}

bool QueueRead(std::uint32_t offset, std::uint32_t size, void* target, std::uint32_t& result) {
  LinkState& link = state.link;
  if (!link.View) return Report(result, LINK_NOT_OPEN);
  if (!HasRoom(kReadHeader, size)) return Report(result, LINK_FULL);
  std::uint32_t index = 0;
  if (target) {
    state.reads[state.read_count] = {target, size};
    index = ++state.read_count;
  }
  StoreU32(link.Next, kReadKind);
  StoreU32(link.Next + 4, offset);
  StoreU32(link.Next + 8, size);
  StoreU32(link.Next + 12, index);
  link.Next += kReadHeader;
  std::memset(link.Next, 0, size);
  link.Next += size;
  return Report(result, LINK_OK);
}

bool QueueWrite(std::uint32_t offset, std::uint32_t size, const void* source, std::uint32_t& result) {
  LinkState& link = state.link;
  if (!link.View) return Report(result, LINK_NOT_OPEN);
  if (!HasRoom(kWriteHeader, size)) return Report(result, LINK_FULL);
  StoreU32(link.Next, kWriteKind);
  StoreU32(link.Next + 4, offset);
  StoreU32(link.Next + 8, size);
  link.Next += kWriteHeader;
  if (size != 0) std::memcpy(link.Next, source, size);
  link.Next += size;
  return Report(result, LINK_OK);
}

bool ProcessRequests(std::uint32_t& result) {
  LinkState& link = state.link;
  platform::IpcTransport& system = *state.transport;
  if (!link.View) return Report(result, LINK_NOT_OPEN);
  if (link.Next == link.View) return Report(result, LINK_NO_REQUESTS);

  // From here on the batch is spent, whatever happens.
  StoreU32(link.Next, 0);
  link.Next = link.View;
  const std::uint32_t reads = state.read_count;
  state.read_count = 0;

  std::uintptr_t reply = 0;
  bool sent = false;
  std::uint32_t error = 0;
  for (int send = 0; send < kSends && !sent; ++send) {
    sent = system.SendMessageWithTimeout(link.ServerWindow, link.MessageId, link.NameAtom, 0, kSendTimeoutMs, reply);
    if (!sent) {
      error = system.LastError();
      system.Sleep(kPauseMs);
    }
  }
  if (!sent) return Report(result, error == 0 ? LINK_TIMEOUT : LINK_SEND_FAILED);
  if (reply != 1) return Report(result, LINK_BAD_DATA);
  if (!WalkReplies(reads, false)) return Report(result, LINK_BAD_DATA);
  WalkReplies(reads, true);
  return Report(result, LINK_OK);
}

}  // namespace simlink
