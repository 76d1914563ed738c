#include "input/desktop/x11_pointer.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace md {
namespace {

struct Connection {
    xcb_connection_t* c = nullptr;
    explicit Connection(const std::string& display)
        : c(xcb_connect(display.empty() ? nullptr : display.c_str(), nullptr)) {}
    ~Connection() {
        if (c) xcb_disconnect(c);
    }
    bool ok() const { return c && !xcb_connection_has_error(c); }
};

}  // namespace

X11Pointer::Control X11Pointer::controlOf(const PointerValues& v) {
    Control c;
    if (v.precision) {
        c.numerator = std::clamp(v.speed, 1, 20);
        c.denominator = 10;
    }
    return c;
}

bool X11Pointer::apply(const PointerValues& v, std::string& problem) {
    Connection x(m_display);
    if (!x.ok()) {
        problem = "the X server cannot be reached";
        return false;
    }
    const Control c = controlOf(v);
    const xcb_void_cookie_t cookie = xcb_change_pointer_control_checked(
        x.c, int16_t(c.numerator), int16_t(c.denominator), int16_t(c.threshold), 1, 1);
    if (std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> e(xcb_request_check(x.c, cookie),
                                                                     &std::free);
        e) {
        problem = "the X server refused the pointer control";
        return false;
    }
    return true;
}

bool X11Pointer::read(Control& out, std::string& problem) const {
    Connection x(m_display);
    if (!x.ok()) {
        problem = "the X server cannot be reached";
        return false;
    }
    std::unique_ptr<xcb_get_pointer_control_reply_t, decltype(&std::free)> r(
        xcb_get_pointer_control_reply(x.c, xcb_get_pointer_control(x.c), nullptr), &std::free);
    if (!r) {
        problem = "the X server did not answer";
        return false;
    }
    out.numerator = r->acceleration_numerator;
    out.denominator = r->acceleration_denominator;
    out.threshold = r->threshold;
    return true;
}

}  // namespace md
