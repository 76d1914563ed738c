#pragma once
// What the main window hands to the parts of the program that are built on it (device pages,
// detection, lighting, settings window). Each hook may stay empty.

#include <functional>

class QMenu;

#include "ui/notification.h"

namespace md {

struct MainWndHooks {
    // First "windowinit", after the language: fill the slot list, build the device pages and
    // start the workers. Answers whether the detection thread was started (it then brings
    // the window forward after its first pass).
    std::function<bool()> onFirstInit;
    // Notifications the frame does not handle itself (the device pages' routing).
    std::function<void(const Notification&)> routeNotification;
    // Messages 3090 / 3091 (wParam = slot) and 3331 (tile, visibility).
    std::function<void(int slot)> onDeviceArrived;
    std::function<void(int slot)> onDeviceRemoved;
    std::function<void(int tile, int visible)> onTileVisibility;
    // Light-control flag for the models (0 while suspended).
    std::function<void(int flag)> onLightControl;
    // After every language switch: the settings window, when open, gets message 3089.
    std::function<void(int index)> onLanguageApplied;
    // After a switch asked for by message 3089: rebuild the models' key-assignment lists.
    std::function<void(int index)> onLanguageMessage;
    // Settings window: open (centred or next to the main window), forward update progress,
    // close, tell it the language changed.
    std::function<void(bool centred)> openSettings;
    std::function<bool(uintptr_t wParam, intptr_t lParam)> forwardUpdateProgress;
    std::function<void()> closeSettings;
    // Game lighting message (effect lParam) and the restore 5 s later.
    std::function<void(uint32_t message, uintptr_t wParam, intptr_t lParam)> onGameLighting;
    std::function<void()> onGameLightingEnd;
    // Window activation and pointer hover, for the models (hover counts only while inactive;
    // delivered while suspended too).
    std::function<void(bool active, bool hovering)> onActivity;
    // Messages 1054 (key-capture hook) and the hook messages.
    std::function<void(bool on)> onKeyCaptureHook;
    // How many device tiles are shown (none without device management).
    std::function<int()> shownTileCount;
    // Adds entries of its own to the notification-area menu before it opens (demo devices).
    std::function<void(QMenu* menu)> extendTrayMenu;
};

}  // namespace md
