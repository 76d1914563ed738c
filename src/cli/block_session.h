#pragma once
// A headset or mousepad opened for the profile verbs (see verb_session.h): its command link,
// current profile and lighting block.

#include <memory>

#include "cli/verb_session.h"
#include "devices/lighting/lighting_block_device.h"
#include "profiles/basic_profiledata.h"

namespace md::cli {

using BlockSession = VerbSession<CBasicProfiledata, lighting::LightingBlockDevice>;

extern const VerbDeviceKind kHeadsetVerbKind;
extern const VerbDeviceKind kMousepadVerbKind;

// Opens the headset or mousepad named by --device and loads its current profile and lighting.
std::unique_ptr<BlockSession> openBlockSession(CliContext& ctx, int& exitCode);

}  // namespace md::cli
