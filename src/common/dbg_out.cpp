#include "common/dbg_out.h"

#include <cstdarg>
#include <cstdlib>
#include <mutex>
#include <string>
#include <utility>

namespace md {
namespace detail {

std::atomic<bool> g_dbgEnabled{false};

namespace {
struct DbgState {
    std::mutex mutex;
    bool toStderr = false;
    FILE* logFile = nullptr;
    DbgSink sink;

    ~DbgState() {
        if (logFile) std::fclose(logFile);
    }
    void refreshEnabled() {
        g_dbgEnabled.store(toStderr || logFile || sink, std::memory_order_relaxed);
    }
};

DbgState& state() {
    static DbgState s;
    return s;
}
}  // namespace

void dbgWrite(std::string_view text) {
    DbgState& s = state();
    std::lock_guard lock(s.mutex);
    const bool needNewline = text.empty() || text.back() != '\n';
    if (s.toStderr) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        if (needNewline) std::fputc('\n', stderr);
    }
    if (s.logFile) {
        std::fwrite(text.data(), 1, text.size(), s.logFile);
        if (needNewline) std::fputc('\n', s.logFile);
        std::fflush(s.logFile);
    }
    if (s.sink) {
        std::string_view line = text;
        if (!needNewline) line.remove_suffix(1);
        s.sink(line);
    }
}

void dbgFormat(const char* fmt, ...) {
    char small[512];
    va_list ap;
    va_start(ap, fmt);
    va_list copy;
    va_copy(copy, ap);
    const int n = std::vsnprintf(small, sizeof small, fmt, ap);
    va_end(ap);
    if (n < 0) {
        va_end(copy);
        return;
    }
    if (static_cast<size_t>(n) < sizeof small) {
        va_end(copy);
        dbgWrite(std::string_view(small, static_cast<size_t>(n)));
        return;
    }
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(big.data(), big.size(), fmt, copy);
    va_end(copy);
    big.resize(static_cast<size_t>(n));
    dbgWrite(big);
}

}  // namespace detail

void dbgInitFromEnvironment() {
    auto& s = detail::state();
    std::lock_guard lock(s.mutex);
    const char* on = std::getenv("MOUSE_DRIVER_DEBUG");
    s.toStderr = on && *on && std::string_view(on) != "0";
    const char* log = std::getenv("MOUSE_DRIVER_DEBUG_LOG");
    if (s.toStderr && log && *log && !s.logFile) s.logFile = std::fopen(log, "a");
    s.refreshEnabled();
}

void setDbgSink(DbgSink sink) {
    exchangeDbgSink(std::move(sink));
}

DbgSink exchangeDbgSink(DbgSink sink) {
    auto& s = detail::state();
    std::lock_guard lock(s.mutex);
    DbgSink previous = std::exchange(s.sink, std::move(sink));
    s.refreshEnabled();
    return previous;
}

}  // namespace md
