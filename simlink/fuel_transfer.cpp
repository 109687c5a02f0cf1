#include "simlink/fuel_transfer.h"

#include <algorithm>

#include "simlink/FPCuser.h"

namespace simlink {

namespace {

constexpr char kSuccessText[] = "Combustível Transferido com Sucesso!";
constexpr char kSuccessCaption[] = "Aviso";

struct Tank {
  const TankGauge* gauge;
  std::uint32_t offset;
};

// The link is released on every way out of the transfer.
struct LinkCloser {
  ~LinkCloser() { CloseLink(); }
};

}  // namespace

std::int32_t TankLevel(const TankGauge& gauge) {
  // A gauge without capacity holds nothing; a gauge never holds more than its maximum.
  if (gauge.maximum <= 0) return 0;
  const int value = std::clamp(gauge.value, 0, gauge.maximum);
  // The single-precision stores are part of the result: they are what the
  // simulator has always been sent.
  const float percent = static_cast<float>(static_cast<long double>(static_cast<std::int64_t>(value) * 100) /
                                           static_cast<long double>(gauge.maximum));
  const float level = static_cast<float>(static_cast<long double>(percent) * 128.0f * 65536.0f / 100.0f);
  return static_cast<std::int32_t>(level);
}

std::string FsuipcVersionText(std::uint32_t fsuipc_version) {
  auto digit = [fsuipc_version](int shift) { return static_cast<char>('0' + ((fsuipc_version >> shift) & 0xF)); };
  return {digit(28), '.', digit(24), digit(20), digit(16)};
}

std::uint32_t SendFuelToSimulator(const TankGauges& gauges, const std::string& simulator_folder, TransferView& view) {
  LinkCloser closer;
  std::uint32_t result = LINK_OK;
  if (!OpenLink(0, result)) {
    view.ShowInformation(LinkResultText[result]);
    return result;
  }
  view.SetStatusText(simulator_folder + " - FSUIPC: " + FsuipcVersionText(CurrentLink().FsuipcVersion));

  const Tank tanks[] = {{&gauges.left, 0x0B7C}, {&gauges.centre, 0x0B74}, {&gauges.right, 0x0B94}};
  for (const Tank& tank : tanks) {
    const auto level = static_cast<std::uint32_t>(TankLevel(*tank.gauge));
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(level), static_cast<std::uint8_t>(level >> 8),
                                   static_cast<std::uint8_t>(level >> 16), static_cast<std::uint8_t>(level >> 24)};
    if (!QueueWrite(tank.offset, sizeof bytes, bytes, result) || !ProcessRequests(result)) {
      view.ShowInformation(LinkResultText[result]);
      return result;
    }
  }
  view.ShowMessage(kSuccessText, kSuccessCaption);
  return LINK_OK;
}

}  // namespace simlink
