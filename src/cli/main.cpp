#include <cerrno>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_context.h"
#include "cli/remote_run.h"
#include "cli/routing.h"
#include "common/dbg_out.h"
#include "common/file_lock.h"

namespace {

constexpr auto kOwnerWait = std::chrono::seconds(30);

// Runs a device verb with the owner lock held: in the running application when there is one,
// else here, after any other run of the tool has finished with the devices.
int runAsOwner(const std::vector<std::string>& args) {
    using namespace md;
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(cli::ownerLockPath()).parent_path(),
                                        ec);
    const auto end = std::chrono::steady_clock::now() + kOwnerWait;
    for (;;) {
        int rc = 0;
        if (cli::runInApplication(cli::withAbsoluteFiles(args), std::cout, std::cerr, rc) ==
            cli::RemoteRun::Done)
            return rc;
        if (FileLock::isHeld(cli::applicationLockPath())) {
            std::cerr << "mouse-driver is running and owns the devices, but it cannot be reached "
                         "over the session bus; run the command in its session or quit it\n";
            return cli::kExitDeviceError;
        }
        FileLock owner = FileLock::acquire(cli::ownerLockPath(), 0);
        if (owner.locked() || owner.error() != EWOULDBLOCK)
            return cli::runCli(args, std::cout, std::cerr);
        if (std::chrono::steady_clock::now() >= end) {
            std::cerr << "another mouse-driver-cli has been using the devices for "
                      << kOwnerWait.count() << " s; try again later\n";
            return cli::kExitDeviceError;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace

int main(int argc, char** argv) {
    md::dbgInitFromEnvironment();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (md::cli::routesToApplication(args)) return runAsOwner(args);
    return md::cli::runCli(args, std::cout, std::cerr);
}
