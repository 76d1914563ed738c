#pragma once
// How the lighting worker's frames reach each kind: the headset takes twelve 17-byte output
// reports on its wired channel, the mousepad an LED frame over its command link (dropped while
// a command runs). Each sender keeps its own buffer, so sending allocates nothing.

#include "devices/lighting/host_lighting_worker.h"

namespace md {
class DeviceLink;
}

namespace md::lighting {

HostLightingWorker::FrameSender headsetFrameSender(DeviceLink& link);
HostLightingWorker::FrameSender ledFrameSender(DeviceLink& link);

}  // namespace md::lighting
