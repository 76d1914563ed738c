#include "cli/remote_run.h"

#include <systemd/sd-bus.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "cli/cli_context.h"
#include "common/dbus_names.h"

namespace md::cli {
namespace {

// A verb may write macros or wait for a 2.4G mouse; the bus default of 25 s is too short.
constexpr uint64_t kCallTimeoutUs = 120ull * 1000 * 1000;

// Without a bus address (nor the standard socket) there is nothing to ask.
bool sessionBusConfigured() {
    if (const char* a = std::getenv("DBUS_SESSION_BUS_ADDRESS"); a && *a) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code ec;
    return runtime && *runtime &&
           std::filesystem::exists(std::filesystem::path(runtime) / "bus", ec);
}

// sd-bus objects released at the end of the scope.
struct Bus {
    sd_bus* p = nullptr;
    ~Bus() { sd_bus_flush_close_unref(p); }
};
struct Message {
    sd_bus_message* p = nullptr;
    ~Message() { sd_bus_message_unref(p); }
};
struct Error {
    sd_bus_error e = SD_BUS_ERROR_NULL;
    ~Error() { sd_bus_error_free(&e); }
    bool is(const char* name) const { return sd_bus_error_has_name(&e, name); }
};

bool applicationOnBus(sd_bus* bus) {
    Error error;
    Message reply;
    if (sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus", "NameHasOwner", &error.e, &reply.p, "s",
                           dbus::kService) < 0)
        return false;
    int owned = 0;
    return sd_bus_message_read(reply.p, "b", &owned) >= 0 && owned;
}

}  // namespace

RemoteRun runInApplication(const std::vector<std::string>& argv, std::ostream& out,
                           std::ostream& err, int& rc) {
    if (!sessionBusConfigured()) return RemoteRun::NotRunning;
    Bus bus;
    if (sd_bus_open_user(&bus.p) < 0 || !applicationOnBus(bus.p)) return RemoteRun::NotRunning;

    Message call;
    if (sd_bus_message_new_method_call(bus.p, &call.p, dbus::kService, dbus::kPath,
                                       dbus::kInterface, "RunCommand") < 0)
        return RemoteRun::NotRunning;
    std::vector<char*> strv;
    for (const std::string& a : argv) strv.push_back(const_cast<char*>(a.c_str()));
    strv.push_back(nullptr);
    if (sd_bus_message_append_strv(call.p, strv.data()) < 0) return RemoteRun::NotRunning;

    Error error;
    Message reply;
    if (sd_bus_call(bus.p, call.p, kCallTimeoutUs, &error.e, &reply.p) < 0) {
        // The application went away between the check and the call: run alone.
        if (error.is(SD_BUS_ERROR_SERVICE_UNKNOWN) || error.is(SD_BUS_ERROR_NAME_HAS_NO_OWNER))
            return RemoteRun::NotRunning;
        if (error.is(SD_BUS_ERROR_NO_REPLY) || error.is(SD_BUS_ERROR_DISCONNECTED) ||
            !sd_bus_error_is_set(&error.e))
            err << "mouse-driver ended or stopped answering before the command finished; the "
                   "device may be half changed: run the command again\n";
        else
            err << "mouse-driver did not run the command: "
                << (error.e.message ? error.e.message : error.e.name) << "\n";
        rc = kExitDeviceError;
        return RemoteRun::Done;
    }
    int32_t code = 0;
    const char* o = nullptr;
    const char* e = nullptr;
    if (sd_bus_message_read(reply.p, "iss", &code, &o, &e) < 0) {
        err << "mouse-driver answered the command in an unknown form\n";
        rc = kExitDeviceError;
        return RemoteRun::Done;
    }
    rc = code;
    out << o;
    err << e;
    return RemoteRun::Done;
}

}  // namespace md::cli
