// The statuses the simulated libraries return besides those of visa.h, and their texts.
// Parameter errors follow the instrument-driver convention: parameter 1 is the session.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "visa.h"

namespace sim {

// Instrument-driver statuses shared by every driver.
inline constexpr ViStatus kErrorParameter1 = static_cast<ViStatus>(0xBFFC0001u);
inline constexpr ViStatus kErrorFailIdQuery = static_cast<ViStatus>(0xBFFC0011u);
inline constexpr ViStatus error_parameter(int n) {
    return kErrorParameter1 + (n - 1);
}

// VISA: an output buffer that is null.
inline constexpr ViStatus kErrorUserBuf = static_cast<ViStatus>(0xBFFF0071u);

// The module driver's own statuses.
inline constexpr ViStatus kErrorNotConnected = static_cast<ViStatus>(0xBFFC0801u);
inline constexpr ViStatus kErrorNoModule = static_cast<ViStatus>(0xBFFC0802u);
inline constexpr ViStatus kErrorTimeRange = static_cast<ViStatus>(0xBFFC0803u);
inline constexpr ViStatus kErrorCarrierMismatch = static_cast<ViStatus>(0xBFFC0804u);
inline constexpr ViStatus kWarnConnectFaults = static_cast<ViStatus>(0x3FFC0801u);

// Loop-back test result when the test connector is not detected; otherwise the result is the
// number of faulty channels.
inline constexpr int16_t kZtestNoConnector = -1;

// The Russian text of a status. Every status the simulator returns has its own text; any other
// gets a generic text with the number in hex.
std::string status_text(ViStatus status);

// A status by its name ("VI_ERROR_TMO", "VI_ERROR_PARAMETER2", ...), for scripts.
std::optional<ViStatus> status_by_name(std::string_view name);

}  // namespace sim
