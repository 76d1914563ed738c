#pragma once
// One owner for the devices and the data folder: while mouse-driver runs, the verbs that open a
// device or change profiles run inside it (sent over the session bus); otherwise the tool runs
// them itself, holding the owner lock so that two runs never drive a device at once.

#include <string>
#include <vector>

#include "common/file_lock.h"

namespace md::cli {

// The verb of a command line ("" when there is none); option values are skipped.
std::string verbOf(const std::vector<std::string>& argv);
// Verbs that open a device or change its profiles (every verb but list and watch).
bool isDeviceVerb(const std::string& verb);
// Whether the command line goes to the running application: a device verb on the machine's
// devices (no --simulate, --sysfs-root, --dev-root or --help).
bool routesToApplication(const std::vector<std::string>& argv);
// The command line with its file arguments made absolute (the application has its own working
// folder).
std::vector<std::string> withAbsoluteFiles(std::vector<std::string> argv);
// The file argument of a command line when it is not an absolute path ("" otherwise): the
// application refuses such a command, since it has no working folder of the caller's.
std::string relativeFileArgument(const std::vector<std::string>& argv);

// Held by whoever drives the devices: the application for its whole run, the tool for a verb.
std::string ownerLockPath();
// Held by the application for its whole run.
std::string applicationLockPath();

// The locks the application holds while it runs, and whether it got them.
struct ProgramOwnership {
    enum class Result {
        Owner,         // both locks held
        OtherProgram,  // another mouse-driver of this user runs (e.g. in another login session)
        ToolBusy,      // a command-line run kept the devices past the wait
    };
    Result result = Result::Owner;
    FileLock application;
    FileLock owner;
};
// Takes the application lock at once and the owner lock within ownerWaitMs.
ProgramOwnership takeProgramOwnership(int ownerWaitMs);

}  // namespace md::cli
