#pragma once
// Diagnostic output channel for the program's debugger lines ("命令", thread exit texts, ...).
// Silent unless MOUSE_DRIVER_DEBUG is set (then stderr, and MOUSE_DRIVER_DEBUG_LOG names an
// optional log file) or a sink is installed (the command-line tool's --trace, tests).
// While silent, dbgOut() returns before any formatting happens.

#include <atomic>
#include <cstdio>
#include <functional>
#include <string_view>

namespace md {

namespace detail {
extern std::atomic<bool> g_dbgEnabled;
void dbgWrite(std::string_view text);
void dbgFormat(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
}  // namespace detail

// True while some output is wanted; cheap enough for hot paths.
inline bool dbgEnabled() noexcept {
    return detail::g_dbgEnabled.load(std::memory_order_relaxed);
}

// Writes text as given (a line feed is added when it does not end with one).
inline void dbgOut(std::string_view text) {
    if (dbgEnabled()) detail::dbgWrite(text);
}

// printf-style variant; the format is not touched while output is off.
template <typename... Args>
inline void dbgOutf(const char* fmt, Args... args) {
    if (dbgEnabled()) detail::dbgFormat(fmt, args...);
}

// Reads MOUSE_DRIVER_DEBUG / MOUSE_DRIVER_DEBUG_LOG once; called by the programs at start.
void dbgInitFromEnvironment();

// Installs an additional receiver of every line (nullptr removes it). Thread-safe.
using DbgSink = std::function<void(std::string_view line)>;
void setDbgSink(DbgSink sink);
// As setDbgSink, returning the receiver it replaces (so that it can be put back).
DbgSink exchangeDbgSink(DbgSink sink);

}  // namespace md
