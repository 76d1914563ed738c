#pragma once
// Which pages a model's two function switches show for a working mode of the page
// ("device_function_switch" and "device_key_function_switch").

#include <cstdint>
#include <optional>

namespace md {

struct WorkingModePages {
    int functionPage = 0;
    std::optional<int> keyFunctionPage;  // nullopt: the key switch keeps its page
};

WorkingModePages workingModePages(int mode, uint16_t deviceKind);

}  // namespace md
