#include "cli/verb_args.h"

#include <cstdio>
#include <cstdlib>
#include <ostream>

namespace md::cli {

bool parseInt(const std::string& text, int min, int max, int& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || v < min || v > max) return false;
    out = static_cast<int>(v);
    return true;
}

std::string rangeText(ValueRange r) {
    return std::to_string(r.min) + " to " + std::to_string(r.max);
}

int badArgument(CliContext& ctx, const std::string& what) {
    *ctx.err << what << "\n";
    return kExitBadArguments;
}

std::string hexColour(uint8_t r, uint8_t g, uint8_t b) {
    char s[8];
    std::snprintf(s, sizeof s, "%02x%02x%02x", r, g, b);
    return s;
}

int applyLightingOptions(CliContext& ctx, LightSetting& l) {
    struct Field {
        const char* option;
        ValueRange range;
        uint8_t* into;
    };
    const Field fields[] = {{"brightness", ranges::kBrightness, &l.brightness},
                            {"speed", ranges::kLightSpeed, &l.speed},
                            {"direction", ranges::kDirection, &l.direction}};
    for (const auto& f : fields) {
        const auto it = ctx.named.find(f.option);
        if (it == ctx.named.end()) continue;
        int v = 0;
        if (!parseInt(it->second, f.range.min, f.range.max, v))
            return badArgument(
                ctx, std::string("lighting: --") + f.option + " is " + rangeText(f.range));
        *f.into = static_cast<uint8_t>(v);
    }
    if (const auto it = ctx.named.find("colour"); it != ctx.named.end()) {
        unsigned rgb = 0;
        char tail = 0;
        if (it->second.size() != 6 || std::sscanf(it->second.c_str(), "%6x%c", &rgb, &tail) != 1)
            return badArgument(ctx, "lighting: --colour is RRGGBB");
        l.red = static_cast<uint8_t>(rgb >> 16);
        l.green = static_cast<uint8_t>(rgb >> 8);
        l.blue = static_cast<uint8_t>(rgb);
        l.multiColor = 0;
    }
    if (ctx.named.count("multicolour")) l.multiColor = 1;
    return kExitOk;
}

}  // namespace md::cli
