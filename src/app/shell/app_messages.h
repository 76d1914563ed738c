#pragma once
// Messages of the main window besides the slot messages of devlink/ui_dispatcher.h.
//
// Inter-process messages have names (they reach the program over D-Bus, see dbus_service.h);
// inside the program each stands for a fixed number at or above 0xC000.

#include <cstdint>

#include "devlink/link/ui_dispatcher.h"

namespace md::msg {

inline constexpr uint32_t kUpdateProgress = 0xC001;
inline constexpr uint32_t kLightOwnerNotify = 0xC002;
inline constexpr uint32_t kLightOwnerSet = 0xC003;
inline constexpr uint32_t kWorkToolQuery = 0xC004;
inline constexpr uint32_t kGameStart = 0xC010;
inline constexpr uint32_t kGameEnd = 0xC011;
inline constexpr uint32_t kGameKill = 0xC012;
inline constexpr uint32_t kGameDeath = 0xC013;

// Suspend and resume (wParam kPowerSuspend / kPowerResume).
inline constexpr uint32_t kPowerBroadcast = 0x0218;
inline constexpr uintptr_t kPowerSuspend = 4;
inline constexpr uintptr_t kPowerResume = 18;

inline constexpr uint32_t kTrayIcon = 1025;
inline constexpr uint32_t kKeyCaptureHook = 1054;
inline constexpr uint32_t kShowProgress = 3072;
inline constexpr uint32_t kLanguageChanged = 3089;
inline constexpr uint32_t kOpenSettings = 3093;
inline constexpr uint32_t kClearUpdateBadge = 3094;
inline constexpr uint32_t kModelNotice1 = 3328;
inline constexpr uint32_t kModelNotice2 = 3329;
inline constexpr uint32_t kModelNotice3 = 3330;
inline constexpr uint32_t kTileVisibility = 3331;

// Timers of the main window.
inline constexpr int kTimerAdaptMonitor = 1011;
inline constexpr int kTimerTrayMenu = 1032;
inline constexpr int kTimerProfileSwitch = 1055;
inline constexpr int kTimerGameLighting = 1066;

}  // namespace md::msg
