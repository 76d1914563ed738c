#include "cli/block_session.h"

namespace md::cli {

const VerbDeviceKind kHeadsetVerbKind = verbKindOf(kind::kHeadset);
const VerbDeviceKind kMousepadVerbKind = verbKindOf(kind::kMousePad);

std::unique_ptr<BlockSession> openBlockSession(CliContext& ctx, int& exitCode) {
    const VerbDeviceKind& k = ctx.device == "headset" ? kHeadsetVerbKind : kMousepadVerbKind;
    auto s = openVerbSession<BlockSession>(ctx, k, exitCode);
    if (s && !s->host) s->controller.loadLighting();
    return s;
}

}  // namespace md::cli
