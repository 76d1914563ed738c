#include "audio/sdk/pipewire_equaliser.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdlib>

#include "audio/filter_chain_config.h"
#include "audio/pipewire_sink.h"
#include "common/command_output.h"
#include "audio/usb_sound_card.h"

namespace md::osconf {

// The few libpipewire functions the chain needs, looked up by name; the types stay opaque.
struct PipeWireEqualiser::Api {
    void (*init)(int*, char***) = nullptr;
    void* (*threadLoopNew)(const char*, const void*) = nullptr;
    void* (*threadLoopGetLoop)(void*) = nullptr;
    int (*threadLoopStart)(void*) = nullptr;
    void (*threadLoopStop)(void*) = nullptr;
    void (*threadLoopLock)(void*) = nullptr;
    void (*threadLoopUnlock)(void*) = nullptr;
    void (*threadLoopDestroy)(void*) = nullptr;
    void* (*contextNew)(void*, void*, size_t) = nullptr;
    void (*contextDestroy)(void*) = nullptr;
    void* (*loadModule)(void*, const char*, const char*, void*) = nullptr;
    void (*moduleDestroy)(void*) = nullptr;
    void* loop = nullptr;
    void* context = nullptr;
    void* module = nullptr;

    ~Api() {
        if (loop) {
            threadLoopLock(loop);
            if (module) moduleDestroy(module);
            threadLoopUnlock(loop);
            threadLoopStop(loop);
            if (context) contextDestroy(context);
            threadLoopDestroy(loop);
        }
        // libpipewire stays loaded: it keeps process-wide state after pw_init.
    }
};

namespace {

template <typename F>
bool bind(void* lib, const char* name, F& into) {
    into = reinterpret_cast<F>(::dlsym(lib, name));
    return into != nullptr;
}

// Whether a PipeWire daemon listens for this user.
bool daemonRuns() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return false;
    const char* remote = std::getenv("PIPEWIRE_REMOTE");
    const std::string socket =
        std::string(runtime) + "/" + (remote && *remote ? remote : "pipewire-0");
    struct stat st {};
    return ::stat(socket.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

// The node name of the headset's sink as PipeWire lists it ("" when it has none).
std::string headsetSink() {
    const auto dump = commandOutput({"pw-dump"}, 3000);
    if (!dump) return {};
    return headsetSinkFromDump(*dump, kHeadsetVendorId, kHeadsetProductId,
                               findUsbSoundCard("/proc/asound", kHeadsetVendorId,
                                                kHeadsetProductId));
}

}  // namespace

PipeWireEqualiser::PipeWireEqualiser() = default;

PipeWireEqualiser::~PipeWireEqualiser() {
    m_worker.stop();
}

void PipeWireEqualiser::request(bool on, const EqBands& gainsDb) {
    {
        std::lock_guard lock(m_mutex);
        m_wanted = {on, gainsDb};
        m_pending = true;
        m_renewed = true;
    }
    if (!m_worker.running()) {
        m_worker.start([this](const StopEvent& stop) { run(stop); },
                       [this] {
                           std::lock_guard lock(m_mutex);
                           m_stopping = true;
                           m_wake.notify_all();
                       });
    }
    m_wake.notify_all();
}

void PipeWireEqualiser::run(const StopEvent& stop) {
    std::unique_lock lock(m_mutex);
    while (!stop.isSet()) {
        m_wake.wait(lock, [&] { return m_pending || m_stopping; });
        if (m_stopping) break;
        // Quiet for kSettle: the burst of band changes is over.
        do {
            m_renewed = false;
        } while (!m_stopping &&
                 m_wake.wait_for(lock, kSettle, [&] { return m_renewed || m_stopping; }));
        if (m_stopping) break;
        const Wanted w = m_wanted;
        m_pending = false;
        lock.unlock();
        apply(w);
        lock.lock();
    }
}

bool PipeWireEqualiser::connect() {
    if (m_tried) return m_api != nullptr;
    m_tried = true;
    if (!daemonRuns()) return false;
    void* lib = ::dlopen("libpipewire-0.3.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!lib) return false;
    auto api = std::make_unique<Api>();
    const bool ok = bind(lib, "pw_init", api->init) &&
                    bind(lib, "pw_thread_loop_new", api->threadLoopNew) &&
                    bind(lib, "pw_thread_loop_get_loop", api->threadLoopGetLoop) &&
                    bind(lib, "pw_thread_loop_start", api->threadLoopStart) &&
                    bind(lib, "pw_thread_loop_stop", api->threadLoopStop) &&
                    bind(lib, "pw_thread_loop_lock", api->threadLoopLock) &&
                    bind(lib, "pw_thread_loop_unlock", api->threadLoopUnlock) &&
                    bind(lib, "pw_thread_loop_destroy", api->threadLoopDestroy) &&
                    bind(lib, "pw_context_new", api->contextNew) &&
                    bind(lib, "pw_context_destroy", api->contextDestroy) &&
                    bind(lib, "pw_context_load_module", api->loadModule) &&
                    bind(lib, "pw_impl_module_destroy", api->moduleDestroy);
    if (!ok) return false;
    api->init(nullptr, nullptr);
    void* loop = api->threadLoopNew("md-headset-eq", nullptr);
    if (!loop) return false;
    api->loop = loop;
    api->context = api->contextNew(api->threadLoopGetLoop(loop), nullptr, 0);
    if (!api->context || api->threadLoopStart(loop) < 0) return false;
    m_api = std::move(api);
    return true;
}

bool PipeWireEqualiser::apply(const Wanted& w) {
    if (m_applied && (w == m_current || (!w.on && !m_current.on))) return true;
    if (!w.on && !m_api) {  // nothing to remove: no need to reach PipeWire
        m_applied = true;
        m_current = w;
        return true;
    }
    if (!connect()) return false;
    m_api->threadLoopLock(m_api->loop);
    if (m_api->module) {
        m_api->moduleDestroy(m_api->module);
        m_api->module = nullptr;
    }
    if (w.on) {
        // The chain plays into the headset's own sink; with no headset sink there is nothing
        // to equalise (the default sink may be the speakers).
        const std::string target = headsetSink();
        if (target.empty()) {
            m_api->threadLoopUnlock(m_api->loop);
            m_applied = false;
            m_current = w;
            return false;
        }
        const std::string args = filterChainArgs(w.gains, target);
        m_api->module = m_api->loadModule(m_api->context, "libpipewire-module-filter-chain",
                                          args.c_str(), nullptr);
    }
    m_api->threadLoopUnlock(m_api->loop);
    m_applied = !w.on || m_api->module != nullptr;
    m_current = w;
    return m_applied;
}

}  // namespace md::osconf
