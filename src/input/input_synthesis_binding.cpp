#include "input/input_synthesis_binding.h"

#include <dlfcn.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdio>

namespace md {

const std::array<const char*, 37>& InputSynthesisBinding::drvInNames() {
    static const std::array<const char*, 37> names = {"Init",
                                                      "End",
                                                      "KeyPress",
                                                      "KeyDown",
                                                      "KeyUp",
                                                      "LeftClick",
                                                      "RightClick",
                                                      "MiddleClick",
                                                      "LeftDoubleClick",
                                                      "LeftDown",
                                                      "LeftUp",
                                                      "RightDown",
                                                      "RightUp",
                                                      "MiddleDown",
                                                      "MiddleUp",
                                                      "Button4Down",
                                                      "Button4Up",
                                                      "Button5Down",
                                                      "Button5Up",
                                                      "MoveTo",
                                                      "MoveR",
                                                      "MouseWheel",
                                                      "RMoveR",
                                                      "KbdVirtualKeySingle",
                                                      "KbdVirtualKeyAsync",
                                                      "KbdVirtualKeySync",
                                                      "KbdAkeysSingle",
                                                      "KbdAkeysAsync",
                                                      "KbdAkeysSync",
                                                      "KbdAkeysSeq",
                                                      "KbdWinMakeCodeSingle",
                                                      "KbdWinMakeCodeAsync",
                                                      "KbdWinMakeCodeSync",
                                                      "KbdSetDelayTime",
                                                      "MouAction",
                                                      "MouSetDelayTime",
                                                      "BackInKbClearStatus"};
    return names;
}

InputSynthesisBinding::~InputSynthesisBinding() {
    for (int fd : m_events) ::close(fd);
    // The plugins stay loaded until the process ends, as a thread may still be inside them.
}

void InputSynthesisBinding::bind(const std::string& sdkFolder) {
    if (usable() || m_drvIn) return;
    const std::string base =
        sdkFolder.empty() || sdkFolder.back() == '/' ? sdkFolder : sdkFolder + "/";
    m_problem = Problem::PluginMissing;
    m_drvIn = ::dlopen((base + "libDrvInDll.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_drvIn) return;
    const auto& names = drvInNames();
    for (size_t i = 0; i < names.size(); ++i) {
        m_functions[i] = ::dlsym(m_drvIn, names[i]);
        if (!m_functions[i]) return;
    }
    const auto init = reinterpret_cast<IntFn>(m_functions[0]);
    if (init(kInitCode) <= 0) {
        // The plugin's virtual input device needs write access to the kernel's uinput node.
        m_problem = ::access(kUinputNode, W_OK) != 0 ? Problem::NoUinputAccess
                                                     : Problem::UinputRefused;
        return;
    }
    m_commFunc = ::dlopen((base + "libCommFunc.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_commFunc) return;
    void* uni = ::dlsym(m_commFunc, "UniFunc");
    m_uniFunc2 = ::dlsym(m_commFunc, "UniFunc2");
    if (!uni || !m_uniFunc2) return;
    m_problem = Problem::None;
    const char* prefix = "MouCustom_Event_";
    char name[64];
    auto add = [&](const char* format, int n) {
        std::snprintf(name, sizeof name, format, prefix, n);
        m_eventNames.emplace_back(name);
        m_events.push_back(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    };
    for (int i = 1; i <= 10; ++i) add("%sTertiary_%02d", i);
    for (int i = 1; i <= 4; ++i) add("%sMain_%02d", i);
    for (int i = 1; i <= 2; ++i) add("%sSecond_%02d", i);
    m_uniFunc = reinterpret_cast<IntFn>(uni);
}

void InputSynthesisBinding::uniFunc(int code) const {
    if (const IntFn f = m_uniFunc.load()) f(code);
}

}  // namespace md
