#pragma once
// Which pages a model's two function switches show for a working mode of the page
// ("device_function_switch" and "device_key_function_switch").

#include <cstdint>
#include <optional>

namespace md {

// The working modes of the page tabs (the profile panel's tabs, in order).
namespace working_mode {
inline constexpr int kLighting = 1;
inline constexpr int kKeys = 2;
inline constexpr int kMacros = 3;
inline constexpr int kSettings = 4;
inline constexpr int kRecoil = 5;
}  // namespace working_mode

struct WorkingModePages {
    int functionPage = 0;
    std::optional<int> keyFunctionPage;  // nullopt: the key switch keeps its page
};

WorkingModePages workingModePages(int mode, uint16_t deviceKind);

}  // namespace md
