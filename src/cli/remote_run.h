#pragma once
// Sends a command line to the running application over the session bus (its "RunCommand"
// method) and prints what it answers.

#include <iosfwd>
#include <string>
#include <vector>

namespace md::cli {

enum class RemoteRun {
    Done,        // the application ran the verb; rc holds its exit code
    NotRunning,  // no session bus, or the application is not on it
};

RemoteRun runInApplication(const std::vector<std::string>& argv, std::ostream& out,
                           std::ostream& err, int& rc);

}  // namespace md::cli
