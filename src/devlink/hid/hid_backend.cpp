#include "devlink/hid/hid_backend.h"

#include <mutex>

#include "devlink/hid/hidraw_backend.h"

namespace md {
namespace {
std::mutex g_backendMutex;
std::shared_ptr<HidBackend> g_backend;
}  // namespace

std::shared_ptr<HidBackend> defaultHidBackend() {
    std::lock_guard lock(g_backendMutex);
    if (!g_backend) g_backend = std::make_shared<HidrawBackend>();
    return g_backend;
}

void setDefaultHidBackend(std::shared_ptr<HidBackend> backend) {
    std::lock_guard lock(g_backendMutex);
    g_backend = std::move(backend);
}

}  // namespace md
