#pragma once
// Run-time binding of the input-synthesis plugins that carry out host actions a mouse button
// can ask for (a horizontal wheel step). Both plugins live in the program's SDK folder:
// libDrvInDll.so (37 entry points, "Init" reports readiness) and libCommFunc.so ("UniFunc",
// "UniFunc2"). The binding is usable only when every step succeeded; otherwise calls do nothing.

#include <array>
#include <atomic>
#include <string>
#include <vector>

namespace md {

class InputSynthesisBinding {
  public:
    // Code that "Init" expects.
    static constexpr int kInitCode = 0x4D440001;
    static const std::array<const char*, 37>& drvInNames();

    InputSynthesisBinding() = default;
    ~InputSynthesisBinding();
    InputSynthesisBinding(const InputSynthesisBinding&) = delete;
    InputSynthesisBinding& operator=(const InputSynthesisBinding&) = delete;

    // Why the binding is not usable after bind().
    enum class Problem {
        None,
        PluginMissing,   // a plugin or one of its entry points is missing
        NoUinputAccess,  // no write access to /dev/uinput
        UinputRefused,   // the kernel refused the virtual input device
    };
    static constexpr const char* kUinputNode = "/dev/uinput";

    // Loads the plugins from sdkFolder; problem() tells why when that fails.
    void bind(const std::string& sdkFolder);
    bool usable() const { return m_uniFunc.load() != nullptr; }
    Problem problem() const { return m_problem; }
    // Calls UniFunc(code) when usable.
    void uniFunc(int code) const;
    // Names of the 16 events the binding holds for the plugins.
    const std::vector<std::string>& eventNames() const { return m_eventNames; }

  private:
    using IntFn = int (*)(int);
    void* m_drvIn = nullptr;
    void* m_commFunc = nullptr;
    std::array<void*, 37> m_functions{};
    std::atomic<IntFn> m_uniFunc{nullptr};
    void* m_uniFunc2 = nullptr;
    std::vector<std::string> m_eventNames;
    std::vector<int> m_events;  // eventfds, held for the plugins' use
    Problem m_problem = Problem::None;
};

}  // namespace md
