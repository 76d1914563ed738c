#pragma once
// Registers the device models and the profile panel with the layout builder's class registry.
// The application calls it once at start-up, before the device pages are built.

namespace md {

void registerDevicePageControls();

}  // namespace md
