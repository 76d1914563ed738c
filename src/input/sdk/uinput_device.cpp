#include "input/sdk/uinput_device.h"

#include <fcntl.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstring>
#include <mutex>

namespace md::sdk {
namespace {
std::mutex g_mutex;
int g_fd = -1;

bool setup(int fd) {
    for (int ev : {EV_KEY, EV_REL, EV_SYN}) {
        if (::ioctl(fd, UI_SET_EVBIT, ev) < 0) return false;
    }
    for (int rel : {REL_X, REL_Y, REL_WHEEL, REL_HWHEEL}) ::ioctl(fd, UI_SET_RELBIT, rel);
    for (int key = KEY_ESC; key <= KEY_MICMUTE; ++key) ::ioctl(fd, UI_SET_KEYBIT, key);
    for (int btn = BTN_LEFT; btn <= BTN_TASK; ++btn) ::ioctl(fd, UI_SET_KEYBIT, btn);
    uinput_setup s{};
    s.id.bustype = BUS_VIRTUAL;
    s.id.vendor = 0x248A;
    s.id.product = 0x5BFF;
    std::strncpy(s.name, "Mouse Driver input synthesis", UINPUT_MAX_NAME_SIZE - 1);
    return ::ioctl(fd, UI_DEV_SETUP, &s) >= 0 && ::ioctl(fd, UI_DEV_CREATE) >= 0;
}
}  // namespace

bool uinputOpen() {
    std::lock_guard lock(g_mutex);
    if (g_fd >= 0) return true;
    const int fd = ::open("/dev/uinput", O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    if (!setup(fd)) {
        ::close(fd);
        return false;
    }
    g_fd = fd;
    return true;
}

void uinputClose() {
    std::lock_guard lock(g_mutex);
    if (g_fd < 0) return;
    ::ioctl(g_fd, UI_DEV_DESTROY);
    ::close(g_fd);
    g_fd = -1;
}

bool uinputEmit(uint16_t type, uint16_t code, int32_t value, bool sync) {
    std::lock_guard lock(g_mutex);
    if (g_fd < 0) return false;
    input_event ev[2]{};
    ev[0].type = type;
    ev[0].code = code;
    ev[0].value = value;
    ev[1].type = EV_SYN;
    ev[1].code = SYN_REPORT;
    const size_t n = sync ? 2 : 1;
    return ::write(g_fd, ev, n * sizeof(input_event)) ==
           static_cast<ssize_t>(n * sizeof(input_event));
}

}  // namespace md::sdk
