#pragma once
// The program's FSUIPC client: one process-wide link, plain functions. Requests
// are queued into a shared region and handed to FSUIPC as one batch.
#include <cstdint>

#include "platform/ipc_transport.h"

namespace simlink {

enum LinkResult : std::uint32_t {
  LINK_OK = 0,
  LINK_ALREADY_OPEN = 1,
  LINK_NO_SIMULATOR = 2,
  LINK_REGISTER_FAILED = 3,
  LINK_ATOM_FAILED = 4,
  LINK_MAPPING_FAILED = 5,
  LINK_VIEW_FAILED = 6,
  LINK_BAD_VERSION = 7,
  LINK_WRONG_SIMULATOR = 8,
  LINK_NOT_OPEN = 9,
  LINK_NO_REQUESTS = 10,
  LINK_TIMEOUT = 11,
  LINK_SEND_FAILED = 12,
  LINK_BAD_DATA = 13,
  LINK_REMOTE_NOT_RUNNING = 14,
  LINK_FULL = 15,
};

extern const char* const LinkResultText[16];

struct LinkState {
  std::uint32_t FsuipcVersion;
  std::uint32_t SimulatorVersion;
  std::uint32_t ClientVersion;
  platform::WindowHandle ServerWindow;
  std::uint32_t MessageId;
  std::uint16_t NameAtom;
  platform::ObjectHandle Mapping;
  std::uint8_t* View;
  std::uint8_t* Next;
};

constexpr std::uint32_t kRegionSize = 0x8000;
// Records plus terminator stay below this; the region's last 256 bytes are never used.
constexpr std::uint32_t kUsableBytes = 0x7F00;

// The system calls behind the link; must be set before OpenLink and outlive the link.
void SetLinkTransport(platform::IpcTransport* transport);
const LinkState& CurrentLink();

bool OpenLink(std::uint32_t requested_simulator, std::uint32_t& result);
void CloseLink();
// target must stay valid until the next ProcessRequests returns; null: not copied.
bool QueueRead(std::uint32_t offset, std::uint32_t size, void* target, std::uint32_t& result);
// The bytes are copied at once.
bool QueueWrite(std::uint32_t offset, std::uint32_t size, const void* source, std::uint32_t& result);
bool ProcessRequests(std::uint32_t& result);

}  // namespace simlink
