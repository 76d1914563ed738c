// libDrvInDll.so: the input-synthesis plugin of the SDK folder, over the kernel's uinput.
// Keys are Linux key codes, which for the common keys equal the PC make codes; buttons 4 and 5
// are the side and extra buttons.
#include <linux/input-event-codes.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "input/sdk/uinput_device.h"

namespace {

constexpr int kInitCode = 0x4D440001;
std::atomic<int> g_keyDelayMs{10};
std::atomic<int> g_mouseDelayMs{10};

int key(int code, int value) {
    return md::sdk::uinputEmit(EV_KEY, static_cast<uint16_t>(code), value) ? 1 : 0;
}
void pause(const std::atomic<int>& ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms.load()));
}
int tap(int code, const std::atomic<int>& delay) {
    if (!key(code, 1)) return 0;
    pause(delay);
    return key(code, 0);
}
int click(int button) {
    return tap(button, g_mouseDelayMs);
}
int rel(int code, int value) {
    return md::sdk::uinputEmit(EV_REL, static_cast<uint16_t>(code), value) ? 1 : 0;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int Init(int code) {
    return code == kInitCode && md::sdk::uinputOpen() ? 1 : 0;
}
__attribute__((visibility("default"))) int End() {
    md::sdk::uinputClose();
    return 1;
}
__attribute__((visibility("default"))) int KeyPress(int code) {
    return tap(code, g_keyDelayMs);
}
__attribute__((visibility("default"))) int KeyDown(int code) {
    return key(code, 1);
}
__attribute__((visibility("default"))) int KeyUp(int code) {
    return key(code, 0);
}
__attribute__((visibility("default"))) int LeftClick() {
    return click(BTN_LEFT);
}
__attribute__((visibility("default"))) int RightClick() {
    return click(BTN_RIGHT);
}
__attribute__((visibility("default"))) int MiddleClick() {
    return click(BTN_MIDDLE);
}
__attribute__((visibility("default"))) int LeftDoubleClick() {
    return click(BTN_LEFT) && click(BTN_LEFT) ? 1 : 0;
}
__attribute__((visibility("default"))) int LeftDown() {
    return key(BTN_LEFT, 1);
}
__attribute__((visibility("default"))) int LeftUp() {
    return key(BTN_LEFT, 0);
}
__attribute__((visibility("default"))) int RightDown() {
    return key(BTN_RIGHT, 1);
}
__attribute__((visibility("default"))) int RightUp() {
    return key(BTN_RIGHT, 0);
}
__attribute__((visibility("default"))) int MiddleDown() {
    return key(BTN_MIDDLE, 1);
}
__attribute__((visibility("default"))) int MiddleUp() {
    return key(BTN_MIDDLE, 0);
}
__attribute__((visibility("default"))) int Button4Down() {
    return key(BTN_SIDE, 1);
}
__attribute__((visibility("default"))) int Button4Up() {
    return key(BTN_SIDE, 0);
}
__attribute__((visibility("default"))) int Button5Down() {
    return key(BTN_EXTRA, 1);
}
__attribute__((visibility("default"))) int Button5Up() {
    return key(BTN_EXTRA, 0);
}
// A relative device cannot place the pointer absolutely.
__attribute__((visibility("default"))) int MoveTo(int, int) {
    return 0;
}
__attribute__((visibility("default"))) int MoveR(int dx, int dy) {
    return md::sdk::uinputEmit(EV_REL, REL_X, dx, false) && md::sdk::uinputEmit(EV_REL, REL_Y, dy)
               ? 1
               : 0;
}
__attribute__((visibility("default"))) int MouseWheel(int steps) {
    return rel(REL_WHEEL, steps);
}
__attribute__((visibility("default"))) int RMoveR(int dx, int dy) {
    return MoveR(dx, dy);
}
__attribute__((visibility("default"))) int KbdVirtualKeySingle(int code) {
    return tap(code, g_keyDelayMs);
}
__attribute__((visibility("default"))) int KbdVirtualKeyAsync(int code) {
    return tap(code, g_keyDelayMs);
}
__attribute__((visibility("default"))) int KbdVirtualKeySync(int code) {
    return tap(code, g_keyDelayMs);
}
__attribute__((visibility("default"))) int KbdAkeysSingle(int code) {
    return tap(code, g_keyDelayMs);
}
__attribute__((visibility("default"))) int KbdAkeysAsync(int code) {
    return tap(code, g_keyDelayMs);
}
__attribute__((visibility("default"))) int KbdAkeysSync(int code) {
    return tap(code, g_keyDelayMs);
}
__attribute__((visibility("default"))) int KbdAkeysSeq(int code) {
    return tap(code, g_keyDelayMs);
}
__attribute__((visibility("default"))) int KbdWinMakeCodeSingle(int code) {
    return tap(code, g_keyDelayMs);
}
__attribute__((visibility("default"))) int KbdWinMakeCodeAsync(int code) {
    return tap(code, g_keyDelayMs);
}
__attribute__((visibility("default"))) int KbdWinMakeCodeSync(int code) {
    return tap(code, g_keyDelayMs);
}
__attribute__((visibility("default"))) int KbdSetDelayTime(int ms) {
    g_keyDelayMs = ms < 0 ? 0 : ms;
    return 1;
}
__attribute__((visibility("default"))) int MouAction(int button) {
    return click(button);
}
__attribute__((visibility("default"))) int MouSetDelayTime(int ms) {
    g_mouseDelayMs = ms < 0 ? 0 : ms;
    return 1;
}
__attribute__((visibility("default"))) int BackInKbClearStatus() {
    for (int k : {KEY_LEFTCTRL, KEY_RIGHTCTRL, KEY_LEFTSHIFT, KEY_RIGHTSHIFT, KEY_LEFTALT,
                  KEY_RIGHTALT, KEY_LEFTMETA, KEY_RIGHTMETA}) {
        key(k, 0);
    }
    return 1;
}
// For the companion plugin: one horizontal wheel step (positive to the right).
__attribute__((visibility("default"))) int DrvInHorizontalWheel(int steps) {
    return rel(REL_HWHEEL, steps);
}

}  // extern "C"
