#pragma once
// Input capture: while installed, key events (and, for recording, mouse button events) meant
// for the application are delivered to a sink instead of reaching their target, so that the
// user can press the key to assign or record a macro. Caps Lock, Num Lock and Scroll Lock keep
// working. A second install replaces the mode; an install that fails leaves nothing installed.

#include <functional>

#include "input/capture/capture_records.h"

namespace md::capture {

class InputCapture {
  public:
    struct Sink {
        std::function<void(int mode, const KeyRecord&)> key;
        std::function<void(int mode, const MouseRecord&)> mouse;
        // Capture ended by itself (the window hid): the owner leaves its capturing state.
        std::function<void()> released;
    };

    virtual ~InputCapture() = default;
    // Starts capture in a mode (or switches to it); false when it could not start.
    virtual bool install(int mode, bool keyboard, bool mouse) = 0;
    // Ends capture; false when none was installed.
    virtual bool uninstall() = 0;
    virtual bool installed() const = 0;
    virtual int mode() const = 0;

    void setSink(Sink sink) { m_sink = std::move(sink); }

  protected:
    const Sink& sink() const { return m_sink; }

  private:
    Sink m_sink;
};

}  // namespace md::capture
