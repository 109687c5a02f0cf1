#pragma once
// "SEND FUEL TO FS": writes the three tank gauges into the simulator's tanks.
#include <cstdint>
#include <string>

#include "simlink/transfer_view.h"

namespace simlink {

struct TankGauge {
  int value;
  int maximum;
};

struct TankGauges {
  TankGauge left;    // PSCircleGauge1
  TankGauge centre;  // PSCircleGauge3
  TankGauge right;   // PSCircleGauge2
};

constexpr int kMainTankMaximum = 3914;
constexpr int kCentreTankMaximum = 13064;

// The tank's filling in FSUIPC's scale, a full tank being 8388608.
std::int32_t TankLevel(const TankGauge& gauge);

// "d.ddd" from the four most significant hexadecimal digits.
std::string FsuipcVersionText(std::uint32_t fsuipc_version);

// Opens the link, writes left, centre and right, closes the link on every path.
// Returns the result code of the step that failed, or LINK_OK.
std::uint32_t SendFuelToSimulator(const TankGauges& gauges, const std::string& simulator_folder, TransferView& view);

}  // namespace simlink
