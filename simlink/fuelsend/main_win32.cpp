#include <iostream>
#include <string>
#include <vector>

#include "platform/win32/ipc_transport_win32.h"
#include "simlink/FPCuser.h"
#include "simlink/fuelsend/fuelsend.h"

int main(int argc, char** argv) {
  platform::Win32IpcTransport transport;
  simlink::SetLinkTransport(&transport);
  const int code = simlink::RunFuelSend(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  simlink::CloseLink();
  return code;
}
